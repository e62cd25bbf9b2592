#pragma once
// A diary's summary: days recorded, the last update in local time, the number of foods and
// symptoms, the history's days, and each symptom's status on the current day.

#include <iosfwd>
#include <string>

class CGastrologDoc;

#include "diary/LivedDays.h"

// "N days, from DATE to DATE (M estimated)", or "no days".
std::string HistorySummary(const lived::LivedDays& days);

void WriteDiaryInfo(const CGastrologDoc& doc, std::ostream& out);
