#include "desktop/dialogs/DayListDlg.h"

#include <wx/button.h>
#include <wx/gbsizer.h>
#include <wx/sizer.h>
#include <wx/srchctrl.h>

#include "desktop/dialogs/ControlIds.h"
#include "desktop/dialogs/DeleteFoodDlg.h"
#include "desktop/dialogs/DiaryText.h"
#include "desktop/dialogs/HelpContext.h"
#include "desktop/dialogs/MessageBoxes.h"
#include "desktop/dialogs/NewFoodDlg.h"
#include "desktop/dialogs/PlainButton.h"
#include "desktop/dialogs/Sizing.h"
#include "desktop/dialogs/SortedListBox.h"
#include "diary/DiaryConstants.h"
#include "diary/NameRules.h"

namespace {

bool HasMark(const std::string& entry, char mark) {
    return !entry.empty() && entry.front() == mark;
}

std::string WithoutMark(const std::string& entry, char mark) {
    return HasMark(entry, mark) ? entry.substr(1) : entry;
}

std::string Bytes(const wxString& text) {
    return ToDiaryText(text).value_or(std::string());
}

bool SameIgnoringCase(const wxString& one, const wxString& other) {
    return name_rules::SameName(Bytes(one), Bytes(other));
}

}  // namespace

CDayListDlg::CDayListDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "Create List of Foods & Drinks", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER) {
    CreateControls();
    Bind(wxEVT_INIT_DIALOG, &CDayListDlg::OnInitDialog, this);
    Bind(wxEVT_BUTTON, &CDayListDlg::OnCopy, this, control::CopyToDayList);
    Bind(wxEVT_BUTTON, &CDayListDlg::OnNew, this, control::NewFood);
    Bind(wxEVT_BUTTON, &CDayListDlg::OnDelete, this, control::DeleteFood);
    Bind(wxEVT_BUTTON, &CDayListDlg::OnClear, this, control::ClearDayList);
    Bind(wxEVT_BUTTON, &CDayListDlg::OnOkButton, this, control::DayListOk);
    Bind(wxEVT_BUTTON, &CDayListDlg::OnHelpButton, this, control::DayListHelp);
    BindHelpKey(this, control::DayListHelp);
    Bind(wxEVT_LISTBOX_DCLICK, &CDayListDlg::OnMasterDoubleClick, this, control::MasterList);
    Bind(wxEVT_TEXT, &CDayListDlg::OnSearchText, this, control::MasterSearch);
}

void CDayListDlg::CreateControls() {
    // Creation order is the tab order: search, Master list, "-->", Day list, then the buttons.
    auto* masterLabel = new wxStaticText(this, wxID_ANY, "&Master list");
    m_search = new wxSearchCtrl(this, control::MasterSearch);
    m_search->SetDescriptiveText("Find a food");
    m_search->ShowCancelButton(true);
    m_masterBox = new SortedListBox(this, control::MasterList, wxLB_MULTIPLE);
    auto* copy = new wxButton(this, control::CopyToDayList, "-->", wxDefaultPosition, wxDefaultSize,
                              wxBU_EXACTFIT);
    auto* dayLabel = new wxStaticText(this, wxID_ANY, "&Day list");
    m_dayBox = new SortedListBox(this, control::DayList, wxLB_SINGLE);
    auto* ok = new wxButton(this, control::DayListOk, "OK");
    auto* cancel = NewPlainButton(this, wxID_CANCEL, "Cancel");
    auto* newFood = new wxButton(this, control::NewFood, "&New");
    auto* deleteFood = new wxButton(this, control::DeleteFood, "D&elete");
    auto* clear = new wxButton(this, control::ClearDayList, "&Clear");
    auto* help = new wxButton(this, control::DayListHelp, "&Help");
    m_dayCaption = new wxStaticText(this, control::DayListCaption, wxString());
    ok->SetDefault();
    ReserveDayCaptionWidth(m_dayCaption);

    SetMinSizeInDialogUnits(m_masterBox, wxSize(84, 147));
    SetMinSizeInDialogUnits(m_dayBox, wxSize(84, 147));
    SetMinSizeInDialogUnits(copy, wxSize(15, 70));
    const wxSize buttonSize(56, 14);
    const wxSize unit = ConvertDialogToPixels(wxSize(4, 4));

    auto* buttons = new wxBoxSizer(wxVERTICAL);
    for (wxButton* button : {ok, cancel}) {
        SetMinSizeInDialogUnits(button, buttonSize);
        buttons->Add(button, wxSizerFlags().Expand().Border(wxBOTTOM, unit.y));
    }
    buttons->AddSpacer(3 * unit.y);
    for (wxButton* button : {newFood, deleteFood, clear}) {
        SetMinSizeInDialogUnits(button, buttonSize);
        buttons->Add(button, wxSizerFlags().Expand().Border(wxBOTTOM, unit.y));
    }
    buttons->AddStretchSpacer();
    SetMinSizeInDialogUnits(help, buttonSize);
    buttons->Add(help, wxSizerFlags().Expand());

    // The day caption stands beside the "Day list" label and may reach over the buttons.
    auto* dayHeading = new wxBoxSizer(wxHORIZONTAL);
    dayHeading->Add(dayLabel, wxSizerFlags().CenterVertical());
    dayHeading->Add(m_dayCaption, wxSizerFlags().CenterVertical().Border(wxLEFT, 2 * unit.x));

    auto* grid = new wxGridBagSizer(unit.y, 2 * unit.x);
    grid->Add(masterLabel, wxGBPosition(0, 0), wxGBSpan(1, 1), wxALIGN_BOTTOM);
    grid->Add(dayHeading, wxGBPosition(0, 2), wxGBSpan(1, 2), wxALIGN_BOTTOM);
    grid->Add(m_search, wxGBPosition(1, 0), wxGBSpan(1, 1), wxEXPAND);
    grid->Add(m_masterBox, wxGBPosition(2, 0), wxGBSpan(1, 1), wxEXPAND);
    grid->Add(copy, wxGBPosition(2, 1), wxGBSpan(1, 1), wxALIGN_CENTER_VERTICAL);
    grid->Add(m_dayBox, wxGBPosition(1, 2), wxGBSpan(2, 1), wxEXPAND);
    grid->Add(buttons, wxGBPosition(1, 3), wxGBSpan(2, 1), wxEXPAND);
    grid->AddGrowableRow(2);
    grid->AddGrowableCol(0);
    grid->AddGrowableCol(2);

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(grid, wxSizerFlags(1).Expand().Border(wxALL, 2 * unit.x));
    SetSizerAndFit(top);
}

bool CDayListDlg::TransferDataToWindow() {
    // The caption's room is kept for the longest date, so the dialog's width never changes.
    m_dayCaption->SetLabelText(m_strDay);
    return true;
}

void CDayListDlg::OnInitDialog(wxInitDialogEvent&) {
    TransferDataToWindow();
    m_masterNames.clear();
    m_hiddenSelection.clear();
    m_masterBox->Clear();
    m_dayBox->Clear();
    // The lists may hold the marks of an earlier run that the user cancelled and came back to
    // (a skipped day): the dialog shows them as that run left them.
    if (m_pMasterList)
        for (const std::string& entry : *m_pMasterList)
            if (!HasMark(entry, diary::MarkDelete))
                m_masterNames.push_back(FromDiaryText(WithoutMark(entry, diary::MarkOffDay)));
    RefillMasterBox();
    if (m_pDayList) {
        for (const std::string& entry : *m_pDayList) {
            const std::string name = WithoutMark(entry, diary::MarkNew);
            if (FindMasterEntry(diary::MarkOffDay + name) ||
                FindMasterEntry(diary::MarkDelete + name))
                continue;
            const wxString text = FromDiaryText(name);
            if (m_dayBox->FindIgnoringCase(text) == wxNOT_FOUND) m_dayBox->AddSorted(text);
        }
    }
    m_masterBox->SetFocus();
}

std::string* CDayListDlg::FindMasterEntry(const std::string& name) const {
    if (!m_pMasterList) return nullptr;
    for (std::string& entry : *m_pMasterList)
        if (entry == name) return &entry;
    return nullptr;
}

void CDayListDlg::MarkMasterEntry(const wxString& name, char mark) {
    if (std::string* entry = FindMasterEntry(Bytes(name))) entry->insert(entry->begin(), mark);
}

int CDayListDlg::FindMasterName(const wxString& name) const {
    for (std::size_t index = 0; index < m_masterNames.size(); ++index)
        if (SameIgnoringCase(m_masterNames[index], name)) return static_cast<int>(index);
    return -1;
}

void CDayListDlg::AddMasterName(const wxString& name) {
    m_masterNames.push_back(name);
    RefillMasterBox();
}

void CDayListDlg::RemoveMasterName(const wxString& name) {
    const int index = FindMasterName(name);
    if (index < 0) return;
    m_hiddenSelection.erase(m_masterNames[static_cast<std::size_t>(index)]);
    m_masterNames.erase(m_masterNames.begin() + index);
    RefillMasterBox();
}

std::vector<wxString> CDayListDlg::SelectedMasterNames() const {
    std::vector<wxString> names(m_hiddenSelection.begin(), m_hiddenSelection.end());
    for (unsigned int row = 0; row < m_masterBox->GetCount(); ++row)
        if (m_masterBox->IsSelected(row)) names.push_back(m_masterBox->GetString(row));
    return names;
}

void CDayListDlg::RefillMasterBox() {
    const std::vector<wxString> selected = SelectedMasterNames();
    const wxString wanted = m_search->GetValue().Lower();
    m_masterBox->Clear();
    for (const wxString& name : m_masterNames)
        if (name.Lower().Contains(wanted)) m_masterBox->AddSorted(name);
    m_hiddenSelection.clear();
    for (const wxString& name : selected) {
        const int row = m_masterBox->FindString(name, true);
        // A selection hidden by the search is kept; one whose food was deleted goes with it.
        if (row == wxNOT_FOUND && FindMasterName(name) >= 0)
            m_hiddenSelection.insert(name);
        else if (row != wxNOT_FOUND)
            m_masterBox->SetSelection(row, true);
    }
}

void CDayListDlg::OnSearchText(wxCommandEvent&) {
    RefillMasterBox();
}

void CDayListDlg::OnMasterDoubleClick(wxCommandEvent& event) {
    const wxString name = event.GetString();
    if (!name.empty() && m_dayBox->FindIgnoringCase(name) == wxNOT_FOUND) PutOnDay(name);
}

void CDayListDlg::PutOnDay(const wxString& name) {
    const std::string bytes = Bytes(name);
    m_dayBox->AddSorted(name);
    if (m_pDayList) m_pDayList->push_back(bytes);
    // A food taken off the day earlier in this dialog and put back counts as eaten: withdraw
    // its "taken off" mark, which the document would otherwise apply after the day list.
    if (std::string* entry = FindMasterEntry(diary::MarkOffDay + bytes)) entry->erase(0, 1);
}

void CDayListDlg::OnCopy(wxCommandEvent&) {
    for (const wxString& name : SelectedMasterNames())
        if (m_dayBox->FindIgnoringCase(name) == wxNOT_FOUND) PutOnDay(name);
}

Result CDayListDlg::CheckNewFood(const wxString& typed) const {
    const auto kind = name_rules::Kind::Food;
    const name_rules::Checked checked = name_rules::Check(typed.utf8_string(), kind);
    if (checked.problem != name_rules::Problem::None)
        return {Result::Code::Invalid, name_rules::Message(checked, kind)};
    const wxString name = FromDiaryText(checked.name);
    if (m_dayBox->FindIgnoringCase(name) != wxNOT_FOUND)
        return {Result::Code::Invalid, name_rules::DuplicateMessage(name.utf8_string())};
    return Result::Success();
}

void CDayListDlg::OnNew(wxCommandEvent&) {
    CNewFoodDlg dialog(this);
    dialog.m_strName = " ";
    dialog.SetNameCheck([this](const wxString& typed) { return CheckNewFood(typed); }, "New Food");
    if (dialog.ShowModal() != wxID_OK) return;

    // The dialog took only a name that passed the check.
    const name_rules::Checked checked =
        name_rules::Check(dialog.m_strName.utf8_string(), name_rules::Kind::Food);
    if (checked.problem != name_rules::Problem::None) return;
    const wxString name = FromDiaryText(checked.name);
    if (m_dayBox->FindIgnoringCase(name) != wxNOT_FOUND) return;

    const int known = FindMasterName(name);
    if (known >= 0) {
        // A known food typed in another letter case is that food, spelt as the diary has it,
        // so that the document finds it by its exact name.
        PutOnDay(m_masterNames[static_cast<std::size_t>(known)]);
        return;
    }
    m_dayBox->AddSorted(name);
    if (m_pDayList) m_pDayList->push_back(diary::MarkNew + checked.name);
    AddMasterName(name);
    if (m_pMasterList) m_pMasterList->push_back(checked.name);
}

void CDayListDlg::OnDelete(wxCommandEvent&) {
    const int row = m_dayBox->GetSelection();
    if (row == wxNOT_FOUND) return;

    // The confirmation shows the selected name read-only: what is deleted is what was selected.
    const wxString name = m_dayBox->GetString(row);
    CDeleteFoodDlg dialog(this);
    dialog.m_strName = name;
    if (dialog.ShowModal() != wxID_OK) return;

    m_dayBox->DeleteRow(static_cast<unsigned int>(row));
    if (dialog.m_bMaster == 1) {
        RemoveMasterName(name);
        // A food already taken off the day in this dialog is deleted all the same.
        if (std::string* takenOff = FindMasterEntry(diary::MarkOffDay + Bytes(name)))
            takenOff->front() = diary::MarkDelete;
        else
            MarkMasterEntry(name, diary::MarkDelete);
    } else {
        MarkMasterEntry(name, diary::MarkOffDay);
    }
}

void CDayListDlg::OnClear(wxCommandEvent&) {
    if (m_dayBox->IsEmpty()) return;
    if (ShowApplicationMessage(this, "All items will be cleared from the Day list", wxOK | wxCANCEL,
                               wxICON_QUESTION) != wxOK)
        return;
    for (int row = static_cast<int>(m_dayBox->GetCount()) - 1; row >= 0; --row) {
        MarkMasterEntry(m_dayBox->GetString(row), diary::MarkOffDay);
        m_dayBox->DeleteRow(static_cast<unsigned int>(row));
    }
}

void CDayListDlg::OnOkButton(wxCommandEvent&) {
    for (const wxString& name : SelectedMasterNames()) {
        if (m_dayBox->FindIgnoringCase(name) == wxNOT_FOUND) {
            ShowApplicationMessage(this,
                                   "Some of the Master list selections\nhave not been copied to "
                                   "the Day list.\n\nPlease check your selections.");
            return;
        }
    }
    if (!Validate() || !TransferDataFromWindow()) return;
    SetReturnCode(wxID_OK);
    EndDialog(wxID_OK);
}

void CDayListDlg::OnHelpButton(wxCommandEvent&) {
    ShowHelpContext(control::DayListHelp);
}
