#pragma once
// What the engine's readings give back for the document to keep: the generated lists with
// every food's score, and the day-after relationships.

#include <functional>
#include <vector>

#include "diary/ListEntries.h"
#include "diary/Ports.h"

struct GeneratedLists {
    std::vector<CInclusion> inclusions;
    std::vector<CExclusion> exclusions;
    std::vector<COver50Day> over50Days;  // empty unless unclassified foods are listed apart
    std::vector<float> scores;           // each food's, in the diary's order of foods
    double baseline = 0.0;               // the average score dividing inclusion from exclusion
};

// Three parallel columns: each symptom with its best and worst food.
struct Relationships {
    StringList symptoms;
    StringList bestFoods;
    StringList worstFoods;
};

// A training run, told to call afterEpoch once per epoch.
using EpochDone = std::function<void()>;
using TrainingRun = std::function<void(const EpochDone& afterEpoch)>;
