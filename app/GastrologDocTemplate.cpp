#include "app/GastrologDocTemplate.h"

#include "app/DiaryDocument.h"
#include "app/MainFrame.h"
#include "view/GastrologView.h"

CGastrologDocTemplate::CGastrologDocTemplate(wxDocManager* manager, CMainFrame* frame)
    : wxDocTemplate(manager, "Gastrolog  Files (*.glg)", "*.glg", "", "glg", "GastrologDocument",
                    "CGastrologView", CLASSINFO(DiaryDocument), CLASSINFO(CGastrologView)),
      m_frame(frame) {}

wxView* CGastrologDocTemplate::CreateView(wxDocument* doc, long flags) {
    wxView* view = wxDocTemplate::CreateView(doc, flags);
    if (view && m_frame && !m_frame->HasFirstPane()) m_frame->AttachFirstView(view);
    return view;
}
