#include "desktop/dialogs/OptionsDlg.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "desktop/dialogs/ControlIds.h"
#include "desktop/dialogs/HelpContext.h"
#include "desktop/dialogs/MessageBoxes.h"
#include "desktop/dialogs/PlainButton.h"
#include "desktop/dialogs/ReminderSwitch.h"
#include "desktop/dialogs/Sizing.h"
#include "diary/Backups.h"
#include "diary/DiaryConstants.h"
#include "diary/ReminderUnits.h"

namespace {

constexpr int FirstHour = 0;
constexpr int LastHour = 23;
constexpr int HoursPerDay = LastHour - FirstHour + 1;

bool IsHour(long value) {
    return value >= FirstHour && value <= LastHour;
}

// A whole number, blanks around it allowed; nothing else.
bool ParseInteger(const wxString& text, long& value) {
    const std::string digits = text.Strip(wxString::both).utf8_string();
    if (digits.empty()) return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtol(digits.c_str(), &end, 10);
    return *end == '\0' && errno == 0 && value >= INT_MIN && value <= INT_MAX;
}

template <std::size_t count>
int CheckedIndex(const std::array<wxRadioButton*, count>& buttons) {
    for (std::size_t index = 0; index < count; ++index)
        if (buttons[index]->GetValue()) return static_cast<int>(index);
    return -1;
}

}  // namespace

COptionsDlg::COptionsDlg(wxWindow* parent, SettingsStore& settings)
    : wxDialog(parent, wxID_ANY, "Gastrolog Options"),
      m_bReminderAvailable(SystemdUserManagerAvailable()),
      m_settings(settings) {
    CreateControls();
    Centre();
    Bind(wxEVT_INIT_DIALOG, &COptionsDlg::OnInitDialog, this);
    BindHelpKey(this, control::OptionsHelp);
    m_spin->Bind(wxEVT_SPIN, &COptionsDlg::OnSpin, this);
    m_hourEdit->Bind(wxEVT_TEXT, &COptionsDlg::OnHourText, this);
    m_hourEdit->Bind(wxEVT_KEY_DOWN, &COptionsDlg::OnHourKey, this);
    m_hourEdit->Bind(wxEVT_CHAR, &COptionsDlg::OnDigitChar, this);
    m_backupDays->Bind(wxEVT_CHAR, &COptionsDlg::OnDigitChar, this);
    m_backupDays->Bind(wxEVT_TEXT, &COptionsDlg::OnBackupText, this);
    m_backupSpin->Bind(wxEVT_SPIN, &COptionsDlg::OnBackupSpin, this);
    Bind(wxEVT_RADIOBUTTON, &COptionsDlg::OnUnclassified, this, control::PutInInclusions,
         control::ListSeparately);
    Bind(wxEVT_RADIOBUTTON, &COptionsDlg::OnSortOrder, this, control::Alphabetic, control::ByScore);
    Bind(wxEVT_BUTTON, &COptionsDlg::OnHelpButton, this, control::OptionsHelp);
}

void COptionsDlg::CreateControls() {
    const wxSize unit = ConvertDialogToPixels(wxSize(4, 4));
    // Creation order is the tab order: the hour, OK, Cancel, the two radio groups, Help.
    auto* hourGroup = new wxStaticBoxSizer(wxHORIZONTAL, this, "Hour to Change the Day");
    wxStaticBox* hourBox = hourGroup->GetStaticBox();
    m_hourEdit = new wxTextCtrl(hourBox, control::Hour, wxString(), wxDefaultPosition,
                                wxDefaultSize, wxTE_RIGHT);
    // Room for a few digits and the box's own margins (about its height), whatever the font.
    m_hourEdit->SetMinSize(
        wxSize(m_hourEdit->GetTextExtent("0000").x + m_hourEdit->GetBestSize().y, -1));
    m_spin = new wxSpinButton(hourBox, control::HourSpin, wxDefaultPosition, wxDefaultSize,
                              wxSP_VERTICAL | wxSP_ARROW_KEYS | wxSP_WRAP);
    m_spin->SetRange(FirstHour, LastHour);
    hourGroup->AddStretchSpacer();
    hourGroup->Add(m_hourEdit, wxSizerFlags().CenterVertical().Border(wxALL, unit.x));
    hourGroup->Add(m_spin, wxSizerFlags().CenterVertical().Border(wxRIGHT, unit.x));
    hourGroup->AddStretchSpacer();

    auto* ok = NewPlainButton(this, wxID_OK, "OK");
    auto* cancel = NewPlainButton(this, wxID_CANCEL, "Cancel");
    ok->SetDefault();

    auto* sortGroup = new wxStaticBoxSizer(wxVERTICAL, this, "Food List Sort Order");
    wxStaticBox* sortBox = sortGroup->GetStaticBox();
    m_sortButtons[0] = new wxRadioButton(sortBox, control::Alphabetic, "&Alphabetic",
                                         wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    m_sortButtons[1] = new wxRadioButton(sortBox, control::ByScore, "&Score");
    for (wxRadioButton* button : m_sortButtons)
        sortGroup->Add(button, wxSizerFlags().Border(wxALL, unit.x));

    auto* unclassifiedGroup = new wxStaticBoxSizer(wxVERTICAL, this, "When Food is Not Classified");
    wxStaticBox* unclassifiedBox = unclassifiedGroup->GetStaticBox();
    m_unclassifiedButtons[0] =
        new wxRadioButton(unclassifiedBox, control::PutInInclusions, "Put in &Inclusions List",
                          wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    m_unclassifiedButtons[1] =
        new wxRadioButton(unclassifiedBox, control::PutInExclusions, "Put in &Exclusions List");
    m_unclassifiedButtons[2] =
        new wxRadioButton(unclassifiedBox, control::ListSeparately, "&List Separately");
    for (wxRadioButton* button : m_unclassifiedButtons)
        unclassifiedGroup->Add(button, wxSizerFlags().Border(wxALL, unit.x));

    auto* help = new wxButton(this, control::OptionsHelp, "&Help");

    auto* backupGroup = new wxStaticBoxSizer(wxHORIZONTAL, this, "Daily Backups");
    wxStaticBox* backupBox = backupGroup->GetStaticBox();
    backupGroup->Add(new wxStaticText(backupBox, wxID_ANY, "&Keep a copy of each day for"),
                     wxSizerFlags().CenterVertical().Border(wxALL, unit.x));
    m_backupDays = new wxTextCtrl(backupBox, control::BackupDays, wxString(), wxDefaultPosition,
                                  wxDefaultSize, wxTE_RIGHT);
    m_backupDays->SetMinSize(m_hourEdit->GetMinSize());
    m_backupSpin = new wxSpinButton(backupBox, control::BackupDaysSpin, wxDefaultPosition,
                                    wxDefaultSize, wxSP_VERTICAL | wxSP_ARROW_KEYS);
    m_backupSpin->SetRange(0, backups::MostKeptDays);
    backupGroup->Add(m_backupDays, wxSizerFlags().CenterVertical().Border(wxALL, unit.x));
    backupGroup->Add(m_backupSpin, wxSizerFlags().CenterVertical().Border(wxRIGHT, unit.x));
    backupGroup->Add(new wxStaticText(backupBox, wxID_ANY, "days (0 keeps none)"),
                     wxSizerFlags().CenterVertical().Border(wxALL, unit.x));

    auto* evidenceGroup = new wxStaticBoxSizer(wxHORIZONTAL, this, "Evidence");
    m_symptomsMayComeLater =
        new wxCheckBox(evidenceGroup->GetStaticBox(), control::SymptomsMayComeLater,
                       "M&y symptoms may come later (the same day to three "
                       "days after a food)");
    evidenceGroup->Add(m_symptomsMayComeLater,
                       wxSizerFlags().CenterVertical().Border(wxALL, unit.x));

    auto* buttons = new wxBoxSizer(wxVERTICAL);
    for (wxButton* button : {ok, cancel, help}) {
        SetMinSizeInDialogUnits(button, wxSize(50, 14));
        buttons->Add(button, wxSizerFlags().Expand().Border(wxTOP, 2 * unit.y));
    }

    for (wxStaticBoxSizer* group :
         {hourGroup, sortGroup, unclassifiedGroup, backupGroup, evidenceGroup})
        KeepGroupLabelVisible(group);

    auto* grid = new wxFlexGridSizer(2, 2, 2 * unit.y, 3 * unit.x);
    grid->Add(sortGroup, wxSizerFlags().Expand());
    grid->Add(hourGroup, wxSizerFlags().Expand());
    grid->Add(unclassifiedGroup, wxSizerFlags().Expand());
    grid->Add(buttons, wxSizerFlags().Expand());

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(grid, wxSizerFlags(1).Expand().Border(wxALL, 2 * unit.x));
    top->Add(backupGroup, wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT | wxBOTTOM, 2 * unit.x));
    top->Add(evidenceGroup,
             wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT | wxBOTTOM, 2 * unit.x));
    top->Add(CreateDailyGroup(),
             wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT | wxBOTTOM, 2 * unit.x));
    SetSizerAndFit(top);
}

wxSizer* COptionsDlg::CreateDailyGroup() {
    const wxSize unit = ConvertDialogToPixels(wxSize(4, 4));
    auto* group = new wxStaticBoxSizer(wxVERTICAL, this, "Daily reminder");
    wxStaticBox* box = group->GetStaticBox();
    auto* timeRow = new wxBoxSizer(wxHORIZONTAL);
    m_reminder = new wxCheckBox(box, control::Reminder, "&Remind me every day at");
    m_reminderTime = new wxTextCtrl(box, control::ReminderTime, m_strReminderTime);
    m_reminderTime->SetMinSize(
        wxSize(m_reminderTime->GetTextExtent("00:000").x + m_reminderTime->GetBestSize().y, -1));
    timeRow->Add(m_reminder, wxSizerFlags().CenterVertical().Border(wxALL, unit.x));
    timeRow->Add(m_reminderTime, wxSizerFlags().CenterVertical().Border(wxALL, unit.x));
    timeRow->Add(new wxStaticText(box, wxID_ANY, "(HH:MM)"),
                 wxSizerFlags().CenterVertical().Border(wxALL, unit.x));
    group->Add(timeRow);
    if (!m_bReminderAvailable) {
        // No user manager, no timer: the group says so and the reminder stays off.
        group->Add(new wxStaticText(box, control::ReminderNote,
                                    "Not available here: systemd's user manager is not "
                                    "running,\nso no reminder can be set."),
                   wxSizerFlags().Border(wxALL, unit.x));
        m_reminder->Disable();
        m_reminderTime->Disable();
    }
    m_todayOnNewDay =
        new wxCheckBox(box, control::TodayOnNewDay, "Open the &Today window when a new day starts");
    group->Add(m_todayOnNewDay, wxSizerFlags().Border(wxALL, unit.x));
    KeepGroupLabelVisible(group);
    return group;
}

bool COptionsDlg::RefuseReminderTime() {
    ShowApplicationMessage(this,
                           "Please enter the reminder's time of day as HH:MM, such as 20:30.");
    m_reminderTime->SetFocus();
    m_reminderTime->SelectAll();
    return false;
}

bool COptionsDlg::TransferDataToWindow() {
    ShowHour(m_nHour);
    if (m_nSortOrder >= 0 && m_nSortOrder < 2) m_sortButtons[m_nSortOrder]->SetValue(true);
    if (m_nUnclassified >= 0 && m_nUnclassified < 3)
        m_unclassifiedButtons[m_nUnclassified]->SetValue(true);
    return true;
}

void COptionsDlg::OnInitDialog(wxInitDialogEvent&) {
    TransferDataToWindow();
    const int hour =
        m_settings.GetInt(setting::Section, setting::NewDayTime, setting::DefaultNewDayHour);
    const int unclassified = m_settings.GetInt(setting::Section, setting::UnclassifiedAction, 0);
    const int sortOrder = m_settings.GetInt(setting::Section, setting::SortOrder, 0);

    // A stored hour outside 0-23 is shown as the hour every reader of the setting uses.
    const int shownHour = setting::NewDayHourOrDefault(hour);
    m_spin->SetRange(FirstHour, LastHour);
    m_spin->SetValue(shownHour);
    ShowHour(shownHour);

    m_unclassifiedButtons[unclassified == 2 ? 2 : unclassified == 1 ? 1 : 0]->SetValue(true);
    const int keptDays = backups::KeptDaysOrDefault(
        m_settings.GetInt(setting::Section, backups::KeptDaysSetting, backups::DefaultKeptDays));
    m_backupSpin->SetValue(keptDays);
    m_backupDays->ChangeValue(wxString::Format("%d", keptDays));
    m_sortButtons[sortOrder == 1 ? 1 : 0]->SetValue(true);
    m_symptomsMayComeLater->SetValue(
        m_settings.GetInt(setting::Section, setting::SymptomsMayComeLater, 0) == 1);
    const auto reminderTime = reminder_units::ParseTime(
        m_settings.GetString(setting::Section, reminder_units::TimeSetting, ""));
    m_reminder->SetValue(m_bReminderAvailable && reminderTime.has_value());
    if (reminderTime) m_reminderTime->ChangeValue(reminder_units::TimeText(*reminderTime));
    m_todayOnNewDay->SetValue(
        m_settings.GetInt(setting::Section, reminder_units::TodayOnNewDaySetting, 0) == 1);
    m_hourEdit->SetFocus();
    m_hourEdit->SelectAll();
}

void COptionsDlg::ShowHour(int hour) {
    m_hourEdit->ChangeValue(wxString::Format("%d", hour));
}

bool COptionsDlg::Refuse(wxTextCtrl* box, const wxString& message) {
    ShowApplicationMessage(this, message);
    box->SetFocus();
    box->SelectAll();
    return false;
}

bool COptionsDlg::TransferDataFromWindow() {
    long hour = 0;
    if (!ParseInteger(m_hourEdit->GetValue(), hour))
        return Refuse(m_hourEdit, "Please enter an integer.");
    if (!IsHour(hour)) return Refuse(m_hourEdit, "Please enter an integer between 0 and 23.");
    long days = 0;
    if (!ParseInteger(m_backupDays->GetValue(), days))
        return Refuse(m_backupDays, "Please enter an integer.");
    if (days < 0 || days > backups::MostKeptDays)
        return Refuse(m_backupDays, wxString::Format("Please enter an integer between 0 and %d.",
                                                     backups::MostKeptDays));
    m_nHour = static_cast<int>(hour);
    m_nUnclassified = CheckedIndex(m_unclassifiedButtons);
    m_nSortOrder = CheckedIndex(m_sortButtons);
    m_nBackupDays = static_cast<int>(days);
    m_bReminder = m_reminder->IsEnabled() && m_reminder->GetValue();
    const auto time =
        reminder_units::ParseTime(m_reminderTime->GetValue().Strip(wxString::both).utf8_string());
    if (m_bReminder && !time) return RefuseReminderTime();
    if (time) m_strReminderTime = reminder_units::TimeText(*time);
    m_bTodayOnNewDay = m_todayOnNewDay->GetValue();
    m_bSymptomsMayComeLater = m_symptomsMayComeLater->GetValue();
    return true;
}

void COptionsDlg::StepHour(int step) {
    // The spin control follows every valid hour typed, so its position is the hour shown.
    const int next =
        ((m_spin->GetValue() - FirstHour + step) % HoursPerDay + HoursPerDay) % HoursPerDay +
        FirstHour;
    m_spin->SetValue(next);
    ShowHour(next);
}

void COptionsDlg::OnSpin(wxSpinEvent& event) {
    ShowHour(m_spin->GetValue());
    event.Skip();
}

void COptionsDlg::OnHourText(wxCommandEvent& event) {
    long hour = 0;
    if (ParseInteger(m_hourEdit->GetValue(), hour) && IsHour(hour))
        m_spin->SetValue(static_cast<int>(hour));
    event.Skip();
}

void COptionsDlg::OnHourKey(wxKeyEvent& event) {
    switch (event.GetKeyCode()) {
        case WXK_UP:
        case WXK_NUMPAD_UP:
            StepHour(+1);
            return;
        case WXK_DOWN:
        case WXK_NUMPAD_DOWN:
            StepHour(-1);
            return;
        default:
            event.Skip();
    }
}

void COptionsDlg::OnBackupSpin(wxSpinEvent& event) {
    m_backupDays->ChangeValue(wxString::Format("%d", m_backupSpin->GetValue()));
    event.Skip();
}

void COptionsDlg::OnBackupText(wxCommandEvent& event) {
    long days = 0;
    if (ParseInteger(m_backupDays->GetValue(), days) && days >= 0 && days <= backups::MostKeptDays)
        m_backupSpin->SetValue(static_cast<int>(days));
    event.Skip();
}

void COptionsDlg::OnDigitChar(wxKeyEvent& event) {
    // The number boxes take digits only; editing and navigation keys pass. What comes in by
    // pasting is checked at OK.
    const wxChar typed = event.GetUnicodeKey();
    if (typed == WXK_NONE || typed < WXK_SPACE || typed == WXK_DELETE || wxIsdigit(typed) ||
        event.HasAnyModifiers())
        event.Skip();
}

void COptionsDlg::OnUnclassified(wxCommandEvent& event) {
    m_nUnclassified = event.GetId() - control::PutInInclusions;
}

void COptionsDlg::OnSortOrder(wxCommandEvent& event) {
    m_nSortOrder = event.GetId() - control::Alphabetic;
}

void COptionsDlg::OnHelpButton(wxCommandEvent&) {
    ShowHelpContext(control::OptionsHelp);
}

namespace {

void ApplyReminderChoice(wxWindow* parent, SettingsStore& settings, const COptionsDlg& dialog) {
    if (!dialog.m_bReminderAvailable) return;
    const std::string before =
        settings.GetString(setting::Section, reminder_units::TimeSetting, "");
    const std::string wanted = dialog.m_bReminder ? dialog.m_strReminderTime.utf8_string() : "";
    if (wanted == before) return;
    if (const Result failure = SwitchReminder(reminder_units::ParseTime(wanted)); !failure.IsOk()) {
        ShowApplicationMessage(parent, "The daily reminder could not be " +
                                           wxString(wanted.empty() ? "turned off" : "set") +
                                           ".\n\n" + wxString::FromUTF8(failure.Message()));
        if (!wanted.empty()) return;  // still off
    }
    settings.WriteString(setting::Section, reminder_units::TimeSetting, wanted);
}

}  // namespace

void RunOptionsCommand(wxWindow* parent, SettingsStore& settings) {
    COptionsDlg dialog(parent, settings);
    if (dialog.ShowModal() != wxID_OK) return;
    const int hour = setting::NewDayHourOrDefault(dialog.m_nHour);
    settings.WriteInt(setting::Section, setting::NewDayTime, hour);
    settings.WriteInt(setting::Section, setting::SortOrder, dialog.m_nSortOrder);
    settings.WriteInt(setting::Section, setting::UnclassifiedAction, dialog.m_nUnclassified);
    settings.WriteInt(setting::Section, backups::KeptDaysSetting, dialog.m_nBackupDays);
    settings.WriteInt(setting::Section, setting::SymptomsMayComeLater,
                      dialog.m_bSymptomsMayComeLater ? 1 : 0);
    settings.WriteInt(setting::Section, reminder_units::TodayOnNewDaySetting,
                      dialog.m_bTodayOnNewDay ? 1 : 0);
    ApplyReminderChoice(parent, settings, dialog);
}
