#include "engine/EvidenceTails.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "engine/TargetClones.h"

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

// The distributions of small strata recur (a block's counts repeat from food to food), so each
// is worked out once per thread and kept one after another in one array; they depend on the
// counts alone. Larger strata are worked out for the sum at hand.
class DistributionStore {
public:
    // Where P(X = lowest) lies among the kept values; for a large stratum, -1 - its place
    // among the large ones (see At).
    std::ptrdiff_t Find(const StratumCounts& c) {
        if (c.pairs <= ExactPairs) {
            const std::int32_t offset = m_offsets[Index(c)];
            if (offset >= 0) return offset;
        }
        return Add(c);
    }
    const double* Kept() const { return m_values.data(); }
    const double* Large() const { return m_large.data(); }
    // The large strata are kept for one sum only.
    void ForgetLarge() { m_large.clear(); }

private:
    __attribute__((noinline)) std::ptrdiff_t Add(const StratumCounts& c) {
        const std::vector<double> values = HypergeometricProbabilities(c);
        if (c.pairs > ExactPairs) {
            const auto at = static_cast<std::ptrdiff_t>(m_large.size());
            m_large.insert(m_large.end(), values.begin(), values.end());
            return -1 - at;
        }
        const auto offset = static_cast<std::ptrdiff_t>(m_values.size());
        m_offsets[Index(c)] = static_cast<std::int32_t>(offset);
        m_values.insert(m_values.end(), values.begin(), values.end());
        return offset;
    }

    // One look-up, by pairs, pairs with the outcome and number eaten: the strata of one reading
    // use few of the rows, and each row's numbers eaten lie together. In 32 bits: the kept values
    // of all small strata number far fewer than 2^31.
    static constexpr std::size_t Side = ExactPairs + 1;
    static std::size_t Index(const StratumCounts& c) {
        return (static_cast<std::size_t>(c.pairs) * Side +
                static_cast<std::size_t>(c.withOutcome)) *
                   Side +
               static_cast<std::size_t>(c.eaten);
    }
    std::vector<std::int32_t> m_offsets = std::vector<std::int32_t>(Side * Side * Side, -1);
    std::vector<double> m_values;
    std::vector<double> m_large;
};

// One distribution of the sum, and what the distributions after it can still add.
struct Stage {
    std::ptrdiff_t place = 0;  // of its distribution in the store
    int width = 0;             // values in the support
    const StratumCounts* counts = nullptr;
};

// The sum's stages with what the convolution needs to know of them all.
struct Stages {
    const std::vector<Stage>& stages;
    int needed = 0;
    int reach = 0;                 // the most all of them can add
    int widest = 0;                // the widest distribution
    const double* kept = nullptr;  // the store's values, by place (see DistributionStore::At)
    const double* large = nullptr;
};

// Eight neighbouring partial sums at once. Each lane adds its terms in the order a lane-by-lane
// loop would, and there is no fused multiply-add, so the lanes give the bits of that loop.
using Lanes = double __attribute__((vector_size(8 * sizeof(double))));
constexpr int LaneCount = 8;

// A step replaces sums[t] by the sum over x from width - 1 down to 0 of sums[t - x] *
// probabilities[x], for t from `lowest` to `top`, in place: groups of lanes from the top down,
// so that each group reads only sums not yet replaced. The terms come in the order of rising
// t - x, as in the one-by-one loop.
//
// Several groups at a time, so that their chains of additions overlap: all of them read before
// any is written, since each group reads the sums of the group below it.
constexpr int GroupsAtATime = 2;

template <int Width, int Groups>
inline __attribute__((always_inline)) void StepGroups(double* lowest,
                                                      const std::array<Lanes, Width>& chances) {
    std::array<Lanes, Groups> totals{};
    for (int x = Width; x-- > 0;)
        for (int g = 0; g < Groups; ++g) {
            Lanes values;
            __builtin_memcpy(&values, lowest + g * LaneCount - x, sizeof values);
            totals[static_cast<std::size_t>(g)] += values * chances[static_cast<std::size_t>(x)];
        }
    for (int g = 0; g < Groups; ++g)
        __builtin_memcpy(lowest + g * LaneCount, &totals[static_cast<std::size_t>(g)],
                         sizeof(Lanes));
}

// One stratum's step for a width known in advance, with no branch that depends on the counts
// but the loop over the groups: zeros below `lowest`, the terms that reach `needed` (a sum
// below `lowest` or above `highest` is a zero there and adds nothing), then the sums below
// `needed` from `lowest` to `top`.
template <int Width>
inline __attribute__((always_inline)) void Step(double* sums, const double* probabilities,
                                                int lowest, int highest, int top, int needed,
                                                double& atLeastNeeded) {
    for (int s = lowest - Width + 1; s < lowest; ++s) sums[s] = 0.0;
    // In the order of rising partial sum and value; until the sums come near `needed` there
    // are none.
    if (highest > needed - Width)
        for (int s = needed - Width + 1; s < needed; ++s)
            for (int x = needed - s; x < Width; ++x) atLeastNeeded += sums[s] * probabilities[x];
    std::array<Lanes, Width> chances;
    for (int x = 0; x < Width; ++x)
        chances[static_cast<std::size_t>(x)] = Lanes{} + probabilities[x];
    int groups = (top - lowest) / LaneCount + 1;
    for (; groups % GroupsAtATime != 0; --groups)
        StepGroups<Width, 1>(sums + lowest + (groups - 1) * LaneCount, chances);
    for (; groups > 0; groups -= GroupsAtATime)
        StepGroups<Width, GroupsAtATime>(sums + lowest + (groups - GroupsAtATime) * LaneCount,
                                         chances);
}

// The same for any width, one group at a time.
inline __attribute__((always_inline)) void StepAnyWidth(double* sums, const double* probabilities,
                                                        int width, int lowest, int highest, int top,
                                                        int needed, double& atLeastNeeded) {
    for (int s = std::max(lowest, needed - width + 1); s <= highest; ++s)
        for (int x = needed - s; x < width; ++x) atLeastNeeded += sums[s] * probabilities[x];
    for (int s = lowest - width + 1; s < lowest; ++s) sums[s] = 0.0;
    for (int g = (top - lowest) / LaneCount + 1; g-- > 0;) {
        double* at = sums + lowest + g * LaneCount;
        Lanes total{};
        for (int x = width; x-- > 0;) {
            Lanes values;
            __builtin_memcpy(&values, at - x, sizeof values);
            total += values * probabilities[x];
        }
        __builtin_memcpy(at, &total, sizeof total);
    }
}

// P(sum >= needed) for sums from 0: the partial sums below `needed` one by one, the chance of
// `needed` or more in one number. A partial sum that the strata still to come cannot lift to
// `needed` is left out, since it could only add to sums that are left out too.
// Built three times: for processors with AVX-512 (eight lanes in one register), with AVX2 (four)
// and for any other; all give the same bits.
GASTROLOG_TARGET_CLONES("arch=x86-64-v4", "arch=x86-64-v3", "default")
double TailOfConvolution(const Stages& sum, std::vector<double>& buffer) {
    const int needed = sum.needed;
    // Room below partial sum 0 for the zeros the widest distribution reads there, and above
    // `needed` for the highest group of lanes.
    const int below = sum.widest + LaneCount;
    buffer.assign(static_cast<std::size_t>(below + needed + 2 * LaneCount), 0.0);
    double* sums = buffer.data() + below;
    sums[0] = 1.0;
    double atLeastNeeded = 0.0;
    int highest = 0;  // the highest partial sum that can be other than zero, below needed
    int reachAfter = sum.reach;  // the most this stage and the later ones can add
    for (const Stage& stage : sum.stages) {
        const int lowest = std::max(0, needed - reachAfter);
        if (lowest > highest) break;  // nothing left can reach `needed`
        const double* probabilities =
            stage.place >= 0 ? sum.kept + stage.place : sum.large + (-1 - stage.place);
        const int width = stage.width;
        reachAfter -= width - 1;
        const int top = std::min(highest + width - 1, needed - 1);
        switch (width) {
#define GASTROLOG_STEP(W)                                                          \
    case W:                                                                        \
        Step<W>(sums, probabilities, lowest, highest, top, needed, atLeastNeeded); \
        break;
            GASTROLOG_STEP(2)
            GASTROLOG_STEP(3)
            GASTROLOG_STEP(4)
            GASTROLOG_STEP(5)
            GASTROLOG_STEP(6)
            GASTROLOG_STEP(7)
            GASTROLOG_STEP(8)
#undef GASTROLOG_STEP
            default:
                StepAnyWidth(sums, probabilities, width, lowest, highest, top, needed,
                             atLeastNeeded);
                break;
        }
        highest = top;
    }
    return atLeastNeeded;
}

}  // namespace

std::vector<double> HypergeometricProbabilities(const StratumCounts& c) {
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

double HypergeometricUpperTail(const StratumCounts& counts) {
    if (counts.pairs <= ExactPairs) return ExactTail(counts);
    return LargeTail(counts);
}

double UpperTailOfSum(const std::vector<StratumCounts>& strata) {
    // Strata whose count cannot vary add a constant; what is left is the shifted sum of the
    // others, from 0 to `reach`, and its tail from `needed`.
    thread_local std::vector<Stage> stages;
    thread_local DistributionStore store;
    stages.clear();
    int needed = 0;
    int reach = 0;
    int widest = 0;
    bool large = false;
    for (const StratumCounts& stratum : strata) {
        const Support support = SupportOf(stratum);
        if (support.lowest == support.highest) continue;
        const int width = support.highest - support.lowest + 1;
        large = large || stratum.pairs > ExactPairs;
        // The large strata's distributions are worked out once the sum is known to need them.
        stages.push_back({stratum.pairs > ExactPairs ? 0 : store.Find(stratum), width, &stratum});
        needed += stratum.both - support.lowest;
        reach += width - 1;
        widest = std::max(widest, width);
    }
    if (needed <= 0) return 1.0;
    if (stages.size() == 1) return HypergeometricUpperTail(*stages.front().counts);
    if (needed > reach) return 0.0;
    if (large) {
        store.ForgetLarge();
        for (Stage& stage : stages)
            if (stage.counts->pairs > ExactPairs) stage.place = store.Find(*stage.counts);
    }
    thread_local std::vector<double> buffer;
    return TailOfConvolution({stages, needed, reach, widest, store.Kept(), store.Large()}, buffer);
}
