#include "engine/PopulationCounts.h"

#include <bit>

__attribute__((target_clones("popcnt", "default"))) int OnesIn(const std::uint64_t* first,
                                                               const std::uint64_t* mask,
                                                               int words) {
    int ones = 0;
    for (int w = 0; w < words; ++w) ones += std::popcount(first[w] & mask[w]);
    return ones;
}

__attribute__((target_clones("popcnt", "default"))) int OnesIn(const std::uint64_t* first,
                                                               const std::uint64_t* second,
                                                               const std::uint64_t* mask,
                                                               int words) {
    int ones = 0;
    for (int w = 0; w < words; ++w) ones += std::popcount(first[w] & second[w] & mask[w]);
    return ones;
}
