#pragma once
// The diary as a spreadsheet table (RFC 4180, CRLF line ends): a header row, then one row per
// lived day of the whole history, oldest first: the date, each symptom's rating ("better",
// "worse", "no change"; empty where the symptom did not exist that day), then for each food 1
// if it was eaten that day, else 0. Days never lived (before the diary began, or skipped and
// not entered) have no row.

#include <iosfwd>
#include <string>

class CGastrologDoc;

void WriteDiaryCsv(const CGastrologDoc& doc, std::ostream& out);

// One field, quoted when it holds a comma, a double quote or a line break. A field that a
// spreadsheet would take for a formula (starting with =, +, -, @, tab or carriage return) is
// kept as text by a leading apostrophe.
std::string CsvField(const std::string& text);
