#include "desktop/WindowPlacement.h"

#include <wx/dialog.h>
#include <wx/dirdlg.h>
#include <wx/display.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/printdlg.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include <algorithm>

#ifdef __WXGTK__
#include <dlfcn.h>
#endif

namespace {

wxRect FreeAreaFor(const wxWindow* parent) {
    const int index = parent ? wxDisplay::GetFromWindow(parent) : wxNOT_FOUND;
    return wxDisplay(index == wxNOT_FOUND ? 0u : static_cast<unsigned>(index)).GetClientArea();
}

// The toolkit's own dialogs are made inside ShowModal and placed by the toolkit.
bool IsToolkitDialog(wxDialog* dialog) {
    return dynamic_cast<wxMessageDialogBase*>(dialog) || dynamic_cast<wxFileDialogBase*>(dialog) ||
           dynamic_cast<wxDirDialogBase*>(dialog) || dynamic_cast<wxPrintDialogBase*>(dialog) ||
           dynamic_cast<wxPageSetupDialogBase*>(dialog);
}

bool IsMapped(wxTopLevelWindow& window) {
#ifdef __WXGTK__
    // Through the GTK library wxWidgets has loaded (the program is not built against GTK's
    // headers); without it, shown is as much as can be known.
    using Mapped = int (*)(void* widget);
    static const auto mapped =
        reinterpret_cast<Mapped>(dlsym(RTLD_DEFAULT, "gtk_widget_get_mapped"));
    if (mapped && window.GetHandle()) return mapped(window.GetHandle()) != 0;
#endif
    return window.IsShown();
}

}  // namespace

void FitAndCentreOnParent(wxTopLevelWindow& window) {
    wxWindow* parent = window.GetParent() ? wxGetTopLevelParent(window.GetParent()) : nullptr;
    const wxRect area = FreeAreaFor(parent);
    wxSize size = window.GetSize();
    size.DecTo(area.GetSize());
    if (size != window.GetSize()) window.SetSize(size);
    const wxRect around = parent && parent->IsShown() ? parent->GetScreenRect() : area;
    wxPoint position(around.x + (around.width - size.x) / 2,
                     around.y + (around.height - size.y) / 2);
    position.x = std::clamp(position.x, area.x, area.GetRight() + 1 - size.x);
    position.y = std::clamp(position.y, area.y, area.GetBottom() + 1 - size.y);
    window.Move(position);
}

void WaitUntilOnScreen(wxTopLevelWindow& window) {
    const wxStopWatch waited;
    while (!IsMapped(window) && waited.Time() < 1000) {
        wxYield();
        wxMilliSleep(10);
    }
    wxYield();
}

int DialogPlacement::Enter(wxDialog* dialog) {
    if (dialog && !IsToolkitDialog(dialog)) FitAndCentreOnParent(*dialog);
    return wxID_NONE;  // the dialog runs as always
}
