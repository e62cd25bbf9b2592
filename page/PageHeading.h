#pragma once
// The heading line of the page and the date of the lists it names.

#include <string>

#include "diary/Ports.h"

class CGastrologDoc;

// "Monday, January 02, 2006": the day the lists are for. From the day-change hour on, the
// lists are for the next calendar day (a calendar day, so a day of 23 or 25 hours changes
// nothing).
std::string ListsDate(TimeValue now, int newDayHour);

// The heading: "\"title\".    " followed by the lists phrase and the day number, in UTF-8:
// the title is the file's name as the file system holds it, which the diary's code page may
// not be able to hold.
std::string HeadingText(const CGastrologDoc& doc);
