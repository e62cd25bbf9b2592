#pragma once
// The report for the doctor as a PDF: the summary, the symptoms over time, what was eaten and
// the day-after relationships, over as many pages as they need, with the diary's name and the
// page number on every page. The same diary gives the same bytes: the document's date is the
// diary's last update, not the clock.

#include <string>

#include "diary/EngineResults.h"
#include "diary/Result.h"
#include "page/ReportLayout.h"

class CGastrologDoc;

// Draws the report with the lists and relationships given, over the period's days (every lived
// day by default). The diary's name is the file's name in UTF-8, as the file system holds it.
// The PDF goes into `pdf` (nothing when it fails).
Result DrawReport(const CGastrologDoc& doc, const GeneratedLists& lists,
                  const Relationships& relationships, const std::string& diaryName, PaperSize paper,
                  std::string& pdf, const ReportPeriod& period = {});

// Generates the current lists (unclassified foods placed as the 50DayAction setting says) and
// the day-after relationships, then draws the report over the period's days. The diary stays
// exactly as it is.
Result MakeReport(const CGastrologDoc& doc, const std::string& diaryName, PaperSize paper,
                  int unclassifiedAction, std::string& pdf, const ReportPeriod& period = {});
