// The evidence reads its symptoms on several cores; each must be read exactly once and a
// failure in any of them must reach the caller.

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

#include "engine/ParallelFor.h"

namespace {

TEST(ParallelFor, CallsEveryIndexOnce) {
    for (const int count : {0, 1, 2, 7, 200}) {
        std::vector<std::atomic<int>> calls(static_cast<std::size_t>(count));
        ParallelFor(count, [&](int index) { ++calls[static_cast<std::size_t>(index)]; });
        for (int index = 0; index < count; ++index)
            EXPECT_EQ(calls[static_cast<std::size_t>(index)], 1) << count << " indexes, " << index;
    }
}

TEST(ParallelFor, HandsOnAFailure) {
    EXPECT_THROW(ParallelFor(50,
                             [](int index) {
                                 if (index == 3) throw std::runtime_error("symptom 3");
                             }),
                 std::runtime_error);
}

}  // namespace
