#pragma once
// File > Export... (the CSV or JSON that `gastrolog-cli export` writes) and File > Export
// Report... (the report for the doctor as a PDF, on the paper of the print setup).

#include <wx/cmndata.h>
#include <wx/window.h>

#include <string>

#include "diary/FileResult.h"
#include "exchange/DiaryExport.h"
#include "page/ReportPeriod.h"

class CGastrologDoc;

// The format File > Export... writes: the one the file's extension names (.csv or .json), else
// the one of the file type chosen in the dialog (0 CSV, 1 JSON).
ExportFormat ExportFormatFor(const wxString& path, int chosenType);
// Writes the diary as `gastrolog-cli export` does, safely and never over a diary (the diary's
// own file included); the result says why it could not.
FileResult WriteDiaryExport(const CGastrologDoc& doc, const wxString& path, ExportFormat format);

void ExportDiaryData(wxWindow* parent, const CGastrologDoc& doc, const wxString& diaryName);
// Asks for the report's period, then for the file.
void ExportReport(wxWindow* parent, const CGastrologDoc& doc, const wxString& diaryName,
                  const wxPrintData& printData);
// Export Report once the file is chosen: refuses a diary (with a message, writing nothing),
// else writes the report and reports any failure.
void WriteReport(wxWindow* parent, const CGastrologDoc& doc, const wxString& diaryName,
                 const wxPrintData& printData, const wxString& path,
                 const ReportPeriod& period = {});
