#pragma once
// The program's one document template: diaries ("Gastrolog  Files (*.glg)") shown by the page
// view. The first view made for the document goes into the main window's first pane; views
// for further panes are placed by the main window itself.

#include <wx/docview.h>

class CMainFrame;

class CGastrologDocTemplate : public wxDocTemplate {
public:
    CGastrologDocTemplate(wxDocManager* manager, CMainFrame* frame);

    wxView* CreateView(wxDocument* doc, long flags = 0) override;

private:
    CMainFrame* m_frame;
};
