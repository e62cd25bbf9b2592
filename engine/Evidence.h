#pragma once
// The day-after tally: for each food, symptom and direction, how often the symptom was worse
// (or better) on the day after the food compared with the other days, judged by an exact
// hypergeometric test, with a guard that keeps a food that only rides along with a strong one
// from being called strong too. Deterministic: the same diary gives the same bits anywhere.

#include <string_view>
#include <vector>

class CGastrologDoc;

enum class EvidenceDirection { Worse, Better };

enum class EvidenceWord { TooFewDays, Strong, Some, NoClearLink };

struct EvidenceEntry {
    int food = 0;     // index into the diary's foods
    int symptom = 0;  // index into the diary's symptoms
    EvidenceDirection direction = EvidenceDirection::Worse;
    int daysEaten = 0;  // lived pairs (day, next day) with the food eaten on the first
    int nextWorse = 0;
    int nextBetter = 0;
    int nextNoChange = 0;
    int otherDays = 0;  // the other lived pairs
    int otherWorse = 0;
    int otherBetter = 0;
    double p = 1.0;
    EvidenceWord word = EvidenceWord::NoClearLink;
    std::vector<int> sharesDaysWith;  // food indices of the strong foods whose days were left out
};

struct EvidenceReading {
    int livedDays = 0;  // min(day count, history length)
    // One entry per symptom x food x direction: symptoms in diary order, then foods, worse
    // before better.
    std::vector<EvidenceEntry> entries;
};

EvidenceReading ReadEvidence(const CGastrologDoc& document);

// "too few days", "strong", "some", "no clear link".
std::string_view EvidenceWordText(EvidenceWord word);
// "worse", "better".
std::string_view EvidenceDirectionText(EvidenceDirection direction);

// The sentence shown above every presentation of the reading.
inline constexpr std::string_view EvidenceExplanation =
    "For each food, Gastrolog counts how often a symptom was worse (or better) on the day after "
    "you ate it, and compares that with your other days. 'Strong' means a difference so large "
    "that luck alone would produce it less than once in 1,000 diaries; 'some' less than once in "
    "100, which is a hint to watch, not a verdict.";
