// The two rules over the laid-out days. Both count per stratum (a block, and for the adjusted
// tally a group within it) and take p as the upper tail of the sum of the strata's independent
// hypergeometric counts; with one stratum that is the single exact test.

#include "engine/Evidence.h"

#include <algorithm>
#include <array>
#include <bit>
#include <iterator>
#include <optional>

#include "diary/GastrologDoc.h"
#include "engine/EvidenceLayout.h"
#include "engine/EvidenceStrataCounts.h"
#include "engine/EvidenceTails.h"
#include "engine/EvidenceWords.h"
#include "engine/ParallelFor.h"
#include "engine/PopulationCounts.h"

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
        // The guard reads one outcome: it is given as `worse`.
        const StrataMasks masks(layout, inUse, nullptr, outcome, outcome);
        int smallest = -1;
        for (std::size_t food = 0; food < foods; ++food) {
            if (result.strong[food]) continue;
            masks.CountWorse(column(food), strata);
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

// The grouping a column's days are split by: its delay's suspects other than the column itself.
std::size_t GroupingIndexFor(const SymptomSuspects& suspects, int column) {
    return suspects.GroupingIndex(column);
}

const EvidenceGrouping* GroupingFor(const SymptomSuspects& suspects, int column) {
    return &suspects.groupings[GroupingIndexFor(suspects, column)];
}

// The other pairs of the strata in which the food was eaten.
void CountComparable(const std::vector<StratumCounts>& strata, EvidenceEntry& entry) {
    // In locals: summed in the entry, each addition would wait for the store of the last.
    int days = 0;
    int outcome = 0;
    for (const StratumCounts& stratum : strata)
        if (stratum.eaten > 0) {
            days += stratum.pairs - stratum.eaten;
            outcome += stratum.withOutcome - stratum.both;
        }
    entry.comparableDays = days;
    entry.comparableOutcome = outcome;
}

// The pairs of the symptom's outcomes among all pairs in use.
struct OutcomeTotals {
    int worse = 0;
    int better = 0;
};

OutcomeTotals OutcomeTotalsOf(const EvidenceLayout& layout, int symptom) {
    const BitWords& worse = layout.worse[static_cast<std::size_t>(symptom)];
    const BitWords& better = layout.better[static_cast<std::size_t>(symptom)];
    OutcomeTotals totals;
    for (std::size_t w = 0; w < static_cast<std::size_t>(layout.words); ++w) {
        totals.worse += std::popcount(layout.observations[w] & worse[w]);
        totals.better += std::popcount(layout.observations[w] & better[w]);
    }
    return totals;
}

// The totals of an entry from its strata: the strata of all pairs in use (blocks, or groups
// within them) hold every pair once.
struct EntryTotals {
    int daysEaten = 0;
    int nextWorse = 0;
    int nextBetter = 0;
    int otherDays = 0;
    int otherWorse = 0;
    int otherBetter = 0;
};

EntryTotals TotalsOf(const EvidenceLayout& layout, const std::vector<StratumCounts>& worse,
                     const std::vector<StratumCounts>& better, OutcomeTotals outcomes) {
    EntryTotals totals;
    for (std::size_t i = 0; i < worse.size(); ++i) {
        totals.daysEaten += worse[i].eaten;
        totals.nextWorse += worse[i].both;
        totals.nextBetter += better[i].both;
    }
    totals.otherDays = layout.observationCount - totals.daysEaten;
    totals.otherWorse = outcomes.worse - totals.nextWorse;
    totals.otherBetter = outcomes.better - totals.nextBetter;
    return totals;
}

// A candidate reading of one food at one delay, in both directions (worse, better).
struct AtDelay {
    std::array<double, 2> p{1.0, 1.0};
    std::array<bool, 2> guardStrong{true, true};  // the adjusted tally has no guard
    std::array<std::vector<StratumCounts>, 2> strata;
    std::optional<EntryTotals> totals;  // worked out for the first entry that needs them
};

EvidenceWord WordFor(int daysEaten, bool guardStrong, double p) {
    if (daysEaten < FewestDaysEaten) return EvidenceWord::TooFewDays;
    if (guardStrong && p < StrongBelow) return EvidenceWord::Strong;
    if (p < SomeBelow) return EvidenceWord::Some;
    return EvidenceWord::NoClearLink;
}

// The best delay (smallest p, ties to the shorter) and the entry it makes, but for the foods it
// shares its days with.
EvidenceEntry EntryOf(const EvidenceLayout& layout, int food, int symptom,
                      EvidenceDirection direction, std::vector<AtDelay>& delays,
                      OutcomeTotals outcomes) {
    const std::size_t which = direction == EvidenceDirection::Worse ? 0 : 1;
    std::size_t best = 0;
    for (std::size_t d = 1; d < delays.size(); ++d)
        if (delays[d].p[which] < delays[best].p[which]) best = d;
    EvidenceEntry entry;
    entry.food = food;
    entry.symptom = symptom;
    entry.direction = direction;
    entry.delay = layout.shortestDelay + static_cast<int>(best);
    AtDelay& at = delays[best];
    if (!at.totals) at.totals = TotalsOf(layout, at.strata[0], at.strata[1], outcomes);
    entry.daysEaten = at.totals->daysEaten;
    entry.nextWorse = at.totals->nextWorse;
    entry.nextBetter = at.totals->nextBetter;
    entry.nextNoChange = entry.daysEaten - entry.nextWorse - entry.nextBetter;
    entry.otherDays = at.totals->otherDays;
    entry.otherWorse = at.totals->otherWorse;
    entry.otherBetter = at.totals->otherBetter;
    CountComparable(delays[best].strata[which], entry);
    entry.p = std::min(1.0, delays[best].p[which] * static_cast<double>(layout.delays));
    entry.word = WordFor(entry.daysEaten, delays[best].guardStrong[which], entry.p);
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

// The suspects (other foods) eaten on more than half of this column's `days` pairs, in diary
// order.
std::vector<int> SharedWithSuspects(const EvidenceLayout& layout, const SymptomSuspects& suspects,
                                    int food, int column, int days) {
    std::vector<int> shared;
    const std::uint64_t* eaten = layout.Column(column);
    for (const Suspect& suspect : suspects.suspects) {
        const int other = suspect.column / layout.delays;
        // Only the suspects of the same delay form the groups the food is compared in.
        if (other == food || suspect.column % layout.delays != column % layout.delays) continue;
        const int together =
            OnesIn(eaten, layout.Column(suspect.column), layout.observations.data(), layout.words);
        if (2 * together > days) shared.push_back(other);
    }
    std::sort(shared.begin(), shared.end());
    shared.erase(std::unique(shared.begin(), shared.end()), shared.end());
    return shared;
}

// The strata of every pair of the period, with the symptom's worse and better next days.
StrataMasks SymptomMasks(const EvidenceLayout& layout, int symptom,
                         const EvidenceGrouping* grouping) {
    const auto s = static_cast<std::size_t>(symptom);
    return StrataMasks(layout, layout.observations, grouping, layout.worse[s], layout.better[s]);
}

constexpr std::array<EvidenceDirection, 2> Directions{EvidenceDirection::Worse,
                                                      EvidenceDirection::Better};

void ReadPlainSymptom(const EvidenceLayout& layout, int symptom,
                      std::vector<EvidenceEntry>& entries) {
    const auto delays = static_cast<std::size_t>(layout.delays);
    std::array<std::vector<ColumnVerdicts>, 2> verdicts;
    for (std::size_t which = 0; which < 2; ++which)
        for (std::size_t d = 0; d < delays; ++d)
            verdicts[which].push_back(
                RunGuard(layout, static_cast<int>(d), layout.Outcome(symptom, Directions[which])));
    const StrataMasks masks = SymptomMasks(layout, symptom, nullptr);
    const OutcomeTotals totals = OutcomeTotalsOf(layout, symptom);
    std::vector<AtDelay> atDelays(delays);
    for (int food = 0; food < layout.foods; ++food) {
        for (std::size_t d = 0; d < delays; ++d) {
            AtDelay& at = atDelays[d];
            masks.Count(layout.Column(food * layout.delays + static_cast<int>(d)), at.strata[0],
                        at.strata[1]);
            at.totals.reset();
            for (std::size_t which = 0; which < 2; ++which) {
                const ColumnVerdicts& v = verdicts[which][d];
                at.p[which] = v.p[static_cast<std::size_t>(food)];
                at.guardStrong[which] = v.strong[static_cast<std::size_t>(food)];
            }
        }
        for (std::size_t which = 0; which < 2; ++which) {
            EvidenceEntry entry =
                EntryOf(layout, food, symptom, Directions[which], atDelays, totals);
            const int best = entry.delay - layout.shortestDelay;
            entry.sharesDaysWith = SharedWithStrong(
                layout, verdicts[which][static_cast<std::size_t>(best)], food, best);
            entries.push_back(std::move(entry));
        }
    }
}

void ReadAdjustedSymptom(const EvidenceLayout& layout, int symptom,
                         std::vector<EvidenceEntry>& entries) {
    const SymptomSuspects& suspects = layout.suspects[static_cast<std::size_t>(symptom)];
    const auto delays = static_cast<std::size_t>(layout.delays);
    std::vector<StrataMasks> masks;
    for (const EvidenceGrouping& grouping : suspects.groupings)
        masks.push_back(SymptomMasks(layout, symptom, &grouping));
    const OutcomeTotals totals = OutcomeTotalsOf(layout, symptom);
    std::vector<AtDelay> atDelays(delays);
    for (int food = 0; food < layout.foods; ++food) {
        for (std::size_t d = 0; d < delays; ++d) {
            AtDelay& at = atDelays[d];
            const int column = food * layout.delays + static_cast<int>(d);
            masks[GroupingIndexFor(suspects, column)].Count(layout.Column(column), at.strata[0],
                                                            at.strata[1]);
            at.totals.reset();
            for (std::size_t which = 0; which < 2; ++which) at.p[which] = TailOf(at.strata[which]);
        }
        int sharesDelay = -1;  // both directions often take the same delay
        std::vector<int> shares;
        for (const EvidenceDirection direction : Directions) {
            EvidenceEntry entry = EntryOf(layout, food, symptom, direction, atDelays, totals);
            if (entry.delay != sharesDelay) {
                sharesDelay = entry.delay;
                shares = SharedWithSuspects(
                    layout, suspects, food,
                    food * layout.delays + entry.delay - layout.shortestDelay, entry.daysEaten);
            }
            entry.sharesDaysWith = shares;
            entries.push_back(std::move(entry));
        }
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
    const auto symptoms = static_cast<std::size_t>(layout->symptoms);
    if (!options.plain) layout->suspects.resize(symptoms);
    // Symptoms are read independently of each other, so each gets a core of its own; every
    // symptom's entries are its own, in the same order as when read one after another.
    std::vector<std::vector<EvidenceEntry>> bySymptom(symptoms);
    ParallelFor(layout->symptoms, [&](int symptom) {
        const auto s = static_cast<std::size_t>(symptom);
        bySymptom[s].reserve(static_cast<std::size_t>(layout->foods) * 2);
        if (options.plain) {
            ReadPlainSymptom(*layout, symptom, bySymptom[s]);
        } else {
            layout->suspects[s] = SuspectsOf(*layout, symptom);
            ReadAdjustedSymptom(*layout, symptom, bySymptom[s]);
        }
    });
    EvidenceReading reading;
    reading.options = options;
    reading.livedDays = layout->livedDays;
    reading.pairs = layout->observationCount;
    reading.blocks = static_cast<int>(layout->blocks.size());
    reading.firstDate = layout->firstDate;
    reading.lastDate = layout->lastDate;
    reading.entries.reserve(symptoms * static_cast<std::size_t>(layout->foods) * 2);
    for (std::vector<EvidenceEntry>& entries : bySymptom)
        std::move(entries.begin(), entries.end(), std::back_inserter(reading.entries));
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
