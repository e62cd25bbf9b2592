#pragma once
// Printing and print preview of the page: the page cut into printed pages of whole rows, drawn
// with a slightly larger "Courier New" and a 60-unit margin.

#include <wx/font.h>
#include <wx/print.h>

#include "diary/Result.h"
#include "page/Canvas.h"

class CGastrologDoc;
class wxPrintData;
class wxWindow;

class PagePrintout : public wxPrintout {
public:
    // totalLines: the screen view's row estimate from its last update; it decides the page
    // count, so the last pages may be empty.
    PagePrintout(const CGastrologDoc& doc, int totalLines, const wxString& title);

    void OnPreparePrinting() override;
    void OnBeginPrinting() override;
    void OnEndPrinting() override;
    void GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) override;
    bool HasPage(int page) override;
    bool OnPrintPage(int page) override;

    int GetPageCount() const { return m_pageCount; }
    int GetLinesPerPage() const { return m_nLinesPerPage; }
    int GetPrintLineHeight() const { return m_nPrintLineHeight; }

private:
    void PrepareFont();

    const CGastrologDoc& m_doc;
    int m_nTotalLines;
    int m_nLinesPerPage = 1;
    int m_nFirstLine = 0;
    int m_nLastLine = 0;
    int m_nPrintLineHeight = 0;
    int m_pageCount = 1;
    wxFont m_fontPrinter;
    FontMetrics m_printerMetrics;
};

// The print dialog, then the pages on the chosen printer. False when cancelled or failed.
bool PrintPage(wxWindow* parent, wxPrintData& printData, const CGastrologDoc& doc, int totalLines,
               const wxString& title);
// A preview frame showing one page at a time.
void ShowPrintPreview(wxWindow* parent, wxPrintData& printData, const CGastrologDoc& doc,
                      int totalLines, const wxString& title);
// Every page into a PostScript file, without any dialog.
Result PrintToPostScriptFile(const CGastrologDoc& doc, int totalLines, const wxString& path,
                             const wxString& title);
