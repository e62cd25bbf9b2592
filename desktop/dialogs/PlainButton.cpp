#include "desktop/dialogs/PlainButton.h"

wxButton* NewPlainButton(wxWindow* parent, wxWindowID id, const wxString& label) {
    // Made under an id of its own, so GTK takes the label as it is, then given its real id.
    auto* button = new wxButton(parent, wxID_ANY, label);
    button->SetId(id);
    return button;
}
