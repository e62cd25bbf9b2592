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

struct SymptomSuspects {
    std::vector<Suspect> suspects;
    // grouping 0: every suspect counts; grouping i + 1: every suspect but suspects[i]
    std::vector<EvidenceGrouping> groupings;
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

// The suspects of one symptom and the groupings they make.
SymptomSuspects SuspectsOf(const EvidenceLayout& layout, int symptom);
