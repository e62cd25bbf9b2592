#include "desktop/dialogs/NameEntryDlg.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "desktop/dialogs/HelpContext.h"
#include "desktop/dialogs/MessageBoxes.h"
#include "desktop/dialogs/PlainButton.h"
#include "desktop/dialogs/Sizing.h"

CNameEntryDlg::CNameEntryDlg(wxWindow* parent, const Layout& layout)
    : wxDialog(parent, wxID_ANY, layout.title) {
    // Creation order is the tab order: label, edit box, check box, OK, Cancel, Help.
    auto* label = new wxStaticText(this, wxID_ANY, layout.label);
    m_edit = new wxTextCtrl(this, layout.editId, wxString(), wxDefaultPosition, wxDefaultSize,
                            layout.readOnly ? wxTE_READONLY : 0);
    m_edit->SetMinSize(wxSize(ConvertDialogToPixels(wxSize(layout.editWidth, 0)).x, -1));
    if (layout.checkBoxId != wxID_NONE)
        m_checkBox = new wxCheckBox(this, layout.checkBoxId, layout.checkBoxLabel);
    auto* ok = NewPlainButton(this, wxID_OK, "OK");
    auto* cancel = NewPlainButton(this, wxID_CANCEL, "Cancel");
    auto* help = new wxButton(this, layout.helpId, layout.helpLabel);
    ok->SetDefault();

    const int gap = ConvertDialogToPixels(wxSize(4, 0)).x;
    auto* entry = new wxBoxSizer(layout.labelBesideEdit ? wxHORIZONTAL : wxVERTICAL);
    if (layout.labelBesideEdit) {
        entry->Add(label, wxSizerFlags().CenterVertical().Border(wxRIGHT, gap));
        entry->Add(m_edit, wxSizerFlags(1).CenterVertical());
    } else {
        entry->Add(label, wxSizerFlags().Border(wxBOTTOM, gap / 2));
        entry->Add(m_edit, wxSizerFlags().Expand());
    }
    if (m_checkBox) entry->Add(m_checkBox, wxSizerFlags().CenterVertical().Border(wxLEFT, gap));

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    for (wxButton* button : {ok, cancel, help}) {
        SetMinSizeInDialogUnits(button, wxSize(50, 14));
        buttons->Add(button, wxSizerFlags().Border(wxLEFT | wxRIGHT, gap));
    }

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(entry, wxSizerFlags().Expand().Border(wxALL, 2 * gap));
    top->AddStretchSpacer();
    top->Add(buttons, wxSizerFlags().Center().Border(wxLEFT | wxRIGHT | wxBOTTOM, 2 * gap));
    SetSizerAndFit(top);

    Bind(wxEVT_INIT_DIALOG, &CNameEntryDlg::OnInitDialogEvent, this);
    Bind(wxEVT_BUTTON, &CNameEntryDlg::OnHelpButton, this, layout.helpId);
    BindHelpKey(this, layout.helpId);
}

void CNameEntryDlg::OnInitDialogEvent(wxInitDialogEvent&) {
    OnInitDialog();
}

void CNameEntryDlg::OnInitDialog() {
    TransferDataToWindow();
    m_edit->SetFocus();
    m_edit->SelectAll();
}

bool CNameEntryDlg::TransferDataToWindow() {
    m_edit->ChangeValue(m_strName);
    return true;
}

bool CNameEntryDlg::TransferDataFromWindow() {
    const wxString typed = m_edit->GetValue();
    if (const Result check = m_nameCheck ? m_nameCheck(typed) : Result::Success(); !check.IsOk()) {
        ShowDialogMessage(this, wxString::FromUTF8(check.Message()), m_checkCaption);
        m_edit->SetFocus();
        return false;
    }
    m_strName = typed;
    return true;
}

void CNameEntryDlg::SetNameCheck(NameCheck check, const wxString& caption) {
    m_nameCheck = std::move(check);
    m_checkCaption = caption;
}

void CNameEntryDlg::OnHelpButton(wxCommandEvent& event) {
    ShowHelpContext(event.GetId());
}
