#pragma once
// The program's view: one scrolling page per splitter pane, built afresh from the diary at
// every repaint, printed and previewed page by page. It reads the diary and changes only the
// six section switches, which are not part of the file.
//
// The main window's splitter makes the pane and asks the view for its window with
// CreateCanvas(pane); the pane owns that window.

#include <wx/docview.h>
#include <wx/font.h>
#include <wx/weakref.h>

#include <type_traits>  // before wx/weakref.h, which needs it

#include "page/Canvas.h"

class CGastrologDoc;
class PageWindow;
class wxKeyEvent;

class CGastrologView : public wxView {
public:
    CGastrologView();
    ~CGastrologView() override;

    // Creates the page window as a child of parent, makes the screen font and measures it.
    // Returns the window; parent owns it.
    wxWindow* CreateCanvas(wxWindow* parent);
    PageWindow* GetCanvas() const;

    bool OnCreate(wxDocument* doc, long flags) override;
    // The whole page on the screen font.
    void OnDraw(wxDC* dc) override;
    // A new row estimate and scroll area, back to the top, everything repainted.
    void OnUpdate(wxView* sender, wxObject* hint = nullptr) override;
    bool OnClose(bool deleteWindow = true) override;
    wxPrintout* OnCreatePrintout() override;

    // The rows first to last (page rows) of a screen repaint, on a DC prepared for scrolling.
    void DrawScreenPage(wxDC& dc, int firstRow, int lastRow);
    // Page Up/Down by 20 rows, Home, End, Up and Down by one row; Left and Right do nothing.
    void OnKeyDown(wxKeyEvent& event);

    // The diary of the view's document; null before the view has one.
    CGastrologDoc* Core() const;
    int GetTotalLines() const { return m_nTotalLines; }
    int GetScreenLineHeight() const { return m_nScreenLineHeight; }
    int GetPageWidth() const { return m_nPageWidth; }
    // The first page row the window shows.
    int GetTopRow() const;
    void ScrollToRow(int row);

    // Called by the page window when it goes first.
    void CanvasDestroyed(PageWindow* window);

private:
    // Print and Print Preview with the page setup the document manager keeps.
    void OnFilePrint(wxCommandEvent& event);
    void OnFilePrintPreview(wxCommandEvent& event);
    wxWindow* ParentForDialogs() const;
    void OnSectionSwitch(wxCommandEvent& event);
    void OnUpdateSectionSwitch(wxUpdateUIEvent& event);
    int LastTopRow() const;

    wxWeakRef<PageWindow> m_window;
    int m_nTotalLines = 0;
    int m_nPageWidth = 0;
    int m_nScreenLineHeight = 0;
    FontMetrics m_screenMetrics;
    wxFont m_fontScreen;

    wxDECLARE_DYNAMIC_CLASS(CGastrologView);
    wxDECLARE_EVENT_TABLE();
};

// The diary behind any document of the program (a DiaryDocument); null for another kind.
CGastrologDoc* CoreOf(wxDocument* document);
