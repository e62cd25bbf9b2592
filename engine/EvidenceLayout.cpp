#include "engine/EvidenceLayout.h"

#include <algorithm>
#include <bit>
#include <numeric>
#include <string>
#include <string_view>
#include <unordered_map>

#include "diary/DiaryConstants.h"
#include "engine/ParallelFor.h"

namespace {

constexpr int BlockDays = 28;
constexpr int LongestSpanWithoutBlocks = 56;
constexpr double GroupEdge = 0.25;
constexpr int Bits = 64;

struct KeptDay {
    lived::Date date;
    const lived::LivedDay* day;
};

// The period's days, oldest first, one a date (the later entry wins).
std::vector<KeptDay> DaysOfPeriod(const lived::LivedDays& days, const EvidencePeriod& period) {
    std::vector<KeptDay> kept;
    if (days.empty()) return kept;
    lived::Date newest = days.front().date;
    for (const lived::LivedDay& day : days) newest = std::max(newest, day.date);
    for (const lived::LivedDay& day : days) {
        // In 64 bits: a huge day count must not wrap round.
        if (period.lastDays > 0 &&
            static_cast<long long>(day.date) <= static_cast<long long>(newest) - period.lastDays)
            continue;
        if (period.from && day.date < *period.from) continue;
        if (period.to && day.date > *period.to) continue;
        kept.push_back({day.date, &day});
    }
    std::stable_sort(kept.begin(), kept.end(),
                     [](const KeptDay& a, const KeptDay& b) { return a.date < b.date; });
    std::vector<KeptDay> unique;
    for (const KeptDay& day : kept) {
        if (!unique.empty() && unique.back().date == day.date)
            unique.back() = day;
        else
            unique.push_back(day);
    }
    return unique;
}

// Names to their first index: open addressing over a power of two of places, so that a look-up
// is one hash and mostly one comparison (a long history looks up every food of every day).
class NameIndex {
public:
    explicit NameIndex(const std::vector<std::string>& names) : m_names(names) {
        std::size_t places = 16;
        while (places < 2 * names.size()) places *= 2;
        m_places.assign(places, -1);
        for (std::size_t i = 0; i < names.size(); ++i) {
            std::size_t at = PlaceOf(names[i]);
            while (m_places[at] >= 0 && names[static_cast<std::size_t>(m_places[at])] != names[i])
                at = (at + 1) & (m_places.size() - 1);
            if (m_places[at] < 0) m_places[at] = static_cast<int>(i);  // the first one stays
        }
    }

    // The index of `name`, or -1.
    int Find(std::string_view name) const {
        for (std::size_t at = PlaceOf(name);; at = (at + 1) & (m_places.size() - 1)) {
            const int index = m_places[at];
            if (index < 0 || m_names[static_cast<std::size_t>(index)] == name) return index;
        }
    }

private:
    std::size_t PlaceOf(std::string_view name) const {
        return std::hash<std::string_view>{}(name) & (m_places.size() - 1);
    }

    const std::vector<std::string>& m_names;
    std::vector<int> m_places;
};

// The foods of each day as indices. Looking the names up is most of laying out a long
// history, so the days are shared among the cores; each day's list is its own.
std::vector<std::vector<int>> FoodsEatenOn(const std::vector<KeptDay>& days,
                                           const std::vector<std::string>& foods) {
    const NameIndex foodIndex(foods);
    std::vector<std::vector<int>> eatenOn(days.size());
    constexpr std::size_t DaysAPiece = 128;
    const auto pieces = static_cast<int>((days.size() + DaysAPiece - 1) / DaysAPiece);
    ParallelFor(pieces, [&](int piece) {
        const std::size_t first = static_cast<std::size_t>(piece) * DaysAPiece;
        for (std::size_t d = first; d < std::min(days.size(), first + DaysAPiece); ++d)
            for (const std::string& name : days[d].day->eaten)
                if (const int food = foodIndex.Find(name); food >= 0) eatenOn[d].push_back(food);
    });
    return eatenOn;
}

struct Observation {
    lived::Date date;
    int day;                   // index into the kept days
    std::vector<int> sources;  // per delay, the index of the day the food was eaten on
};

std::vector<Observation> Observations(const std::vector<KeptDay>& days,
                                      const EvidenceOptions& options) {
    std::unordered_map<lived::Date, int> indexOfDate;
    for (std::size_t i = 0; i < days.size(); ++i)
        indexOfDate.emplace(days[i].date, static_cast<int>(i));
    std::vector<Observation> observations;
    for (std::size_t i = 0; i < days.size(); ++i) {
        Observation observation{days[i].date, static_cast<int>(i), {}};
        for (int delay = options.shortestDelay; delay <= options.longestDelay; ++delay) {
            const auto found = indexOfDate.find(days[i].date - delay);
            if (found == indexOfDate.end()) break;
            observation.sources.push_back(found->second);
        }
        if (static_cast<int>(observation.sources.size()) == options.DelayCount())
            observations.push_back(std::move(observation));
    }
    return observations;
}

void SetBit(BitWords& words, std::size_t offset, int bit) {
    words[offset + static_cast<std::size_t>(bit / Bits)] |= std::uint64_t{1} << (bit % Bits);
}

// Bit positions: with blocks, block b (0 the oldest) starts at word b; else one after another.
std::vector<int> PlaceObservations(const std::vector<Observation>& observations, bool blocked,
                                   EvidenceLayout& layout) {
    std::vector<int> bits(observations.size());
    if (observations.empty()) {
        layout.blocks.push_back({0, 0, 0, 0});
        return bits;
    }
    const lived::Date newest = observations.back().date;
    if (!blocked) {
        layout.words = (static_cast<int>(observations.size()) + Bits - 1) / Bits;
        layout.blocks.push_back(
            {0, layout.words, observations.front().date, observations.back().date});
        std::iota(bits.begin(), bits.end(), 0);
        return bits;
    }
    const int blockCount = (newest - observations.front().date) / BlockDays + 1;
    layout.words = blockCount;
    for (int block = 0; block < blockCount; ++block) {
        const lived::Date last = newest - (blockCount - 1 - block) * BlockDays;
        layout.blocks.push_back({block, 1, last - BlockDays + 1, last});
    }
    for (std::size_t i = 0; i < observations.size(); ++i) {
        const int block = blockCount - 1 - (newest - observations[i].date) / BlockDays;
        const lived::Date blockFirst = layout.blocks[static_cast<std::size_t>(block)].firstDate;
        bits[i] = block * Bits + (observations[i].date - blockFirst);
    }
    layout.blocks.front().firstDate =
        std::max(layout.blocks.front().firstDate, observations.front().date);
    return bits;
}

void FillBits(const std::vector<KeptDay>& days, const std::vector<Observation>& observations,
              const std::vector<int>& bits, const EvidenceInput& input, EvidenceLayout& layout) {
    const auto words = static_cast<std::size_t>(layout.words);
    layout.observations.assign(words, 0);
    layout.worse.assign(input.symptoms.size(), BitWords(words, 0));
    layout.better.assign(input.symptoms.size(), BitWords(words, 0));
    layout.eaten.assign(words * input.foods.size() * static_cast<std::size_t>(layout.delays), 0);
    const NameIndex symptomIndex(input.symptoms);
    const std::vector<std::vector<int>> eatenOn = FoodsEatenOn(days, input.foods);
    for (std::size_t i = 0; i < observations.size(); ++i) {
        const Observation& observation = observations[i];
        SetBit(layout.observations, 0, bits[i]);
        for (const auto& [name, code] :
             days[static_cast<std::size_t>(observation.day)].day->ratings) {
            const int found = symptomIndex.Find(name);
            if (found < 0) continue;
            const auto symptom = static_cast<std::size_t>(found);
            if (code == diary::Worse) SetBit(layout.worse[symptom], 0, bits[i]);
            if (code == diary::Better) SetBit(layout.better[symptom], 0, bits[i]);
        }
        for (int delay = 0; delay < layout.delays; ++delay)
            for (int food : eatenOn[static_cast<std::size_t>(
                     observation.sources[static_cast<std::size_t>(delay)])])
                SetBit(layout.eaten, static_cast<std::size_t>(food * layout.delays + delay) * words,
                       bits[i]);
    }
}

// Pairs whose push from the suspects (all, or all but one) is below, within or above the edge.
EvidenceGrouping GroupingOf(const EvidenceLayout& layout, const std::vector<Suspect>& suspects,
                            int leftOut) {
    const auto words = static_cast<std::size_t>(layout.words);
    EvidenceGrouping grouping;
    for (BitWords& group : grouping.groups) group.assign(words, 0);
    // The suspects in play and their words of the pairs at hand. A suspect not eaten on a pair
    // adds +0, which leaves every sum as it was (a push is never -0), so the sums need no branch.
    std::vector<double> weights;
    std::vector<const std::uint64_t*> columns;
    for (std::size_t s = 0; s < suspects.size(); ++s)
        if (static_cast<int>(s) != leftOut) {
            weights.push_back(suspects[s].weight);
            columns.push_back(layout.Column(suspects[s].column));
        }
    std::vector<std::uint64_t> eaten(columns.size());
    for (std::size_t w = 0; w < words; ++w) {
        for (std::size_t s = 0; s < columns.size(); ++s) eaten[s] = columns[s][w];
        for (std::uint64_t bits = layout.observations[w]; bits != 0; bits &= bits - 1) {
            const int bit = std::countr_zero(bits);
            double push = 0.0;
            for (std::size_t s = 0; s < weights.size(); ++s) {
                const std::array<double, 2> choice{0.0, weights[s]};
                push += choice[(eaten[s] >> bit) & 1];
            }
            const int group = push < -GroupEdge ? 0 : push > GroupEdge ? 2 : 1;
            grouping.groups[static_cast<std::size_t>(group)][w] |= std::uint64_t{1} << bit;
        }
    }
    return grouping;
}

}  // namespace

EvidenceLayout LayOutDays(const EvidenceInput& input, const EvidenceOptions& options) {
    EvidenceLayout layout;
    layout.delays = options.DelayCount();
    layout.shortestDelay = options.shortestDelay;
    layout.foods = static_cast<int>(input.foods.size());
    layout.symptoms = static_cast<int>(input.symptoms.size());
    const std::vector<KeptDay> days = DaysOfPeriod(input.days, options.period);
    layout.livedDays = static_cast<int>(days.size());
    if (!days.empty()) {
        layout.firstDate = days.front().date;
        layout.lastDate = days.back().date;
    }
    const std::vector<Observation> observations = Observations(days, options);
    layout.observationCount = static_cast<int>(observations.size());
    const bool blocked =
        options.blocks && !observations.empty() &&
        observations.back().date - observations.front().date + 1 > LongestSpanWithoutBlocks;
    const std::vector<int> bits = PlaceObservations(observations, blocked, layout);
    FillBits(days, observations, bits, input, layout);
    for (const Observation& observation : observations)
        layout.observationDates.push_back(observation.date);
    layout.observationBits = bits;
    return layout;
}

namespace {

// The suspects among the foods at one delay index; columns as in the layout.
std::vector<Suspect> SuspectsAtDelay(const EvidenceLayout& layout, int symptom, int delay) {
    SuspectProblem problem;
    problem.wordCount = layout.words;
    problem.observations = layout.observations;
    problem.worse = layout.worse[static_cast<std::size_t>(symptom)];
    problem.better = layout.better[static_cast<std::size_t>(symptom)];
    BitWords columns;
    if (layout.delays == 1) {
        problem.columns = layout.eaten.data();
    } else {
        for (int food = 0; food < layout.foods; ++food) {
            const std::uint64_t* column = layout.Column(food * layout.delays + delay);
            columns.insert(columns.end(), column, column + layout.words);
        }
        problem.columns = columns.data();
    }
    problem.columnCount = layout.foods;
    std::vector<Suspect> suspects = FindSuspects(problem);
    for (Suspect& suspect : suspects) suspect.column = suspect.column * layout.delays + delay;
    return suspects;
}

}  // namespace

SymptomSuspects SuspectsOf(const EvidenceLayout& layout, int symptom) {
    SymptomSuspects result;
    result.delays = layout.delays;
    for (int delay = 0; delay < layout.delays; ++delay) {
        const std::vector<Suspect> suspects = SuspectsAtDelay(layout, symptom, delay);
        result.delayGroupings.push_back(result.groupings.size());
        result.groupings.push_back(GroupingOf(layout, suspects, -1));
        for (std::size_t s = 0; s < suspects.size(); ++s) {
            result.suspects.push_back(suspects[s]);
            result.suspectGroupings.push_back(result.groupings.size());
            result.groupings.push_back(GroupingOf(layout, suspects, static_cast<int>(s)));
        }
    }
    return result;
}
