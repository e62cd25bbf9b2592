#pragma once
// File > Export... (the CSV or JSON that `gastrolog-cli export` writes) and File > Export
// Report... (the report for the doctor as a PDF, on the paper of the print setup).

#include <wx/cmndata.h>
#include <wx/window.h>

class CGastrologDoc;

void ExportDiaryData(wxWindow* parent, const CGastrologDoc& doc, const wxString& diaryName);
void ExportReport(wxWindow* parent, const CGastrologDoc& doc, const wxString& diaryName,
                  const wxPrintData& printData);
