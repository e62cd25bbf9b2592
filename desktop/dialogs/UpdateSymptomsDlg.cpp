#include "desktop/dialogs/UpdateSymptomsDlg.h"

#include <wx/button.h>
#include <wx/sizer.h>

#include <algorithm>
#include <vector>

#include "desktop/dialogs/ControlIds.h"
#include "desktop/dialogs/DeleteSymptomDlg.h"
#include "desktop/dialogs/DiaryText.h"
#include "desktop/dialogs/HelpContext.h"
#include "desktop/dialogs/MessageBoxes.h"
#include "desktop/dialogs/NewSymptomDlg.h"
#include "desktop/dialogs/PlainButton.h"
#include "desktop/dialogs/Sizing.h"
#include "desktop/dialogs/SortedListBox.h"
#include "diary/DiaryConstants.h"
#include "diary/NameRules.h"
#include "diary/SymptomLine.h"

namespace {

constexpr std::string_view Suffixes[] = {diary::SuffixBetter, diary::SuffixWorse,
                                         diary::SuffixNoChange};

}  // namespace

CUpdateSymptomsDlg::CUpdateSymptomsDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "Update Symptoms", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER) {
    CreateControls();
    Bind(wxEVT_INIT_DIALOG, &CUpdateSymptomsDlg::OnInitDialog, this);
    Bind(wxEVT_BUTTON, &CUpdateSymptomsDlg::OnBetter, this, control::Better);
    Bind(wxEVT_BUTTON, &CUpdateSymptomsDlg::OnWorse, this, control::Worse);
    Bind(wxEVT_BUTTON, &CUpdateSymptomsDlg::OnNoChange, this, control::NoChange);
    Bind(wxEVT_BUTTON, &CUpdateSymptomsDlg::OnAllNoChange, this, control::AllNoChange);
    Bind(wxEVT_BUTTON, &CUpdateSymptomsDlg::OnNew, this, control::NewSymptom);
    Bind(wxEVT_BUTTON, &CUpdateSymptomsDlg::OnDelete, this, control::DeleteSymptom);
    Bind(wxEVT_BUTTON, &CUpdateSymptomsDlg::OnHelpButton, this, control::SymptomHelp);
    BindHelpKey(this, control::SymptomHelp);
}

void CUpdateSymptomsDlg::CreateControls() {
    // Creation order is the tab order: the list, the rating buttons, then the others.
    m_symptomBox = new SortedListBox(this, control::SymptomList, wxLB_SINGLE);
    auto* better = new wxButton(this, control::Better, "&Better");
    auto* worse = new wxButton(this, control::Worse, "&Worse");
    auto* noChange = new wxButton(this, control::NoChange, "N&o Change");
    auto* allNoChange = new wxButton(this, control::AllNoChange, "&All No Change");
    auto* ok = NewPlainButton(this, wxID_OK, "OK");
    auto* cancel = NewPlainButton(this, wxID_CANCEL, "Cancel");
    auto* newSymptom = new wxButton(this, control::NewSymptom, "&New");
    auto* deleteSymptom = new wxButton(this, control::DeleteSymptom, "&Delete");
    auto* help = new wxButton(this, control::SymptomHelp, "Help");
    auto* label = new wxStaticText(this, wxID_ANY, "Symptoms");
    m_dayCaption = new wxStaticText(this, control::SymptomCaption, wxString());
    ok->SetDefault();
    ReserveDayCaptionWidth(m_dayCaption);

    SetMinSizeInDialogUnits(m_symptomBox, wxSize(98, 92));
    const wxSize buttonSize(60, 14);
    const wxSize unit = ConvertDialogToPixels(wxSize(4, 4));

    auto* heading = new wxBoxSizer(wxHORIZONTAL);
    heading->Add(label, wxSizerFlags().CenterVertical());
    heading->Add(m_dayCaption, wxSizerFlags().CenterVertical().Border(wxLEFT, unit.x));

    auto* listColumn = new wxBoxSizer(wxVERTICAL);
    listColumn->Add(heading, wxSizerFlags().Border(wxBOTTOM, unit.y));
    listColumn->Add(m_symptomBox, wxSizerFlags(1).Expand());

    auto* ratings = new wxBoxSizer(wxVERTICAL);
    ratings->AddStretchSpacer();
    for (wxButton* button : {better, worse, noChange, allNoChange}) {
        SetMinSizeInDialogUnits(button, buttonSize);
        ratings->Add(button, wxSizerFlags().Expand().Border(wxTOP, 2 * unit.y));
    }
    ratings->AddStretchSpacer();

    auto* commands = new wxBoxSizer(wxVERTICAL);
    for (wxButton* button : {ok, cancel, newSymptom, deleteSymptom}) {
        SetMinSizeInDialogUnits(button, buttonSize);
        commands->Add(button, wxSizerFlags().Expand().Border(wxBOTTOM, unit.y));
    }
    commands->AddStretchSpacer();
    SetMinSizeInDialogUnits(help, buttonSize);
    commands->Add(help, wxSizerFlags().Expand());

    auto* columns = new wxBoxSizer(wxHORIZONTAL);
    columns->Add(listColumn, wxSizerFlags(1).Expand());
    columns->Add(ratings, wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT, 2 * unit.x));
    columns->Add(commands, wxSizerFlags().Expand().Border(wxLEFT, 2 * unit.x));

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(columns, wxSizerFlags(1).Expand().Border(wxALL, 2 * unit.x));
    SetSizerAndFit(top);
}

bool CUpdateSymptomsDlg::TransferDataToWindow() {
    // The caption's room is kept for the longest date, so the dialog's width never changes.
    m_dayCaption->SetLabelText(m_strDay);
    return true;
}

void CUpdateSymptomsDlg::OnInitDialog(wxInitDialogEvent&) {
    TransferDataToWindow();
    m_symptomBox->Clear();
    // The lines may hold the marks of an earlier run that the user cancelled and came back to
    // (a skipped day): a symptom deleted there stays deleted, one added there is listed.
    if (m_pSymptomList)
        for (const std::string& line : *m_pSymptomList)
            if (line.empty() || line.front() != diary::MarkDelete)
                m_symptomBox->AddSorted(
                    FromDiaryText(line.starts_with(diary::MarkNew) ? line.substr(1) : line));
    // Taking the focus puts the list's cursor on its first row and, in a single-selection
    // list, selects that row; the dialog opens with nothing selected.
    m_symptomBox->SetFocus();
    m_symptomBox->SetSelection(wxNOT_FOUND);
}

std::string* CUpdateSymptomsDlg::FindLine(const std::string& text) const {
    if (!m_pSymptomList) return nullptr;
    for (std::string& line : *m_pSymptomList)
        if (line == text) return &line;
    // A symptom added in this dialog: its line carries the "new" mark before the text.
    for (std::string& line : *m_pSymptomList)
        if (line.size() == text.size() + 1 && line.front() == diary::MarkNew &&
            line.compare(1, std::string::npos, text) == 0)
            return &line;
    return nullptr;
}

void CUpdateSymptomsDlg::RateRow(int row, std::string_view suffix) {
    std::string* line = FindLine(ToDiaryText(m_symptomBox->GetString(row)).value_or(""));
    if (!line) return;
    // A new symptom is rated at once: it is one of the day's symptoms like the others, and the
    // document creates it with the rating its line carries.
    const bool pending = line->front() == diary::MarkNew;
    const std::string rated =
        std::string(symptom_line::NameOf(pending ? std::string_view(*line).substr(1) : *line)) +
        std::string(suffix);
    m_symptomBox->DeleteRow(static_cast<unsigned int>(row));
    m_symptomBox->AddSorted(FromDiaryText(rated));
    *line = pending ? diary::MarkNew + rated : rated;
}

void CUpdateSymptomsDlg::RateSelectedRow(std::string_view suffix) {
    const int row = m_symptomBox->GetSelection();
    if (row != wxNOT_FOUND) RateRow(row, suffix);
}

void CUpdateSymptomsDlg::OnBetter(wxCommandEvent&) {
    RateSelectedRow(diary::SuffixBetter);
}
void CUpdateSymptomsDlg::OnWorse(wxCommandEvent&) {
    RateSelectedRow(diary::SuffixWorse);
}
void CUpdateSymptomsDlg::OnNoChange(wxCommandEvent&) {
    RateSelectedRow(diary::SuffixNoChange);
}

void CUpdateSymptomsDlg::OnAllNoChange(wxCommandEvent&) {
    // Rating moves a row to its new place, so go by the rows' texts rather than their indices.
    std::vector<wxString> rows;
    for (unsigned int row = 0; row < m_symptomBox->GetCount(); ++row)
        rows.push_back(m_symptomBox->GetString(row));
    for (const wxString& text : rows) {
        const int row = m_symptomBox->FindString(text, true);
        if (row != wxNOT_FOUND) RateRow(row, diary::SuffixNoChange);
    }
}

bool CUpdateSymptomsDlg::HoldsSymptom(const wxString& name) const {
    if (m_symptomBox->FindIgnoringCase(name) != wxNOT_FOUND) return true;
    for (const std::string_view suffix : Suffixes)
        if (m_symptomBox->FindIgnoringCase(name + FromDiaryText(suffix)) != wxNOT_FOUND)
            return true;
    return false;
}

Result CUpdateSymptomsDlg::CheckNewSymptom(const wxString& typed) const {
    const std::string utf8 = typed.utf8_string();
    const wxString trimmed = wxString::FromUTF8(name_rules::Trim(utf8));
    // A name already listed is the same symptom, whatever else might be wrong with it.
    if (!trimmed.empty() && HoldsSymptom(trimmed))
        return {Result::Code::Invalid, name_rules::DuplicateMessage(trimmed.utf8_string())};
    const auto kind = name_rules::Kind::Symptom;
    const name_rules::Checked checked = name_rules::Check(utf8, kind);
    if (checked.problem != name_rules::Problem::None)
        return {Result::Code::Invalid, name_rules::Message(checked, kind)};
    return Result::Success();
}

void CUpdateSymptomsDlg::OnNew(wxCommandEvent&) {
    const unsigned int count = m_symptomBox->GetCount();
    if (count >= static_cast<unsigned int>(diary::MaximumSymptoms)) {
        ShowApplicationMessage(this, "Maximum symptoms reached");
        return;
    }
    CNewSymptomDlg dialog(this);
    dialog.m_strName = " ";
    dialog.SetNameCheck([this](const wxString& typed) { return CheckNewSymptom(typed); },
                        "New Symptom");
    if (dialog.ShowModal() == wxID_OK) {
        // The dialog took only a name that passed the check.
        const name_rules::Checked checked =
            name_rules::Check(dialog.m_strName.utf8_string(), name_rules::Kind::Symptom);
        if (checked.problem == name_rules::Problem::None &&
            !HoldsSymptom(FromDiaryText(checked.name))) {
            m_symptomBox->AddSorted(FromDiaryText(checked.name));
            if (m_pSymptomList) m_pSymptomList->push_back(diary::MarkNew + checked.name);
        }
    }
    if (count >= static_cast<unsigned int>(diary::RecommendedSymptoms))
        ShowApplicationMessage(this,
                               "You should not use more than ten symptoms.\nGastrolog works "
                               "best with less symptoms.");
}

void CUpdateSymptomsDlg::OnDelete(wxCommandEvent&) {
    const int row = m_symptomBox->GetSelection();
    if (row == wxNOT_FOUND) return;

    CDeleteSymptomDlg dialog(this);
    dialog.m_strName = m_symptomBox->GetString(row);
    if (dialog.ShowModal() != wxID_OK) return;

    // The confirmation shows the row's text read-only: what is deleted is what was selected.
    const std::string text = ToDiaryText(m_symptomBox->GetString(row)).value_or("");
    m_symptomBox->DeleteRow(static_cast<unsigned int>(row));
    std::string* line = FindLine(text);
    if (!line) return;
    if (line->front() == diary::MarkNew) {
        // A symptom added in this same dialog is not in the diary yet: withdraw the addition.
        m_pSymptomList->erase(m_pSymptomList->begin() + (line - m_pSymptomList->data()));
    } else {
        line->insert(line->begin(), diary::MarkDelete);
    }
}

void CUpdateSymptomsDlg::OnHelpButton(wxCommandEvent&) {
    ShowHelpContext(control::SymptomHelp);
}
