#pragma once
// "Gastrolog Options": the hour at which the diary day changes, the order of the foods on the
// page, where list generation puts a food it cannot classify, how many days of daily
// backups are kept, and whether the evidence looks for symptoms that come later. The Options
// command writes the settings only when the dialog ends with OK.

#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/radiobut.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>

#include <array>

#include "diary/Ports.h"

class COptionsDlg : public wxDialog {
public:
    COptionsDlg(wxWindow* parent, SettingsStore& settings);

    int m_nHour = 0;
    int m_nUnclassified = -1;              // 0 inclusions, 1 exclusions, 2 separately
    int m_nSortOrder = -1;                 // 0 alphabetic, 1 by score
    int m_nBackupDays = -1;                // days of daily copies kept; 0 keeps none
    bool m_bReminder = false;              // the daily reminder is on
    wxString m_strReminderTime = "20:00";  // its time of day, "HH:MM"
    bool m_bTodayOnNewDay = false;         // the Today window follows the new-day question's Yes
    // Whether the reminder can be switched on here (systemd's user manager answers).
    bool m_bReminderAvailable = false;
    bool m_bSymptomsMayComeLater = false;

    bool TransferDataToWindow() override;
    // Reads the hour box (refusing anything but a whole number from 0 to 23, with a message),
    // the two radio groups and the backup days (refused unless a whole number from 0 to 365).
    bool TransferDataFromWindow() override;

    // One step of the spin control's arrows, wrapping from 23 to 0 and back.
    void StepHour(int step);

private:
    void CreateControls();
    void OnInitDialog(wxInitDialogEvent& event);
    void OnSpin(wxSpinEvent& event);
    void OnHourText(wxCommandEvent& event);
    void OnHourKey(wxKeyEvent& event);
    void OnDigitChar(wxKeyEvent& event);
    void OnBackupSpin(wxSpinEvent& event);
    void OnBackupText(wxCommandEvent& event);
    void OnUnclassified(wxCommandEvent& event);
    void OnSortOrder(wxCommandEvent& event);
    void OnHelpButton(wxCommandEvent& event);
    void ShowHour(int hour);
    // A complaint about a number box: the message, then the focus back in the box.
    bool Refuse(wxTextCtrl* box, const wxString& message);

    SettingsStore& m_settings;
    wxTextCtrl* m_hourEdit = nullptr;
    wxSpinButton* m_spin = nullptr;
    std::array<wxRadioButton*, 2> m_sortButtons{};
    std::array<wxRadioButton*, 3> m_unclassifiedButtons{};
    // A text box rather than a spin control: GTK's spin control turns "abc" into 0 and 1000
    // into 365 before the dialog can read what was typed.
    wxTextCtrl* m_backupDays = nullptr;
    wxSpinButton* m_backupSpin = nullptr;
    wxCheckBox* m_reminder = nullptr;
    wxTextCtrl* m_reminderTime = nullptr;
    wxCheckBox* m_todayOnNewDay = nullptr;
    wxCheckBox* m_symptomsMayComeLater = nullptr;

    wxSizer* CreateDailyGroup();
    bool RefuseReminderTime();
};

// The Options command: runs the dialog and, on OK, writes NewDayTime, SortOrder, 50DayAction
// BackupDays and SymptomsMayComeLater, in that order, to the section Settings, then the
// Today switch, and turns the
// daily reminder on or off when it changed (a failure is shown, and the reminder stays off).
// Cancel writes nothing.
void RunOptionsCommand(wxWindow* parent, SettingsStore& settings);
