#pragma once
// The evidence measured on simulated lived days (cli/EvidenceWorld.h) at several lengths: the
// plain count with and without four-week blocks, the adjusted tally, and the adjusted tally
// with the delay window, side by side.

#include <iosfwd>
#include <string>
#include <vector>

#include "diary/Result.h"

struct EvidenceAssessmentOptions {
    int seeds = 0;
    std::vector<int> lengths{50, 180, 365};
    int foods = 40;
    int symptoms = 5;
};

// Reads "50/180/365" (or with commas); false for anything else.
bool ParseAssessedLengths(const std::string& text, std::vector<int>& lengths);

struct EvidenceRuleTally {
    int worseningLinks = 0;          // next-day worsening links planted
    int worseningFound = 0;          // of them, read "strong"
    int linkedDiaryFalseStrong = 0;  // "strong" on foods without any link, diaries with links
    int linkFreeStrong = 0;          // "strong" in the same diaries with every link cut
    int linkFreeDiariesWithStrong = 0;
    int laterLinks = 0;  // worsening links acting the same day, two days later or spread
    int laterFound = 0;
};

struct EvidenceAssessment {
    int diaries = 0;
    std::vector<int> lengths;
    std::vector<std::string> rules;
    std::vector<std::vector<EvidenceRuleTally>> tallies;  // [length][rule]
};

// Refuses options it cannot assess, with the problem in a sentence.
Result RunEvidenceAssessment(const EvidenceAssessmentOptions& options,
                             EvidenceAssessment& assessment);
void WriteEvidenceAssessment(const EvidenceAssessment& assessment, std::ostream& out);
