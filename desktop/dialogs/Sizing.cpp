#include "desktop/dialogs/Sizing.h"

#include <wx/sizer.h>
#include <wx/statbox.h>

#include <algorithm>

void SetMinSizeInDialogUnits(wxWindow* control, const wxSize& dialogUnits) {
    const wxSize asked = control->ConvertDialogToPixels(dialogUnits);
    const wxSize best = control->GetBestSize();
    control->SetMinSize(wxSize(std::max(asked.x, best.x), std::max(asked.y, best.y)));
}

void KeepGroupLabelVisible(wxStaticBoxSizer* group) {
    wxStaticBox* box = group->GetStaticBox();
    const int label = box->GetTextExtent(box->GetLabelText()).x;
    const int margins = box->ConvertDialogToPixels(wxSize(12, 0)).x;
    group->SetMinSize(wxSize(label + margins, -1));
}
