#include "desktop/GastrologDocTemplate.h"

#include "desktop/DiaryDocument.h"
#include "desktop/MainFrame.h"
#include "desktop/GastrologView.h"

CGastrologDocTemplate::CGastrologDocTemplate(wxDocManager* manager, CMainFrame* frame)
    : wxDocTemplate(manager, "Gastrolog  Files (*.glg)", "*.glg", "", "glg", "GastrologDocument",
                    "CGastrologView", CLASSINFO(DiaryDocument), CLASSINFO(CGastrologView)),
      m_frame(frame) {}

wxView* CGastrologDocTemplate::CreateView(wxDocument* doc, long flags) {
    wxView* view = wxDocTemplate::CreateView(doc, flags);
    if (view && m_frame && !m_frame->HasFirstPane()) m_frame->AttachFirstView(view);
    return view;
}
