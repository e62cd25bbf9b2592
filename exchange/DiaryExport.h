#pragma once
// The text `gastrolog-cli export` writes, for the command line and the desktop's File > Export.

#include <string>

class CGastrologDoc;

enum class ExportFormat { Json, Csv };

// Every stored member as JSON (two-space indents, a final line end), or the CSV table.
std::string DiaryExportText(const CGastrologDoc& doc, ExportFormat format);
