#pragma once
// The pairs a reading counted for one food and symptom at one delay, one by one with their
// dates: what the strip of days shows, so that it shows exactly the days behind the counts.

#include <vector>

#include "diary/DiaryConstants.h"
#include "engine/Evidence.h"

struct EvidencePair {
    bool eaten = false;
    char later = diary::NoChange;  // the rating `delay` days on: or diary::Worse, diary::Better
    lived::Date date = 0;          // the day the food was eaten or not
    int block = 0;                 // the reading's block of the pair, 0 the oldest
};

// The dates of a reading's blocks, by the days judged, as the strata give them; one block
// covering every pair when the reading has no blocks.
struct EvidenceBlockDates {
    lived::Date firstDate = 0;
    lived::Date lastDate = 0;
};

// Oldest first; empty when the food, the symptom or the delay is not in the reading.
std::vector<EvidencePair> EvidencePairsOf(const EvidenceReading& reading, int food, int symptom,
                                          int delay);
std::vector<EvidenceBlockDates> EvidenceBlocksOf(const EvidenceReading& reading);
