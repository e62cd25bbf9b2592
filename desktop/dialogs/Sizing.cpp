#include "desktop/dialogs/Sizing.h"

#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include <algorithm>
#include <initializer_list>

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

void ReserveDayCaptionWidth(wxStaticText* caption) {
    // The widest day and month names in the caption's font, with the widest digits.
    const auto widest = [caption](std::initializer_list<const char*> names) {
        wxString best;
        for (const char* name : names)
            if (caption->GetTextExtent(name).x > caption->GetTextExtent(best).x) best = name;
        return best;
    };
    const wxString day =
        widest({"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"});
    const wxString month = widest({"January", "February", "March", "April", "May", "June", "July",
                                   "August", "September", "October", "November", "December"});
    const wxString digit = widest({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"});
    const wxString longest =
        "on " + day + ", " + month + " " + digit + digit + ", " + digit + digit + digit + digit;
    // The control's own best size for that text, borders included, not the bare text's extent.
    const wxString shown = caption->GetLabelText();
    caption->SetLabelText(longest);
    const wxSize best = caption->GetBestSize();
    caption->SetLabelText(shown);
    caption->SetMinSize(best);
}
