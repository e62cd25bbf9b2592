#pragma once
// Exact tails of hypergeometric counts and of sums of independent ones, for any number of days,
// with basic arithmetic only: no library mathematics, so the same counts give the same bits on
// every machine.

#include <vector>

// The counts of one stratum of pairs: n pairs, k of them followed by the outcome, n1 with the
// food eaten, a both.
struct StratumCounts {
    int pairs = 0;
    int withOutcome = 0;
    int eaten = 0;
    int both = 0;
};

// P(X >= both) for X hypergeometric with these counts. Up to 66 pairs it is one division of two
// exact whole numbers; beyond, a walk over the ratios of neighbouring probabilities (relative
// error below 1e-12 up to thousands of pairs).
double HypergeometricUpperTail(const StratumCounts& counts);

// P(X = lowest + i) for every i of the support, lowest = max(0, n1 + k - n); they sum to 1.
std::vector<double> HypergeometricProbabilities(const StratumCounts& counts);

// P(X_1 + ... + X_m >= a_1 + ... + a_m) for independent hypergeometric X_i, one per stratum:
// the upper tail of the convolution. With one stratum this is the tail above. The convolution
// is the plain one, partial sum after partial sum in rising order, with every sum of `needed`
// or more kept in one number, so the result has the bits of that loop on every machine.
double UpperTailOfSum(const std::vector<StratumCounts>& strata);
