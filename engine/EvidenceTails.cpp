#include "engine/EvidenceTails.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

// C(66, 33) is about 7.2e18; every product C(k, x) C(n - k, n1 - x) is at most C(n, n1)
// (Vandermonde), so up to 66 pairs all of them fit in 64 bits.
constexpr int ExactPairs = 66;
using BinomialTable = std::array<std::array<std::uint64_t, ExactPairs + 1>, ExactPairs + 1>;

constexpr BinomialTable MakeBinomials() {
    BinomialTable table{};
    for (int n = 0; n <= ExactPairs; ++n) {
        table[n][0] = 1;
        for (int r = 1; r <= n; ++r) table[n][r] = table[n - 1][r - 1] + table[n - 1][r];
    }
    return table;
}

constexpr BinomialTable Binomials = MakeBinomials();

std::uint64_t Choose(int n, int r) {
    if (r < 0 || n < 0 || r > n) return 0;
    return Binomials[static_cast<std::size_t>(n)][static_cast<std::size_t>(r)];
}

struct Support {
    int lowest;
    int highest;
};

Support SupportOf(const StratumCounts& c) {
    return {std::max(0, c.eaten + c.withOutcome - c.pairs), std::min(c.eaten, c.withOutcome)};
}

double ExactTail(const StratumCounts& c) {
    std::uint64_t favourable = 0;
    for (int both = c.both; both <= std::min(c.withOutcome, c.eaten); ++both)
        favourable += Choose(c.withOutcome, both) * Choose(c.pairs - c.withOutcome, c.eaten - both);
    return static_cast<double>(favourable) / static_cast<double>(Choose(c.pairs, c.eaten));
}

// P(X = x + 1) / P(X = x).
double Ratio(const StratumCounts& c, int x) {
    const double numerator =
        static_cast<double>(c.withOutcome - x) * static_cast<double>(c.eaten - x);
    const double denominator =
        static_cast<double>(x + 1) * static_cast<double>(c.pairs - c.withOutcome - c.eaten + x + 1);
    return numerator / denominator;
}

// A probability far below the smallest double kept as mantissa * 2^(-Scale * scalings).
constexpr double ScaleDown = 0x1p-500;
constexpr double ScaleUp = 0x1p500;

// The probabilities relative to the one at the mode (which is 1), walked outwards, so that
// no term exceeds 1 and the sum is at least 1.
double LargeTail(const StratumCounts& c) {
    const Support support = SupportOf(c);
    if (c.both <= support.lowest) return 1.0;
    if (c.both > support.highest) return 0.0;
    const long long product = static_cast<long long>(c.eaten + 1) * (c.withOutcome + 1);
    const int mode =
        std::clamp(static_cast<int>(product / (c.pairs + 2)), support.lowest, support.highest);
    double upward = 0.0;  // the terms above the mode, relative to it
    double term = 1.0;
    for (int x = mode; x < support.highest; ++x) {
        term *= Ratio(c, x);
        upward += term;
    }
    double total = 1.0 + upward;
    double fromBoth = 1.0 + upward;  // used when `both` is at or below the mode
    term = 1.0;
    for (int x = mode; x > support.lowest; --x) {
        term /= Ratio(c, x - 1);
        total += term;
        if (x - 1 >= c.both) fromBoth += term;
    }
    if (c.both <= mode) return fromBoth / total;
    // The term at `both`, scaled so that it cannot underflow on the way.
    double mantissa = 1.0;
    int scalings = 0;
    for (int x = mode; x < c.both; ++x) {
        mantissa *= Ratio(c, x);
        if (mantissa < ScaleDown) {
            mantissa *= ScaleUp;
            ++scalings;
        }
    }
    double above = 1.0;  // the terms from `both` up, relative to the one at `both`
    term = 1.0;
    for (int x = c.both; x < support.highest; ++x) {
        term *= Ratio(c, x);
        above += term;
    }
    double tail = mantissa * above / total;
    for (int i = 0; i < scalings; ++i) tail *= ScaleDown;
    return tail;
}

// P(X = lowest + i) for every i of the support.
std::vector<double> Probabilities(const StratumCounts& c) {
    const Support support = SupportOf(c);
    std::vector<double> values(static_cast<std::size_t>(support.highest - support.lowest + 1));
    if (c.pairs <= ExactPairs) {
        const double all = static_cast<double>(Choose(c.pairs, c.eaten));
        for (int x = support.lowest; x <= support.highest; ++x)
            values[static_cast<std::size_t>(x - support.lowest)] =
                static_cast<double>(Choose(c.withOutcome, x) *
                                    Choose(c.pairs - c.withOutcome, c.eaten - x)) /
                all;
        return values;
    }
    double total = 0.0;
    double term = 1.0;
    for (int x = support.lowest; x <= support.highest; ++x) {
        values[static_cast<std::size_t>(x - support.lowest)] = term;
        total += term;
        term *= Ratio(c, x);
        if (term > 0x1p900) {  // keep the walk finite; the smaller terms are lost in the sum
            for (double& value : values) value *= 0x1p-900;
            total *= 0x1p-900;
            term *= 0x1p-900;
        }
    }
    for (double& value : values) value /= total;
    return values;
}

// The distributions of small strata recur (a block's counts repeat from food to food), so each
// is worked out once per thread; they depend on the counts alone.
const std::vector<double>& CachedProbabilities(const StratumCounts& c) {
    if (c.pairs > ExactPairs) {
        thread_local std::vector<double> large;
        large = Probabilities(c);
        return large;
    }
    constexpr std::size_t Side = ExactPairs + 1;
    thread_local std::vector<std::vector<double>> cache(Side * Side * Side);
    std::vector<double>& known =
        cache[(static_cast<std::size_t>(c.pairs) * Side + static_cast<std::size_t>(c.withOutcome)) *
                  Side +
              static_cast<std::size_t>(c.eaten)];
    if (known.empty()) known = Probabilities(c);
    return known;
}

}  // namespace

double HypergeometricUpperTail(const StratumCounts& counts) {
    if (counts.pairs <= ExactPairs) return ExactTail(counts);
    return LargeTail(counts);
}

double UpperTailOfSum(const std::vector<StratumCounts>& strata) {
    // Strata whose count cannot vary add a constant; what is left is the shifted sum of the
    // others, from 0 to `reach`, and its tail from `needed`.
    thread_local std::vector<const StratumCounts*> varying;
    varying.clear();
    int needed = 0;
    for (const StratumCounts& stratum : strata) {
        const Support support = SupportOf(stratum);
        if (support.lowest == support.highest) continue;
        varying.push_back(&stratum);
        needed += stratum.both - support.lowest;
    }
    if (needed <= 0) return 1.0;
    if (varying.size() == 1) return HypergeometricUpperTail(*varying.front());
    thread_local std::vector<int> reachAfter;
    reachAfter.assign(varying.size() + 1, 0);  // the most the later strata can add
    for (std::size_t i = varying.size(); i-- > 0;) {
        const Support support = SupportOf(*varying[i]);
        reachAfter[i] = reachAfter[i + 1] + support.highest - support.lowest;
    }
    if (needed > reachAfter[0]) return 0.0;
    // sums[s] for s < needed: the chance of the partial sum s; sums[needed]: of needed or more.
    thread_local std::vector<double> sums, next;
    sums.assign(static_cast<std::size_t>(needed + 1), 0.0);
    next.assign(sums.size(), 0.0);
    sums[0] = 1.0;
    int highestSoFar = 0;
    for (std::size_t i = 0; i < varying.size(); ++i) {
        const std::vector<double>& probabilities = CachedProbabilities(*varying[i]);
        std::fill(next.begin(), next.end(), 0.0);
        next[static_cast<std::size_t>(needed)] = sums[static_cast<std::size_t>(needed)];
        // A partial sum that the rest cannot lift to `needed` can be left out.
        const int lowestUseful = std::max(0, needed - reachAfter[i]);
        for (int s = lowestUseful; s <= std::min(highestSoFar, needed - 1); ++s) {
            const double chance = sums[static_cast<std::size_t>(s)];
            if (chance == 0.0) continue;
            for (std::size_t x = 0; x < probabilities.size(); ++x) {
                const int to = std::min(needed, s + static_cast<int>(x));
                next[static_cast<std::size_t>(to)] += chance * probabilities[x];
            }
        }
        highestSoFar = std::min(needed, highestSoFar + static_cast<int>(probabilities.size()) - 1);
        sums.swap(next);
    }
    return sums[static_cast<std::size_t>(needed)];
}
