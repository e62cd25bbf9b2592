#pragma once
// Copies of a hot loop for newer processors, the one to run chosen when the program starts
// (GCC's target_clones, through glibc's ifunc). Only where GCC builds for x86-64: clang names
// the clones of a function declared in a header differently, so callers elsewhere would not
// find it, and other processors have none of these instructions. Every copy computes the same
// bits (no fused multiply-add anywhere), so the choice changes only the speed.

#if defined(__GNUC__) && defined(__x86_64__) && !defined(__clang__)
#define GASTROLOG_TARGET_CLONES(...) __attribute__((target_clones(__VA_ARGS__)))
#else
#define GASTROLOG_TARGET_CLONES(...)
#endif
