#pragma once
// Runs independent pieces of work on the processor's cores. Each index is handled by exactly
// one call, so results that are written per index come out the same whatever the number of
// cores or the order the calls finish in.

#include <functional>

// Calls work(index) for every index in [0, count), on up to as many threads as the machine has
// cores (the calling thread among them). The first exception a call throws is rethrown here
// once every thread has stopped.
void ParallelFor(int count, const std::function<void(int)>& work);
