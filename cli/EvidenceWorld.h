#pragma once
// Simulated lived days for measuring the evidence over long diaries: several foods act on each
// symptom, some making it worse and some better, of sizes from 0.8 to 2 noise deviations, on
// the same day, the next, two days later or spread over one to three days; foods come and go
// and symptoms have bad spells of a few weeks; some foods are mostly eaten together.
//
// The person: 40 foods, each eaten on 8 % to 38 % of the days it is in the diet; three foods
// in ten come and go (in for three to eight weeks, then out for as long); every fifth food is
// eaten on 80 % of the days of the food before it and 5 % of the others. A symptom's day is
// noise (deviation 1) plus the links' sizes plus 0.9 in a bad spell (two to five weeks,
// beginning on 1.2 % of the other days), rated worse above 0.7 and better below -0.7, so that
// about a quarter of plain days are worse and a quarter better.

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
    // No bad spells, every food always in the diet, none eaten with another: nothing but the
    // noise and the links.
    bool steady = false;
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
    std::vector<int> companions;   // per food, the food it is mostly eaten with (-1: none)
};

EvidenceWorld MakeEvidenceWorld(const EvidenceWorldOptions& options);

// A link is clear when it is at least one noise deviation and its food was eaten on at least
// ten of the pairs (day, day + delay) and left out on at least ten. Rarer foods no rule can
// find: against the quarter to a third of worse days a symptom has anyway, "strong" then needs
// the symptom worse after nearly every one of them (after every one below seven).
inline constexpr double ClearLinkSize = 1.0;
inline constexpr int ClearLinkPairs = 10;
bool IsClearLink(const EvidenceWorld& world, const WorldLink& link);
// A food without a link of its own, mostly eaten with a food that has one.
bool RidesWithLinkedFood(const EvidenceWorld& world, int food);
