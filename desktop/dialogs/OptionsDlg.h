#pragma once
// "Gastrolog Options": the hour at which the diary day changes, the order of the foods on the
// page, where list generation puts a food it cannot classify, how many days of daily
// backups are kept, and whether the evidence looks for symptoms that come later. The Options
// command writes the settings only when the dialog ends with OK.

#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/radiobut.h>
#include <wx/spinbutt.h>
#include <wx/spinctrl.h>
#include <wx/textctrl.h>

#include <array>

#include "diary/Ports.h"

class COptionsDlg : public wxDialog {
public:
    COptionsDlg(wxWindow* parent, SettingsStore& settings);

    int m_nHour = 0;
    int m_nUnclassified = -1;  // 0 inclusions, 1 exclusions, 2 separately
    int m_nSortOrder = -1;     // 0 alphabetic, 1 by score
    int m_nBackupDays = -1;    // days of daily copies kept; 0 keeps none
    bool m_bSymptomsMayComeLater = false;

    bool TransferDataToWindow() override;
    // Reads the hour box (refusing anything but a whole number from 0 to 23, with a message)
    // and the two radio groups.
    bool TransferDataFromWindow() override;

    // One step of the spin control's arrows, wrapping from 23 to 0 and back.
    void StepHour(int step);

private:
    void CreateControls();
    void OnInitDialog(wxInitDialogEvent& event);
    void OnSpin(wxSpinEvent& event);
    void OnHourText(wxCommandEvent& event);
    void OnHourKey(wxKeyEvent& event);
    void OnHourChar(wxKeyEvent& event);
    void OnUnclassified(wxCommandEvent& event);
    void OnSortOrder(wxCommandEvent& event);
    void OnHelpButton(wxCommandEvent& event);
    void ShowHour(int hour);
    // A complaint about the hour box: the message, then the focus back in the box.
    bool RefuseHour(const wxString& message);

    SettingsStore& m_settings;
    wxTextCtrl* m_hourEdit = nullptr;
    wxSpinButton* m_spin = nullptr;
    std::array<wxRadioButton*, 2> m_sortButtons{};
    std::array<wxRadioButton*, 3> m_unclassifiedButtons{};
    wxSpinCtrl* m_backupDays = nullptr;
    wxCheckBox* m_symptomsMayComeLater = nullptr;
};

// The Options command: runs the dialog and, on OK, writes NewDayTime, SortOrder, 50DayAction
// BackupDays and SymptomsMayComeLater, in that order, to the section Settings. Cancel writes
// nothing.
void RunOptionsCommand(wxWindow* parent, SettingsStore& settings);
