#include "desktop/GastrologView.h"

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/toplevel.h>

#include <algorithm>
#include <limits>
#include <utility>

#include "desktop/DiaryDocument.h"
#include "desktop/PageFont.h"
#include "desktop/PagePrintout.h"
#include "desktop/PageWindow.h"
#include "desktop/ViewCommands.h"
#include "desktop/WxCanvas.h"
#include "diary/DiaryConstants.h"
#include "page/PageLayout.h"
#include "page/PageMetrics.h"

CGastrologDoc* CoreOf(wxDocument* document) {
    auto* diary = wxDynamicCast(document, DiaryDocument);
    return diary ? &diary->Core() : nullptr;
}

wxIMPLEMENT_DYNAMIC_CLASS(CGastrologView, wxView);

// clang-format off
wxBEGIN_EVENT_TABLE(CGastrologView, wxView)
    EVT_MENU(wxID_PRINT, CGastrologView::OnFilePrint)
    EVT_MENU(wxID_PREVIEW, CGastrologView::OnFilePrintPreview)
wxEND_EVENT_TABLE()
    // clang-format on

    CGastrologView::CGastrologView() {
    for (const ViewCommand& view : ViewCommands()) {
        Bind(wxEVT_MENU, &CGastrologView::OnSectionSwitch, this, view.id);
        Bind(wxEVT_UPDATE_UI, &CGastrologView::OnUpdateSectionSwitch, this, view.id);
    }
}

CGastrologView::~CGastrologView() {
    // The pane owns the window; it only has to forget this view.
    if (m_window) m_window->DetachView();
}

wxWindow* CGastrologView::CreateCanvas(wxWindow* parent) {
    auto* window = new PageWindow(parent, this);
    m_window = window;
    wxClientDC dc(window);
    const PageFont screenFont = MakeScreenFont(dc);
    m_fontScreen = screenFont.font;
    m_screenMetrics = screenFont.metrics;
    m_nScreenLineHeight = std::max(1, m_screenMetrics.RowHeight());
    m_nPageWidth = page_metrics::PageWidthInCharacters * m_screenMetrics.averageCharWidth;
    window->SetFont(m_fontScreen);
    if (Core()) OnUpdate(nullptr);
    return window;
}

PageWindow* CGastrologView::GetCanvas() const {
    return m_window.get();
}

void CGastrologView::CanvasDestroyed(PageWindow* window) {
    if (m_window.get() == window) m_window = nullptr;
}

bool CGastrologView::OnCreate(wxDocument* doc, long flags) {
    // The window comes with the pane (CreateCanvas); nothing to draw on before that.
    return wxView::OnCreate(doc, flags);
}

bool CGastrologView::OnClose(bool deleteWindow) {
    // The pane's window is the splitter's to destroy; the document stays for the whole run.
    wxUnusedVar(deleteWindow);
    return true;
}

CGastrologDoc* CGastrologView::Core() const {
    return CoreOf(GetDocument());
}

void CGastrologView::OnUpdate(wxView*, wxObject*) {
    CGastrologDoc* core = Core();
    PageWindow* window = GetCanvas();
    if (!core || !window) return;
    m_nTotalLines = core->GetLineCount();
    // One scroll unit is a row down and a tenth of the page across, as the line steps are.
    const int unitAcross = std::max(1, m_nPageWidth / 10);
    const int unitsAcross = (m_nPageWidth + unitAcross - 1) / unitAcross;
    // One row more than the page holds makes room for its top margin.
    window->SetScrollbars(unitAcross, m_nScreenLineHeight, unitsAcross, m_nTotalLines + 1, 0, 0,
                          true);
    window->Scroll(0, 0);
    window->Refresh(true);
}

void CGastrologView::OnDraw(wxDC* dc) {
    if (dc) DrawScreenPage(*dc, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
}

void CGastrologView::DrawScreenPage(wxDC& dc, int firstRow, int lastRow) {
    CGastrologDoc* core = Core();
    if (!core || !m_fontScreen.IsOk()) return;
    const wxFont previous = dc.GetFont();
    dc.SetFont(m_fontScreen);
    {
        WxCanvas canvas(dc, false, m_screenMetrics);
        PageRows rows;
        rows.neededFirst = firstRow;
        rows.neededLast = lastRow;
        PageLayout(*core, canvas, rows).Draw();
    }
    if (previous.IsOk()) dc.SetFont(previous);
}

wxPrintout* CGastrologView::OnCreatePrintout() {
    CGastrologDoc* core = Core();
    if (!core) return nullptr;
    return new PagePrintout(*core, m_nTotalLines, GetDocument()->GetUserReadableName());
}

wxWindow* CGastrologView::ParentForDialogs() const {
    if (wxWindow* frame = GetFrame()) return frame;
    if (m_window) return wxGetTopLevelParent(m_window.get());
    return wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
}

void CGastrologView::OnFilePrint(wxCommandEvent&) {
    CGastrologDoc* core = Core();
    wxDocManager* manager = GetDocumentManager();
    if (!core || !manager) return;
    wxPrintData& printData = manager->GetPageSetupDialogData().GetPrintData();
    PrintPage(ParentForDialogs(), printData, *core, m_nTotalLines,
              GetDocument()->GetUserReadableName());
}

void CGastrologView::OnFilePrintPreview(wxCommandEvent&) {
    CGastrologDoc* core = Core();
    wxDocManager* manager = GetDocumentManager();
    if (!core || !manager) return;
    wxPrintData& printData = manager->GetPageSetupDialogData().GetPrintData();
    ShowPrintPreview(ParentForDialogs(), printData, *core, m_nTotalLines,
                     GetDocument()->GetUserReadableName());
}

int CGastrologView::GetTopRow() const {
    int x = 0, y = 0;
    if (m_window) m_window->GetViewStart(&x, &y);
    return y;
}

int CGastrologView::LastTopRow() const {
    if (!m_window || m_nScreenLineHeight <= 0) return 0;
    const int visibleRows = m_window->GetClientSize().y / m_nScreenLineHeight;
    return std::max(0, m_nTotalLines - visibleRows);
}

void CGastrologView::ScrollToRow(int row) {
    if (m_window) m_window->Scroll(-1, std::clamp(row, 0, LastTopRow()));
}

void CGastrologView::OnKeyDown(wxKeyEvent& event) {
    const int top = GetTopRow();
    switch (event.GetKeyCode()) {
        case WXK_PAGEUP:
        case WXK_NUMPAD_PAGEUP:
            ScrollToRow(top - page_metrics::RowsPerScrollPage);
            break;
        case WXK_PAGEDOWN:
        case WXK_NUMPAD_PAGEDOWN:
            ScrollToRow(top + page_metrics::RowsPerScrollPage);
            break;
        case WXK_HOME:
        case WXK_NUMPAD_HOME:
            ScrollToRow(0);
            break;
        case WXK_END:
        case WXK_NUMPAD_END:
            ScrollToRow(LastTopRow());
            break;
        case WXK_UP:
        case WXK_NUMPAD_UP:
            ScrollToRow(top - 1);
            break;
        case WXK_DOWN:
        case WXK_NUMPAD_DOWN:
            ScrollToRow(top + 1);
            break;
        case WXK_LEFT:
        case WXK_RIGHT:
        case WXK_NUMPAD_LEFT:
        case WXK_NUMPAD_RIGHT:
            break;  // the page does not scroll sideways by keyboard
        default:
            event.Skip();
    }
}

void CGastrologView::OnSectionSwitch(wxCommandEvent& event) {
    CGastrologDoc* core = Core();
    const int id = event.GetId();
    if (!core) return;
    if (m_window) m_window->Refresh(true);
    // Every pane recomputes its rows and returns to the top.
    core->ShowSection(id, !core->IsSectionShown(id));
}

void CGastrologView::OnUpdateSectionSwitch(wxUpdateUIEvent& event) {
    CGastrologDoc* core = Core();
    event.Enable(true);
    event.Check(core && core->IsSectionShown(event.GetId()));
}
