#pragma once
// What the evidence says in words, and in what order: one place for the window, the report,
// the command line and the assessment.

#include <string>
#include <string_view>
#include <vector>

#include "engine/Evidence.h"

inline constexpr double StrongBelow = 0.001;
inline constexpr double SomeBelow = 0.01;

// "too few days", "strong", "some", "no clear link".
std::string_view EvidenceWordText(EvidenceWord word);
// "worse", "better".
std::string_view EvidenceDirectionText(EvidenceDirection direction);
// "the same day", "the next day", "2 days later".
std::string EvidenceDelayText(int delay);
// "days with a food that soothes it", "days with neither", "days with a food that worsens
// it", "all days".
std::string_view EvidenceGroupText(EvidenceGroup group);

// Strong first, then some, no clear link, too few days.
int EvidenceWordRank(EvidenceWord word);
// "strong" or "some": a link worth showing.
bool IsStrongOrSome(EvidenceWord word);
// The strongest word of a food's entries (NoClearLink when it has none better).
EvidenceWord StrongestWordOf(const EvidenceReading& reading, int food);
// The strong and some entries: strong before some, worse before better, then reading order.
std::vector<const EvidenceEntry*> RankedLinks(const EvidenceReading& reading);

// Names as the reader shows them (already in the output's encoding).
struct EvidenceNames {
    std::string food;
    std::string symptom;
    std::string arrow = "\xE2\x86\x92";  // UTF-8 "→"
};

// "Milk → Bloating worse (strong). After Milk, Bloating was worse on 12 of 16 days; on
// comparable days 3 of 30."
std::string EvidenceSentence(const EvidenceNames& names, const EvidenceEntry& entry);
// "Days with a food that soothes it, 2025-03-03 to 2025-03-30: 1 of 4 after Milk, 0 of 12
// otherwise." ("with Milk" at delay 0, "2 days after Milk" at 2).
std::string StratumSentence(const EvidenceNames& names, const EvidenceStratum& stratum,
                            bool withDates, int delay = 1);
// "Pineapple: eaten on 2 days; not enough to tell."
std::string TooFewDaysSentence(const std::string& food, int daysEaten);

// The share of link-free simulated diaries in which a "strong" still turned up, as "one
// diary in N" (9 of 100 with `gastrolog-cli assess --seeds 100 --days 60`). Over a year it is
// about one in four (0.28 per diary with `assess --seeds 400 --evidence-days 365`).
inline constexpr int DiariesPerFalseStrong = 11;

// The explanation shown above every presentation of the evidence.
std::string EvidenceExplanation(bool plain);
// What a person can do about a strong row; and why "no clear link" is not "safe".
inline constexpr std::string_view EvidenceWhatToDo =
    "What you can do: leave the food out for two weeks, then eat it again and watch the next "
    "days. Talk to a doctor or dietitian before leaving out foods for long.";
inline constexpr std::string_view NoClearLinkIsNotSafe =
    "\"No clear link\" does not mean safe: a food eaten on few days, or always together with "
    "another that acts the other way, can hide a link.";
