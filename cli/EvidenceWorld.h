#pragma once
// Simulated lived days for measuring the evidence over long diaries: several foods act on each
// symptom, some making it worse and some better, of sizes from 0.8 to 2 noise deviations, on
// the same day, the next, two days later or spread over one to three days; foods come and go
// and symptoms have bad spells of a few weeks; some foods are mostly eaten together.

#include <cstdint>
#include <vector>

#include "engine/Evidence.h"

enum class WorldDelays { NextDay, Mixed };

struct EvidenceWorldOptions {
    int days = 50;
    std::uint32_t seed = 1;
    int foods = 40;
    int symptoms = 5;
    WorldDelays delays = WorldDelays::NextDay;
    bool noLinks = false;  // the same days and ratings' noise, with every effect cut
};

struct WorldLink {
    int food = 0;
    int symptom = 0;
    bool worse = true;
    double size = 1.0;  // in noise standard deviations
    int delay = 1;      // 0, 1, 2; with spread, the effect is split over days 1 to 3
    bool spread = false;
};

struct EvidenceWorld {
    EvidenceInput input;
    std::vector<WorldLink> links;  // empty without links
};

EvidenceWorld MakeEvidenceWorld(const EvidenceWorldOptions& options);
