#pragma once
// A diary's summary: days recorded, the last update in local time, the number of foods and
// symptoms, and each symptom's status on the current day.

#include <iosfwd>
#include <string>

class CGastrologDoc;

void WriteDiaryInfo(const CGastrologDoc& doc, std::ostream& out);
