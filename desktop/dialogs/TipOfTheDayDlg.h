#pragma once
// "Tip of the Day": one short hint from the tips file, on a white area with a light bulb.
// Constructing the dialog reads the tip to show; destroying it stores where the next showing
// continues, so every construction moves the tips on, shown or not.

#include <wx/checkbox.h>
#include <wx/dialog.h>

#include <memory>

#include "diary/Ports.h"

class TipSession;

class CTipOfTheDayDlg : public wxDialog {
public:
    CTipOfTheDayDlg(wxWindow* parent, SettingsStore& settings);
    ~CTipOfTheDayDlg() override;

    bool m_showAtStartup = true;  // the "Show Tips on StartUp" check box
    wxString m_tipText;           // the tip being shown

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

private:
    void CreateControls();
    void OnInitDialog(wxInitDialogEvent& event);
    void OnNextTip(wxCommandEvent& event);
    void OnOK(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnClose(wxCloseEvent& event);
    // Escape and the close box end the dialog without storing the check box.
    void CloseWithoutStoring();
    void ShowTip();

    std::unique_ptr<TipSession> m_session;
    wxCheckBox* m_showCheck = nullptr;
    wxWindow* m_picture = nullptr;  // the tip area with the tip text
    wxWindow* m_nextButton = nullptr;
};
