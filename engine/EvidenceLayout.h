#pragma once
// The lived days of a reading laid out as bits: one bit an observation (a day whose symptoms
// are judged, with the day `delay` before it lived for every delay of the window), in date
// order. With blocks each block of 28 days has a 64-bit word of its own, so a block's counts
// are population counts of one word.

#include <array>
#include <cstdint>
#include <vector>

#include "engine/Evidence.h"
#include "engine/ForwardSelection.h"

struct EvidenceBlock {
    int firstWord = 0;
    int wordCount = 0;
    lived::Date firstDate = 0;
    lived::Date lastDate = 0;
};

// The pairs of one symptom split by the push of the suspects other than one column.
struct EvidenceGrouping {
    std::array<BitWords, 3> groups;  // soothing, neither, worsening
};

// Each delay has suspects of its own, chosen among the foods at that delay alone: a delay is
// read as the day after is, so that multiplying p by the number of delays keeps luck in check.
struct SymptomSuspects {
    int delays = 1;
    std::vector<Suspect> suspects;  // delay by delay
    // Per delay, the grouping in which every suspect of that delay counts, followed by one per
    // suspect of the delay in which every other one counts.
    std::vector<EvidenceGrouping> groupings;
    std::vector<std::size_t> delayGroupings;    // per delay index
    std::vector<std::size_t> suspectGroupings;  // per suspect

    // The grouping a column's days are compared in: its delay's suspects other than itself.
    std::size_t GroupingIndex(int column) const {
        for (std::size_t s = 0; s < suspects.size(); ++s)
            if (suspects[s].column == column) return suspectGroupings[s];
        return delayGroupings[static_cast<std::size_t>(column % delays)];
    }
};

struct EvidenceLayout {
    int words = 0;  // per column
    int delays = 1;
    int shortestDelay = 1;
    int foods = 0;
    int symptoms = 0;
    int livedDays = 0;
    int observationCount = 0;
    lived::Date firstDate = 0;
    lived::Date lastDate = 0;
    std::vector<EvidenceBlock> blocks;
    BitWords observations;
    // Per observation, oldest first: the judged day's date and its bit, for showing the pairs.
    std::vector<lived::Date> observationDates;
    std::vector<int> observationBits;
    std::vector<BitWords> worse;   // per symptom
    std::vector<BitWords> better;  // per symptom
    BitWords eaten;                // column food * delays + delay index, `words` words each
    std::vector<SymptomSuspects> suspects;  // per symptom; empty for the plain count

    const std::uint64_t* Column(int column) const {
        return eaten.data() + static_cast<std::size_t>(column) * static_cast<std::size_t>(words);
    }
    const BitWords& Outcome(int symptom, EvidenceDirection direction) const {
        return direction == EvidenceDirection::Worse ? worse[static_cast<std::size_t>(symptom)]
                                                     : better[static_cast<std::size_t>(symptom)];
    }
};

// Lays out the input's days of the period for the options' delays.
EvidenceLayout LayOutDays(const EvidenceInput& input, const EvidenceOptions& options);

// The suspects of one symptom, delay by delay, and the groupings they make.
SymptomSuspects SuspectsOf(const EvidenceLayout& layout, int symptom);
