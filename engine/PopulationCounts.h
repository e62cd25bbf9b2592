#pragma once
// Population counts over rows of 64-bit words, most of the work of counting days: where the
// processor has an instruction for them, a copy of these loops uses it.

#include <cstdint>

// The ones of first & mask over `words` words.
int OnesIn(const std::uint64_t* first, const std::uint64_t* mask, int words);
// The ones of first & second & mask.
int OnesIn(const std::uint64_t* first, const std::uint64_t* second, const std::uint64_t* mask,
           int words);
