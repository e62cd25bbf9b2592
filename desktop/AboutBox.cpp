#include "desktop/AboutBox.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "desktop/ToolbarArt.h"
#include "desktop/dialogs/PlainButton.h"

CAboutBox::CAboutBox(wxWindow* parent) : wxDialog(parent, wxID_ANY, "About Gastrolog") {
    auto* texts = new wxBoxSizer(wxVERTICAL);
    texts->Add(new wxStaticText(this, wxID_ANY, VersionText), 0, wxBOTTOM, FromDIP(8));
    texts->Add(new wxStaticText(this, wxID_ANY, NoticeText));

    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(new wxStaticBitmap(this, wxID_ANY, DrawMainIcon(FromDIP(32))), 0, wxRIGHT,
             FromDIP(16));
    top->Add(texts, 1, wxALIGN_CENTER_VERTICAL);

    auto* ok = NewPlainButton(this, wxID_OK, "OK");
    ok->SetDefault();
    auto* box = new wxBoxSizer(wxVERTICAL);
    box->Add(top, 1, wxEXPAND | wxALL, FromDIP(14));
    box->Add(ok, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(14));
    SetSizerAndFit(box);
    CentreOnParent();
}
