#pragma once
// The day-after tally for the terminal and as JSON.

#include <iosfwd>
#include <string>

#include "engine/Evidence.h"
#include "exchange/FloatJson.h"

class CGastrologDoc;

// The index of the symptom with this name (UTF-8; exact, else ignoring ASCII case), or -1.
int FindSymptom(const CGastrologDoc& doc, const std::string& name);

struct EvidenceReportOptions {
    int symptom = -1;  // only this symptom's entries; -1 for every symptom
    bool all = false;  // every word; otherwise "strong" and "some" only (text only)
};

// The explanation, then a table in diary order of symptoms and foods, worse before better.
void WriteEvidenceText(const CGastrologDoc& doc, const EvidenceReading& reading,
                       const EvidenceReportOptions& options, std::ostream& out);

// {"lived_days": N, "entries": [{"food", "symptom", "direction", "days_eaten", "next_worse",
// "next_better", "next_no_change", "other_days", "other_worse", "other_better", "p", "word",
// "shares_days_with"}]}: every entry of the chosen symptoms, whatever its word.
Json EvidenceToJson(const CGastrologDoc& doc, const EvidenceReading& reading,
                    const EvidenceReportOptions& options);

// "Bread, Cheese" for the foods a reading entry shares its days with.
std::string SharedFoodNames(const CGastrologDoc& doc, const EvidenceEntry& entry);
