#include "desktop/PagePrintout.h"

#include <wx/dc.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/generic/printps.h>
#include <wx/log.h>
#include <wx/printdlg.h>
#include <wx/toplevel.h>

#include "desktop/PageFont.h"
#include "desktop/WindowPlacement.h"
#include "desktop/WxCanvas.h"
#include "diary/GastrologDoc.h"
#include "page/PageLayout.h"
#include "page/PageMetrics.h"

PagePrintout::PagePrintout(const CGastrologDoc& doc, int totalLines, const wxString& title)
    : wxPrintout(title), m_doc(doc), m_nTotalLines(totalLines) {}

namespace {

// Logical units become the printer's device units, also on the preview's smaller bitmap.
void MapPrinterPixelsToDc(wxPrintout& printout, wxDC& dc) {
    int pageWidth = 0, pageHeight = 0, dcWidth = 0, dcHeight = 0;
    printout.GetPageSizePixels(&pageWidth, &pageHeight);
    dc.GetSize(&dcWidth, &dcHeight);
    if (pageWidth <= 0 || pageHeight <= 0 || dcWidth <= 0 || dcHeight <= 0) return;
    dc.SetUserScale(double(dcWidth) / pageWidth, double(dcHeight) / pageHeight);
}

}  // namespace

void PagePrintout::PrepareFont() {
    wxDC* dc = GetDC();
    if (!dc) return;
    int ppiX = 0, ppiY = 0;
    GetPPIPrinter(&ppiX, &ppiY);
    if (ppiY <= 0) ppiY = dc->GetPPI().y;
    // Measured unscaled: the fonts scale with the DC, so the fit holds at any scale.
    double scaleX = 1.0, scaleY = 1.0;
    dc->GetUserScale(&scaleX, &scaleY);
    dc->SetUserScale(1.0, 1.0);
    const PageFont printerFont = MakePrinterFont(*dc, ppiY);
    dc->SetUserScale(scaleX, scaleY);
    m_fontPrinter = printerFont.font;
    m_printerMetrics = printerFont.metrics;
    m_nPrintLineHeight = m_printerMetrics.RowHeight();

    int pageWidth = 0, pageHeight = 0;
    GetPageSizePixels(&pageWidth, &pageHeight);
    // The top margin is as wide as the side margin.
    m_nLinesPerPage =
        page_metrics::LinesPerPage(pageHeight - page_metrics::PrinterMargin, m_nPrintLineHeight);
    m_pageCount = page_metrics::PageCount(m_nTotalLines, m_nLinesPerPage);
}

void PagePrintout::OnPreparePrinting() {
    PrepareFont();
}

void PagePrintout::OnBeginPrinting() {
    if (!m_fontPrinter.IsOk()) PrepareFont();
}

void PagePrintout::OnEndPrinting() {
    m_fontPrinter = wxNullFont;
}

void PagePrintout::GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) {
    *minPage = 1;
    *maxPage = m_pageCount;
    *pageFrom = 1;
    *pageTo = m_pageCount;
}

bool PagePrintout::HasPage(int page) {
    return page >= 1 && page <= m_pageCount;
}

bool PagePrintout::OnPrintPage(int page) {
    wxDC* dc = GetDC();
    if (!dc) return false;
    if (!m_fontPrinter.IsOk()) PrepareFont();
    const auto rows = page_metrics::PageRows(page, m_nLinesPerPage);
    m_nFirstLine = rows.first;
    m_nLastLine = rows.last;
    MapPrinterPixelsToDc(*this, *dc);
    dc->SetLogicalOrigin(0, -page_metrics::PrinterMargin);  // the top margin
    const wxFont previous = dc->GetFont();
    dc->SetFont(m_fontPrinter);
    {
        WxCanvas canvas(*dc, true, m_printerMetrics);
        PageRows pageRows;
        pageRows.firstLine = m_nFirstLine;
        pageRows.lastLine = m_nLastLine;
        PageLayout(m_doc, canvas, pageRows).Draw();
    }
    if (previous.IsOk()) dc->SetFont(previous);
    return true;
}

bool PrintPage(wxWindow* parent, wxPrintData& printData, const CGastrologDoc& doc, int totalLines,
               const wxString& title) {
    wxPrintDialogData dialogData(printData);
    wxPrinter printer(&dialogData);
    PagePrintout printout(doc, totalLines, title);
    const bool printed = printer.Print(parent, &printout, true);
    if (printed)
        printData = printer.GetPrintDialogData().GetPrintData();
    else if (wxPrinter::GetLastError() == wxPRINTER_ERROR)
        wxLogError(
            "There was a problem printing.\nPerhaps your current printer is not set "
            "correctly?");
    return printed;
}

void ShowPrintPreview(wxWindow* parent, wxPrintData& printData, const CGastrologDoc& doc,
                      int totalLines, const wxString& title) {
    wxPrintDialogData dialogData(printData);
    auto* preview = new wxPrintPreview(new PagePrintout(doc, totalLines, title),
                                       new PagePrintout(doc, totalLines, title), &dialogData);
    if (!preview->IsOk()) {
        delete preview;
        wxLogError(
            "There was a problem previewing.\nPerhaps your current printer is not set "
            "correctly?");
        return;
    }
    // As large as the main window, one page at a time.
    const wxSize size = parent ? wxGetTopLevelParent(parent)->GetSize() : wxSize(800, 900);
    auto* frame = new wxPreviewFrame(preview, parent, "Print Preview", wxDefaultPosition, size);
    frame->Initialize();
    FitAndCentreOnParent(*frame);
    frame->Show();
}

Result PrintToPostScriptFile(const CGastrologDoc& doc, int totalLines, const wxString& path,
                             const wxString& title) {
    const auto failed = [](const wxString& why) {
        return Result(Result::Code::Printing, why.utf8_string());
    };
    {
        // Fail early with a clear reason rather than a silent empty document.
        wxLogNull quiet;
        wxFFile probe(path, "w");
        if (!probe.IsOpened()) return failed("Cannot write the file " + path + ".");
    }
    wxPrintData printData;
    printData.SetFilename(path);
    printData.SetPrintMode(wxPRINT_MODE_FILE);
    printData.SetPaperId(wxPAPER_A4);
    wxPrintDialogData dialogData(printData);
    PagePrintout printout(doc, totalLines, title);
    // The printer asks for the page range before the printout can measure its font; the
    // printout's own range limits this one.
    dialogData.SetMinPage(1);
    dialogData.SetFromPage(1);
    dialogData.SetToPage(page_metrics::PageCount(totalLines, 1));
    wxPostScriptPrinter printer(&dialogData);
    if (!printer.Print(nullptr, &printout, false))
        return failed("Printing to " + path + " failed.");
    if (wxFileName::GetSize(path) == 0) return failed("Printing to " + path + " wrote nothing.");
    return Result::Success();
}
