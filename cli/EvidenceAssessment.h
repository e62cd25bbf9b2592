#pragma once
// The evidence measured on simulated lived days (cli/EvidenceWorld.h) at several lengths: the
// plain count (with and without four-week blocks) and the adjusted tally, each the day after and
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
    int worseningLinks = 0;  // next-day worsening links planted
    int worseningFound = 0;  // of them, read "strong"
    int clearLinks = 0;      // of them, clear (IsClearLink)
    int clearFound = 0;
    int linkedDiaryFalseStrong = 0;  // "strong" on foods without any link, diaries with links
    int riderStrong = 0;             // of them, on foods mostly eaten with a linked food
    int linkFreeStrong = 0;          // "strong" in the same diaries with every link cut
    int linkFreeDiariesWithStrong = 0;
    int steadyStrong = 0;  // "strong" in steady link-free diaries (noise alone)
    // Clear worsening links acting the same day, two days later or spread over one to three.
    int laterLinks = 0;
    int laterFound = 0;
    // What the goal of at most 0.1 false "strong" per link-free diary would take: the p below
    // which a word would have to be strong to meet it on other seeds (N + 1 to 2N), and the
    // clear links found and false "strong" per link-free diary at that threshold here.
    double calibratedStrongBelow = 0.0;
    int clearFoundCalibrated = 0;
    int linkFreeStrongCalibrated = 0;
};

struct EvidenceAssessment {
    int diaries = 0;
    std::vector<int> lengths;
    std::vector<std::string> rules;
    std::vector<std::vector<EvidenceRuleTally>> tallies;  // [length][rule]
};

// Whether the default reading (the adjusted tally, the day after) meets the goals set for it.
struct EvidenceGoal {
    std::string text;
    bool met = false;
};
std::vector<EvidenceGoal> EvidenceGoals(const EvidenceAssessment& assessment);

// Refuses options it cannot assess, with the problem in a sentence.
Result RunEvidenceAssessment(const EvidenceAssessmentOptions& options,
                             EvidenceAssessment& assessment);
void WriteEvidenceAssessment(const EvidenceAssessment& assessment, std::ostream& out);
