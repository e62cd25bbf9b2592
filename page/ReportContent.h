#pragma once
// What the report says, apart from where it goes: the period, the order of the foods, the
// links of the day-after tally in words, and the wrapping of paragraphs.

#include <string>
#include <string_view>
#include <vector>

#include "engine/Evidence.h"
#include "engine/EvidenceWords.h"
#include "page/ReportPeriod.h"

class CGastrologDoc;
class DayAxis;

// "Monday, March 03, 2025 to Tuesday, April 22, 2025", or an empty string before the first day.
std::string PeriodText(const DayAxis& axis);

// Lived days on which a food was eaten or a symptom rated better or worse.
int DaysWithEntries(const PeriodHistories& histories);

// Food indices in the grid's order: foods with a strong link first, then foods with some link,
// then the rest; within each, more lived days eaten first, then diary order.
std::vector<int> FoodsByEvidence(const CGastrologDoc& doc, const EvidenceReading& reading,
                                 const PeriodHistories& histories);
// The same over every lived day.
std::vector<int> FoodsByEvidence(const CGastrologDoc& doc, const EvidenceReading& reading);

// The entries worth showing, in the engine's order (strong first, then some; worse first).
std::vector<const EvidenceEntry*> StrongAndSomeLinks(const EvidenceReading& reading);

// One link in words with its numbers, for example "Red wine -> Headache worse (strong). After
// Red wine, Headache was worse on 9 of 12 days; on comparable days 8 of 37 (p = 0.0002).".
std::string LinkText(const CGastrologDoc& doc, const EvidenceEntry& entry);

// The strongest word any of a food's entries has: "strong", "some" or an empty string.
std::string FoodLinkWord(const EvidenceReading& reading, int food);

// The words of the text in lines of at most `width` characters (a longer word gets a line of
// its own, cut to the width).
std::vector<std::string> WrapText(std::string_view text, int width);

// What the generated lists are, and how far to trust them, with the figures of the help page
// "How sure can I be?".
std::string ListsExplanation();

inline constexpr std::string_view RelationshipsExplanation =
    "For each symptom, the food most consistently followed by a better day and the one most "
    "consistently followed by a worse day, counted in runs of at least 4 occasions (Relate "
    "Foods to Symptoms). A run can arise by chance; the day-after tally above says how likely "
    "that is.";
