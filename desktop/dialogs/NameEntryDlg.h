#pragma once
// The common shape of the four small dialogs that ask for or confirm one name: a label, an
// edit box exchanged with m_strName, perhaps a check box, then OK, Cancel and Help.

#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>

#include <functional>

#include "diary/Result.h"

class CNameEntryDlg : public wxDialog {
public:
    wxString m_strName;

    wxTextCtrl* NameEdit() const { return m_edit; }

    bool TransferDataToWindow() override;
    // Runs the name check, if any: a refused name is explained in the dialog's own message box
    // and the dialog stays open with the text as typed.
    bool TransferDataFromWindow() override;

    // Refuses a typed name that cannot be taken, with the message that says why.
    using NameCheck = std::function<Result(const wxString& typed)>;
    void SetNameCheck(NameCheck check, const wxString& caption);

    // What tells the four dialogs apart.
    struct Layout {
        wxString title;
        wxString label;
        int editId = wxID_ANY;
        int editWidth = 145;           // dialog units
        bool labelBesideEdit = false;  // false: the label stands above the edit box
        bool readOnly = false;         // true: the box shows a name that cannot be changed
        int checkBoxId = wxID_NONE;    // wxID_NONE: no check box
        wxString checkBoxLabel;
        int helpId = wxID_ANY;
        wxString helpLabel;
    };

protected:
    CNameEntryDlg(wxWindow* parent, const Layout& layout);

    wxCheckBox* CheckBox() const { return m_checkBox; }

    // Shows m_strName in the edit box, selected, with the focus in it. Dialogs that reset a
    // member before the exchange override this and call it afterwards.
    virtual void OnInitDialog();

private:
    void OnInitDialogEvent(wxInitDialogEvent& event);
    void OnHelpButton(wxCommandEvent& event);

    wxTextCtrl* m_edit = nullptr;
    wxCheckBox* m_checkBox = nullptr;
    NameCheck m_nameCheck;
    wxString m_checkCaption;
};
