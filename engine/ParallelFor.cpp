#include "engine/ParallelFor.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

void ParallelFor(int count, const std::function<void(int)>& work) {
    std::atomic<int> next{0};
    std::exception_ptr failure;
    std::mutex failureMutex;
    const auto takeWork = [&] {
        for (int index = next++; index < count; index = next++) {
            try {
                work(index);
            } catch (...) {
                const std::lock_guard lock(failureMutex);
                if (!failure) failure = std::current_exception();
                next = count;  // the others stop at their next index
            }
        }
    };
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::jthread> helpers;
    for (int t = 1; t < std::min(cores, count); ++t) {
        try {
            helpers.emplace_back(takeWork);
        } catch (const std::system_error&) {
            break;  // no more threads to be had: the ones running share the work
        }
    }
    takeWork();
    helpers.clear();  // joins
    if (failure) std::rethrow_exception(failure);
}
