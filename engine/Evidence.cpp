// The day-after tally. Each lived pair of days (t, t + 1) is one bit of a 64-bit mask, so the
// counts are population counts and the guard's removal of a strong food's days is one AND.

#include "engine/Evidence.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string>

#include "diary/GastrologDoc.h"

namespace {

using PairMask = std::uint64_t;  // bit t: the pair (slot t, slot t + 1)

constexpr int Slots = static_cast<int>(diary::HistoryLength);
constexpr int FewestDaysEaten = 3;
constexpr double StrongBelow = 0.001;
constexpr double SomeBelow = 0.01;
constexpr int FewestPairsForAnotherRound = 5;

// Pascal's triangle up to 49 choose 24 (about 6.3e13), which fits in 64 bits.
using BinomialTable = std::array<std::array<std::uint64_t, Slots>, Slots>;

constexpr BinomialTable MakeBinomials() {
    BinomialTable table{};
    for (int n = 0; n < Slots; ++n) {
        table[n][0] = 1;
        for (int r = 1; r <= n; ++r) table[n][r] = table[n - 1][r - 1] + table[n - 1][r];
    }
    return table;
}

constexpr BinomialTable Binomials = MakeBinomials();

constexpr std::uint64_t Choose(int n, int r) {
    if (r < 0 || n < 0 || r > n) return 0;
    return Binomials[static_cast<std::size_t>(n)][static_cast<std::size_t>(r)];
}

// P(X >= a) for X hypergeometric: n pairs, k with the outcome, n1 with the food eaten. The
// numerator is a sum of whole numbers no larger than the denominator (Vandermonde), so both
// are exact and the one division gives the same bits on every machine.
double UpperTail(int n, int k, int n1, int a) {
    std::uint64_t favourable = 0;
    for (int both = a; both <= std::min(k, n1); ++both)
        favourable += Choose(k, both) * Choose(n - k, n1 - both);
    return static_cast<double>(favourable) / static_cast<double>(Choose(n, n1));
}

int Count(PairMask mask) {
    return std::popcount(mask);
}

using diary::CodeAt;

// The pairs whose both days were lived: the last min(day count, 50) slots.
PairMask LivedPairs(int livedDays) {
    PairMask mask = 0;
    for (int t = Slots - livedDays; t + 1 < Slots; ++t) mask |= PairMask{1} << t;
    return mask;
}

PairMask EatenMask(const CFood& food) {
    PairMask mask = 0;
    for (int t = 0; t + 1 < Slots; ++t)
        if (diary::IsEaten(CodeAt(food.m_history, t))) mask |= PairMask{1} << t;
    return mask;
}

PairMask NextDayMask(const CSymptom& symptom, char rating) {
    PairMask mask = 0;
    for (int t = 0; t + 1 < Slots; ++t)
        if (CodeAt(symptom.m_history, t + 1) == rating) mask |= PairMask{1} << t;
    return mask;
}

// The p values of one round: every (n1, a) is computed once, since n and k are the round's.
class RoundTails {
public:
    RoundTails(int pairs, int withOutcome) : m_pairs(pairs), m_withOutcome(withOutcome) {
        m_known.fill(false);
    }
    double Of(int eaten, int both) {
        const std::size_t index = static_cast<std::size_t>(eaten * Slots + both);
        if (!m_known[index]) {
            m_values[index] = UpperTail(m_pairs, m_withOutcome, eaten, both);
            m_known[index] = true;
        }
        return m_values[index];
    }

private:
    int m_pairs;
    int m_withOutcome;
    std::array<double, Slots * Slots> m_values{};
    std::array<bool, Slots * Slots> m_known{};
};

struct GuardResult {
    std::vector<double> p;
    std::vector<bool> strong;
    std::vector<int> strongFoods;  // in the order the rounds found them
};

// The rounds for one symptom and direction.
GuardResult RunGuard(const std::vector<PairMask>& eaten, PairMask lived, PairMask outcome) {
    const std::size_t foodCount = eaten.size();
    GuardResult result{
        std::vector<double>(foodCount, 1.0), std::vector<bool>(foodCount, false), {}};
    PairMask inUse = lived;
    for (;;) {
        RoundTails tails(Count(inUse), Count(outcome & inUse));
        int smallest = -1;
        for (std::size_t food = 0; food < foodCount; ++food) {
            if (result.strong[food]) continue;
            const int eatenPairs = Count(eaten[food] & inUse);
            if (eatenPairs < FewestDaysEaten) {
                result.p[food] = 1.0;
                continue;
            }
            result.p[food] = tails.Of(eatenPairs, Count(eaten[food] & outcome & inUse));
            // Strictly smaller only, so ties go to the earlier food.
            if (smallest < 0 || result.p[food] < result.p[static_cast<std::size_t>(smallest)])
                smallest = static_cast<int>(food);
        }
        if (smallest < 0 || result.p[static_cast<std::size_t>(smallest)] >= StrongBelow) break;
        result.strong[static_cast<std::size_t>(smallest)] = true;
        result.strongFoods.push_back(smallest);
        inUse &= ~eaten[static_cast<std::size_t>(smallest)];
        if (Count(inUse) < FewestPairsForAnotherRound) break;
    }
    return result;
}

EvidenceWord WordFor(int daysEaten, bool strong, double p) {
    if (daysEaten < FewestDaysEaten) return EvidenceWord::TooFewDays;
    if (strong) return EvidenceWord::Strong;
    if (p < SomeBelow) return EvidenceWord::Some;
    return EvidenceWord::NoClearLink;
}

// The strong foods eaten on at least one lived pair this food was eaten on, in diary order.
std::vector<int> SharedWith(const GuardResult& guard, const std::vector<PairMask>& eaten,
                            std::size_t food, PairMask lived) {
    std::vector<int> shared;
    if (guard.strong[food]) return shared;
    for (int strongFood : guard.strongFoods)
        if ((eaten[static_cast<std::size_t>(strongFood)] & eaten[food] & lived) != 0)
            shared.push_back(strongFood);
    std::sort(shared.begin(), shared.end());
    return shared;
}

struct SymptomMasks {
    PairMask worse = 0;
    PairMask better = 0;
};

EvidenceEntry CountsFor(PairMask eaten, const SymptomMasks& symptom, PairMask lived) {
    EvidenceEntry entry;
    const PairMask eatenLived = eaten & lived;
    const PairMask otherLived = ~eaten & lived;
    entry.daysEaten = Count(eatenLived);
    entry.nextWorse = Count(eatenLived & symptom.worse);
    entry.nextBetter = Count(eatenLived & symptom.better);
    entry.nextNoChange = entry.daysEaten - entry.nextWorse - entry.nextBetter;
    entry.otherDays = Count(otherLived);
    entry.otherWorse = Count(otherLived & symptom.worse);
    entry.otherBetter = Count(otherLived & symptom.better);
    return entry;
}

}  // namespace

EvidenceReading ReadEvidence(const CGastrologDoc& document) {
    EvidenceReading reading;
    reading.livedDays = std::clamp(static_cast<int>(document.DayCount()), 0, Slots);
    const PairMask lived = LivedPairs(reading.livedDays);
    std::vector<PairMask> eaten;
    eaten.reserve(document.Foods().size());
    for (const CFood& food : document.Foods()) eaten.push_back(EatenMask(food));

    const std::size_t foodCount = eaten.size();
    reading.entries.reserve(document.Symptoms().size() * foodCount * 2);
    int symptomIndex = 0;
    for (const CSymptom& symptom : document.Symptoms()) {
        const SymptomMasks masks{NextDayMask(symptom, diary::Worse),
                                 NextDayMask(symptom, diary::Better)};
        const GuardResult worse = RunGuard(eaten, lived, masks.worse);
        const GuardResult better = RunGuard(eaten, lived, masks.better);
        for (std::size_t food = 0; food < foodCount; ++food) {
            const EvidenceEntry counts = CountsFor(eaten[food], masks, lived);
            for (const auto& [direction, guard] : {std::pair{EvidenceDirection::Worse, &worse},
                                                   std::pair{EvidenceDirection::Better, &better}}) {
                EvidenceEntry entry = counts;
                entry.food = static_cast<int>(food);
                entry.symptom = symptomIndex;
                entry.direction = direction;
                entry.p = guard->p[food];
                entry.word = WordFor(entry.daysEaten, guard->strong[food], entry.p);
                entry.sharesDaysWith = SharedWith(*guard, eaten, food, lived);
                reading.entries.push_back(std::move(entry));
            }
        }
        ++symptomIndex;
    }
    return reading;
}

std::string_view EvidenceWordText(EvidenceWord word) {
    switch (word) {
        case EvidenceWord::TooFewDays:
            return "too few days";
        case EvidenceWord::Strong:
            return "strong";
        case EvidenceWord::Some:
            return "some";
        case EvidenceWord::NoClearLink:
            return "no clear link";
    }
    return "no clear link";
}

std::string_view EvidenceDirectionText(EvidenceDirection direction) {
    return direction == EvidenceDirection::Worse ? "worse" : "better";
}
