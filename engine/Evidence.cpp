// The two rules over the laid-out days. Both count per stratum (a block, and for the adjusted
// tally a group within it) and take p as the upper tail of the sum of the strata's independent
// hypergeometric counts; with one stratum that is the single exact test.

#include "engine/Evidence.h"

#include <algorithm>
#include <bit>

#include "diary/GastrologDoc.h"
#include "engine/EvidenceLayout.h"
#include "engine/EvidenceTails.h"
#include "engine/EvidenceWords.h"

namespace {

constexpr int FewestDaysEaten = 3;
constexpr int FewestPairsForAnotherRound = 5;

int Ones(const std::uint64_t* words, int count) {
    int ones = 0;
    for (int w = 0; w < count; ++w) ones += std::popcount(words[w]);
    return ones;
}

// The strata of one column: per block, and per group when a grouping is given. `inUse`
// limits the pairs (the guard's rounds); a stratum's counts are over the pairs in use.
void CountStrata(const EvidenceLayout& layout, const std::uint64_t* eaten, const BitWords& outcome,
                 const BitWords& inUse, const EvidenceGrouping* grouping,
                 std::vector<StratumCounts>& strata) {
    strata.clear();
    const int groups = grouping ? 3 : 1;
    for (const EvidenceBlock& block : layout.blocks)
        for (int group = 0; group < groups; ++group) {
            StratumCounts counts;
            for (int w = block.firstWord; w < block.firstWord + block.wordCount; ++w) {
                const auto at = static_cast<std::size_t>(w);
                std::uint64_t pairs = inUse[at];
                if (grouping) pairs &= grouping->groups[static_cast<std::size_t>(group)][at];
                counts.pairs += std::popcount(pairs);
                counts.withOutcome += std::popcount(pairs & outcome[at]);
                counts.eaten += std::popcount(pairs & eaten[w]);
                counts.both += std::popcount(pairs & eaten[w] & outcome[at]);
            }
            strata.push_back(counts);
        }
}

std::vector<StratumCounts> StrataCounts(const EvidenceLayout& layout, const std::uint64_t* eaten,
                                        const BitWords& outcome, const BitWords& inUse,
                                        const EvidenceGrouping* grouping) {
    std::vector<StratumCounts> strata;
    CountStrata(layout, eaten, outcome, inUse, grouping, strata);
    return strata;
}

int EatenIn(const std::vector<StratumCounts>& strata) {
    int eaten = 0;
    for (const StratumCounts& stratum : strata) eaten += stratum.eaten;
    return eaten;
}

double TailOf(const std::vector<StratumCounts>& strata) {
    return EatenIn(strata) < FewestDaysEaten ? 1.0 : UpperTailOfSum(strata);
}

// p and the strong mark of every food at one delay, symptom and direction: the plain count's
// rounds, each leaving out the days of the food it found strong.
struct ColumnVerdicts {
    std::vector<double> p;
    std::vector<bool> strong;
    std::vector<int> strongFoods;  // in the order the rounds found them
};

ColumnVerdicts RunGuard(const EvidenceLayout& layout, int delay, const BitWords& outcome) {
    const auto foods = static_cast<std::size_t>(layout.foods);
    ColumnVerdicts result{std::vector<double>(foods, 1.0), std::vector<bool>(foods, false), {}};
    BitWords inUse = layout.observations;
    const auto column = [&](std::size_t food) {
        return layout.Column(static_cast<int>(food) * layout.delays + delay);
    };
    std::vector<StratumCounts> strata;
    for (;;) {
        int smallest = -1;
        for (std::size_t food = 0; food < foods; ++food) {
            if (result.strong[food]) continue;
            CountStrata(layout, column(food), outcome, inUse, nullptr, strata);
            result.p[food] = TailOf(strata);
            if (EatenIn(strata) < FewestDaysEaten) continue;
            // Strictly smaller only, so ties go to the earlier food.
            if (smallest < 0 || result.p[food] < result.p[static_cast<std::size_t>(smallest)])
                smallest = static_cast<int>(food);
        }
        if (smallest < 0 || result.p[static_cast<std::size_t>(smallest)] >= StrongBelow) break;
        const auto strong = static_cast<std::size_t>(smallest);
        result.strong[strong] = true;
        result.strongFoods.push_back(smallest);
        for (int w = 0; w < layout.words; ++w)
            inUse[static_cast<std::size_t>(w)] &= ~column(strong)[w];
        if (Ones(inUse.data(), layout.words) < FewestPairsForAnotherRound) break;
    }
    return result;
}

const EvidenceGrouping* GroupingFor(const SymptomSuspects& suspects, int column) {
    for (std::size_t s = 0; s < suspects.suspects.size(); ++s)
        if (suspects.suspects[s].column == column) return &suspects.groupings[s + 1];
    return &suspects.groupings.front();
}

// The other pairs of the strata in which the food was eaten.
void CountComparable(const std::vector<StratumCounts>& strata, EvidenceEntry& entry) {
    entry.comparableDays = 0;
    entry.comparableOutcome = 0;
    for (const StratumCounts& stratum : strata)
        if (stratum.eaten > 0) {
            entry.comparableDays += stratum.pairs - stratum.eaten;
            entry.comparableOutcome += stratum.withOutcome - stratum.both;
        }
}

void CountTotals(const EvidenceLayout& layout, int symptom, const std::uint64_t* eaten,
                 EvidenceEntry& entry) {
    const BitWords& worse = layout.worse[static_cast<std::size_t>(symptom)];
    const BitWords& better = layout.better[static_cast<std::size_t>(symptom)];
    entry.daysEaten = entry.nextWorse = entry.nextBetter = 0;
    entry.otherDays = entry.otherWorse = entry.otherBetter = 0;
    for (std::size_t w = 0; w < static_cast<std::size_t>(layout.words); ++w) {
        const std::uint64_t in = layout.observations[w] & eaten[w];
        const std::uint64_t out = layout.observations[w] & ~eaten[w];
        entry.daysEaten += std::popcount(in);
        entry.nextWorse += std::popcount(in & worse[w]);
        entry.nextBetter += std::popcount(in & better[w]);
        entry.otherDays += std::popcount(out);
        entry.otherWorse += std::popcount(out & worse[w]);
        entry.otherBetter += std::popcount(out & better[w]);
    }
    entry.nextNoChange = entry.daysEaten - entry.nextWorse - entry.nextBetter;
}

// A candidate reading of one food at one delay.
struct AtDelay {
    double p = 1.0;
    bool guardStrong = true;  // the adjusted tally has no guard
    std::vector<StratumCounts> strata;
    std::vector<int> shares;
};

EvidenceWord WordFor(int daysEaten, bool guardStrong, double p) {
    if (daysEaten < FewestDaysEaten) return EvidenceWord::TooFewDays;
    if (guardStrong && p < StrongBelow) return EvidenceWord::Strong;
    if (p < SomeBelow) return EvidenceWord::Some;
    return EvidenceWord::NoClearLink;
}

// The best delay (smallest p, ties to the shorter) and the entry it makes.
EvidenceEntry EntryOf(const EvidenceLayout& layout, int food, int symptom,
                      EvidenceDirection direction, const std::vector<AtDelay>& delays) {
    std::size_t best = 0;
    for (std::size_t d = 1; d < delays.size(); ++d)
        if (delays[d].p < delays[best].p) best = d;
    EvidenceEntry entry;
    entry.food = food;
    entry.symptom = symptom;
    entry.direction = direction;
    entry.delay = layout.shortestDelay + static_cast<int>(best);
    CountTotals(layout, symptom, layout.Column(food * layout.delays + static_cast<int>(best)),
                entry);
    CountComparable(delays[best].strata, entry);
    entry.p = std::min(1.0, delays[best].p * static_cast<double>(layout.delays));
    entry.word = WordFor(entry.daysEaten, delays[best].guardStrong, entry.p);
    entry.sharesDaysWith = delays[best].shares;
    return entry;
}

// The strong foods eaten on at least one pair this food was eaten on, in diary order.
std::vector<int> SharedWithStrong(const EvidenceLayout& layout, const ColumnVerdicts& verdicts,
                                  int food, int delay) {
    std::vector<int> shared;
    if (verdicts.strong[static_cast<std::size_t>(food)]) return shared;
    const std::uint64_t* eaten = layout.Column(food * layout.delays + delay);
    for (int strongFood : verdicts.strongFoods) {
        const std::uint64_t* other = layout.Column(strongFood * layout.delays + delay);
        for (int w = 0; w < layout.words; ++w)
            if (eaten[w] & other[w] & layout.observations[static_cast<std::size_t>(w)]) {
                shared.push_back(strongFood);
                break;
            }
    }
    std::sort(shared.begin(), shared.end());
    return shared;
}

// The suspects (other foods) eaten on more than half of this column's pairs, in diary order.
std::vector<int> SharedWithSuspects(const EvidenceLayout& layout, const SymptomSuspects& suspects,
                                    int food, int column) {
    std::vector<int> shared;
    const std::uint64_t* eaten = layout.Column(column);
    const int days = [&] {
        int count = 0;
        for (int w = 0; w < layout.words; ++w)
            count += std::popcount(eaten[w] & layout.observations[static_cast<std::size_t>(w)]);
        return count;
    }();
    for (const Suspect& suspect : suspects.suspects) {
        const int other = suspect.column / layout.delays;
        if (other == food) continue;
        int together = 0;
        const std::uint64_t* theirs = layout.Column(suspect.column);
        for (int w = 0; w < layout.words; ++w)
            together += std::popcount(eaten[w] & theirs[w] &
                                      layout.observations[static_cast<std::size_t>(w)]);
        if (2 * together > days) shared.push_back(other);
    }
    std::sort(shared.begin(), shared.end());
    shared.erase(std::unique(shared.begin(), shared.end()), shared.end());
    return shared;
}

void ReadPlainSymptom(const EvidenceLayout& layout, int symptom,
                      std::vector<EvidenceEntry>& entries) {
    const auto delays = static_cast<std::size_t>(layout.delays);
    std::vector<ColumnVerdicts> verdicts[2];
    for (int direction = 0; direction < 2; ++direction)
        for (std::size_t d = 0; d < delays; ++d)
            verdicts[direction].push_back(
                RunGuard(layout, static_cast<int>(d),
                         layout.Outcome(symptom, direction == 0 ? EvidenceDirection::Worse
                                                                : EvidenceDirection::Better)));
    for (int food = 0; food < layout.foods; ++food)
        for (int direction = 0; direction < 2; ++direction) {
            const auto which =
                direction == 0 ? EvidenceDirection::Worse : EvidenceDirection::Better;
            std::vector<AtDelay> atDelays(delays);
            for (std::size_t d = 0; d < delays; ++d) {
                const ColumnVerdicts& v = verdicts[direction][d];
                atDelays[d].p = v.p[static_cast<std::size_t>(food)];
                atDelays[d].guardStrong = v.strong[static_cast<std::size_t>(food)];
                atDelays[d].strata =
                    StrataCounts(layout, layout.Column(food * layout.delays + static_cast<int>(d)),
                                 layout.Outcome(symptom, which), layout.observations, nullptr);
                atDelays[d].shares = SharedWithStrong(layout, v, food, static_cast<int>(d));
            }
            entries.push_back(EntryOf(layout, food, symptom, which, atDelays));
        }
}

void ReadAdjustedSymptom(const EvidenceLayout& layout, int symptom,
                         std::vector<EvidenceEntry>& entries) {
    const SymptomSuspects& suspects = layout.suspects[static_cast<std::size_t>(symptom)];
    const auto delays = static_cast<std::size_t>(layout.delays);
    for (int food = 0; food < layout.foods; ++food)
        for (const EvidenceDirection direction :
             {EvidenceDirection::Worse, EvidenceDirection::Better}) {
            std::vector<AtDelay> atDelays(delays);
            for (std::size_t d = 0; d < delays; ++d) {
                const int column = food * layout.delays + static_cast<int>(d);
                atDelays[d].strata =
                    StrataCounts(layout, layout.Column(column), layout.Outcome(symptom, direction),
                                 layout.observations, GroupingFor(suspects, column));
                atDelays[d].p = TailOf(atDelays[d].strata);
                atDelays[d].shares = SharedWithSuspects(layout, suspects, food, column);
            }
            entries.push_back(EntryOf(layout, food, symptom, direction, atDelays));
        }
}

}  // namespace

Result CheckEvidenceOptions(const EvidenceOptions& options) {
    if (options.shortestDelay < 0 || options.longestDelay > LongestEvidenceDelay ||
        options.shortestDelay > options.longestDelay)
        return {Result::Code::Invalid, "the delays must run from 0 to " +
                                           std::to_string(LongestEvidenceDelay) +
                                           " days, the shorter first (for example 0-3)"};
    if (options.period.lastDays < 0)
        return {Result::Code::Invalid, "the number of days must be positive"};
    if (options.period.from && options.period.to && *options.period.from > *options.period.to)
        return {Result::Code::Invalid, "the period's first date is after its last"};
    return Result::Success();
}

bool ParseEvidenceDelays(std::string_view text, EvidenceOptions& options) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    int shortest = 0;
    int longest = 0;
    if (text.size() == 1 && digit(text[0])) {
        shortest = longest = text[0] - '0';
    } else if (text.size() == 3 && digit(text[0]) && text[1] == '-' && digit(text[2])) {
        shortest = text[0] - '0';
        longest = text[2] - '0';
    } else {
        return false;
    }
    if (shortest > longest || longest > LongestEvidenceDelay) return false;
    options.shortestDelay = shortest;
    options.longestDelay = longest;
    return true;
}

std::string EvidenceDelaysText(const EvidenceOptions& options) {
    return std::to_string(options.shortestDelay) + "-" + std::to_string(options.longestDelay);
}

EvidenceInput EvidenceInputOf(const CGastrologDoc& document) {
    EvidenceInput input;
    for (const CFood& food : document.Foods()) input.foods.push_back(food.m_name);
    for (const CSymptom& symptom : document.Symptoms()) input.symptoms.push_back(symptom.m_name);
    input.days = lived::EveryLivedDay(document);
    return input;
}

EvidenceReading ReadEvidence(const CGastrologDoc& document, const EvidenceOptions& options) {
    return ReadEvidence(EvidenceInputOf(document), options);
}

EvidenceReading ReadEvidence(const EvidenceInput& input, const EvidenceOptions& options) {
    auto layout = std::make_shared<EvidenceLayout>(LayOutDays(input, options));
    if (!options.plain)
        for (int symptom = 0; symptom < layout->symptoms; ++symptom)
            layout->suspects.push_back(SuspectsOf(*layout, symptom));
    EvidenceReading reading;
    reading.options = options;
    reading.livedDays = layout->livedDays;
    reading.pairs = layout->observationCount;
    reading.blocks = static_cast<int>(layout->blocks.size());
    reading.firstDate = layout->firstDate;
    reading.lastDate = layout->lastDate;
    reading.entries.reserve(static_cast<std::size_t>(layout->symptoms) *
                            static_cast<std::size_t>(layout->foods) * 2);
    for (int symptom = 0; symptom < layout->symptoms; ++symptom) {
        if (options.plain)
            ReadPlainSymptom(*layout, symptom, reading.entries);
        else
            ReadAdjustedSymptom(*layout, symptom, reading.entries);
    }
    reading.layout = std::move(layout);
    return reading;
}

std::vector<EvidenceStratum> StrataOf(const EvidenceReading& reading, const EvidenceEntry& entry) {
    std::vector<EvidenceStratum> result;
    if (!reading.layout) return result;
    const EvidenceLayout& layout = *reading.layout;
    const int column = entry.food * layout.delays + (entry.delay - layout.shortestDelay);
    const EvidenceGrouping* grouping =
        layout.suspects.empty()
            ? nullptr
            : GroupingFor(layout.suspects[static_cast<std::size_t>(entry.symptom)], column);
    const auto strata =
        StrataCounts(layout, layout.Column(column), layout.Outcome(entry.symptom, entry.direction),
                     layout.observations, grouping);
    const std::size_t groups = grouping ? 3 : 1;
    for (std::size_t i = 0; i < strata.size(); ++i) {
        if (strata[i].eaten == 0) continue;
        const EvidenceBlock& block = layout.blocks[i / groups];
        const EvidenceGroup group =
            grouping ? static_cast<EvidenceGroup>(1 + i % groups) : EvidenceGroup::AllDays;
        result.push_back({static_cast<int>(i / groups), block.firstDate, block.lastDate, group,
                          strata[i].eaten, strata[i].both, strata[i].pairs - strata[i].eaten,
                          strata[i].withOutcome - strata[i].both});
    }
    return result;
}
