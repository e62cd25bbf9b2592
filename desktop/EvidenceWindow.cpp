#include "desktop/EvidenceWindow.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/display.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "desktop/EvidenceStripPanel.h"
#include "desktop/EvidenceTable.h"
#include "desktop/WindowPlacement.h"
#include "desktop/dialogs/DiaryText.h"
#include "desktop/dialogs/HelpContext.h"
#include "diary/DiaryConstants.h"
#include "diary/GastrologDoc.h"
#include "diary/Windows1252.h"

namespace {

// A roomy first size, within the screen.
wxSize FirstSize(wxWindow* window) {
    const wxRect screen = wxDisplay(wxDisplay::GetFromWindow(window) == wxNOT_FOUND
                                        ? 0u
                                        : static_cast<unsigned>(wxDisplay::GetFromWindow(window)))
                              .GetClientArea();
    const wxSize wanted = window->FromDIP(wxSize(1240, 640));
    return {std::min(wanted.x, screen.width * 9 / 10), std::min(wanted.y, screen.height * 9 / 10)};
}

// The period choice's entries: all days, then the last N days.
constexpr int PeriodDays[] = {0, 50, 90, 365};
constexpr const char* PeriodNames[] = {"All days", "Last 50 days", "Last 90 days", "Last 365 days"};
// "My symptoms may come later": the same day up to three days later.
constexpr int LaterLongestDelay = 3;

wxString FromUtf8(const std::string& text) {
    return wxString::FromUTF8(text.c_str());
}

}  // namespace

EvidenceWindow::EvidenceWindow(wxWindow* parent, const CGastrologDoc& document)
    : wxDialog(parent, wxID_ANY, "Evidence", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxMAXIMIZE_BOX),
      m_document(document),
      m_reading(ReadEvidence(document)) {
    const int gap = FromDIP(8);
    m_explanation = new wxStaticText(this, wxID_ANY, FromUtf8(EvidenceExplanation(false)));
    m_explanation->Wrap(FromDIP(900));
    m_table = new EvidenceTable(this, TableId, m_document, m_reading);
    m_shown = new wxStaticText(this, wxID_ANY, wxString());
    m_details = new wxTextCtrl(this, DetailsId, wxString(), wxDefaultPosition,
                               wxSize(-1, FromDIP(96)), wxTE_MULTILINE | wxTE_READONLY);
    m_strip = new EvidenceStripPanel(this, StripId, m_document, m_reading);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(new wxButton(this, HelpButtonId, "&Help"));
    buttons->AddStretchSpacer();
    auto* close = new wxButton(this, wxID_CLOSE, "Close");
    close->SetDefault();
    buttons->Add(close);

    auto* window = new wxBoxSizer(wxVERTICAL);
    window->Add(m_explanation, 0, wxEXPAND | wxALL, gap);
    window->Add(CreateReadingChoices(), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap);
    window->Add(CreateChoices(), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap);
    window->Add(m_table, 1, wxEXPAND | wxLEFT | wxRIGHT, gap);
    window->Add(m_shown, 0, wxEXPAND | wxALL, gap / 2);
    window->Add(m_details, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap);
    window->Add(m_strip, 0, wxEXPAND | wxLEFT | wxRIGHT, gap);
    window->Add(buttons, 0, wxEXPAND | wxALL, gap);
    SetSizer(window);
    SetMinSize(FromDIP(wxSize(640, 480)));
    SetSize(FirstSize(this));

    SetEscapeId(wxID_CLOSE);
    SetAffirmativeId(wxID_CLOSE);
    Bind(wxEVT_CHOICE, &EvidenceWindow::OnFilterChanged, this, SymptomChoiceId);
    Bind(wxEVT_CHECKBOX, &EvidenceWindow::OnFilterChanged, this, StrongAndSomeOnlyId);
    Bind(wxEVT_CHOICE, &EvidenceWindow::OnReadingChanged, this, PeriodChoiceId);
    Bind(wxEVT_CHECKBOX, &EvidenceWindow::OnReadingChanged, this, ComparePlainId);
    Bind(wxEVT_CHECKBOX, &EvidenceWindow::OnReadingChanged, this, LaterSymptomsId);
    Bind(wxEVT_LIST_ITEM_SELECTED, &EvidenceWindow::OnSelectionChanged, this, TableId);
    Bind(wxEVT_LIST_ITEM_DESELECTED, &EvidenceWindow::OnSelectionChanged, this, TableId);
    Bind(wxEVT_BUTTON, &EvidenceWindow::OnHelpButton, this, HelpButtonId);
    BindHelpKey(this, command::ShowEvidence);
    // As Options chose: the reading of the window's first choices.
    if (m_laterSymptoms->GetValue()) m_reading = ReadEvidence(m_document, ChosenOptions());
    Refill();
    FitAndCentreOnParent(*this);
}

wxSizer* EvidenceWindow::CreateChoices() {
    m_symptomChoice = new wxChoice(this, SymptomChoiceId);
    m_symptomChoice->Append("All symptoms");
    for (const CSymptom& symptom : m_document.Symptoms())
        m_symptomChoice->Append(FromDiaryText(symptom.m_name));
    m_symptomChoice->SetSelection(0);
    m_strongAndSomeOnly = new wxCheckBox(this, StrongAndSomeOnlyId, "&Strong and some only");
    m_strongAndSomeOnly->SetValue(true);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(this, wxID_ANY, "S&ymptom:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT,
             FromDIP(4));
    row->Add(m_symptomChoice, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(16));
    row->Add(m_strongAndSomeOnly, 0, wxALIGN_CENTER_VERTICAL);
    row->AddStretchSpacer();
    m_livedDays =
        new wxStaticText(this, wxID_ANY, wxString::Format("Lived days: %d", m_reading.livedDays));
    row->Add(m_livedDays, 0, wxALIGN_CENTER_VERTICAL);
    return row;
}

wxSizer* EvidenceWindow::CreateReadingChoices() {
    m_periodChoice = new wxChoice(this, PeriodChoiceId);
    for (const char* name : PeriodNames) m_periodChoice->Append(name);
    m_periodChoice->SetSelection(0);
    m_laterSymptoms = new wxCheckBox(this, LaterSymptomsId, "My symptoms may come &later");
    m_laterSymptoms->SetValue(m_document.GetSetting(setting::SymptomsMayComeLater, 0) == 1);
    m_laterSymptoms->SetToolTip(
        "Judge each food on the same day and up to three days later, not only the next day");
    m_comparePlain = new wxCheckBox(this, ComparePlainId, "Compare with &all other days");
    m_comparePlain->SetToolTip(
        "The plain count: every other day, as you would count it by hand from the diary");
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(this, wxID_ANY, "&Period:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT,
             FromDIP(4));
    row->Add(m_periodChoice, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(16));
    row->Add(m_laterSymptoms, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(16));
    row->Add(m_comparePlain, 0, wxALIGN_CENTER_VERTICAL);
    return row;
}

EvidenceOptions EvidenceWindow::ChosenOptions() const {
    EvidenceOptions options;
    const int period = std::max(0, m_periodChoice->GetSelection());
    options.period.lastDays = PeriodDays[std::min<std::size_t>(static_cast<std::size_t>(period),
                                                               std::size(PeriodDays) - 1)];
    if (m_laterSymptoms->GetValue()) {
        options.shortestDelay = 0;
        options.longestDelay = LaterLongestDelay;
    }
    options.plain = m_comparePlain->GetValue();
    return options;
}

void EvidenceWindow::Reread() {
    m_reading = ReadEvidence(m_document, ChosenOptions());
    m_explanation->SetLabel(FromUtf8(EvidenceExplanation(m_reading.options.plain)));
    m_explanation->Wrap(FromDIP(900));
    m_livedDays->SetLabel(wxString::Format("Lived days: %d", m_reading.livedDays));
    Refill();
    Layout();
}

void EvidenceWindow::OnReadingChanged(wxCommandEvent&) {
    Reread();
}

wxString EvidenceWindow::DetailsText() const {
    const EvidenceEntry* entry = m_table->SelectedEntry();
    if (!entry)
        return FromUtf8(
            "Select a row to read it in words, with the days it was compared "
            "with.\n" +
            std::string(EvidenceWhatToDo) + "\n" + std::string(NoClearLinkIsNotSafe));
    const EvidenceNames names{
        Windows1252ToUtf8(m_document.Foods()[static_cast<std::size_t>(entry->food)].m_name),
        Windows1252ToUtf8(m_document.Symptoms()[static_cast<std::size_t>(entry->symptom)].m_name)};
    std::string text;
    if (entry->word == EvidenceWord::TooFewDays) {
        text = TooFewDaysSentence(names.food, entry->daysEaten) + "\n" +
               std::string(NoClearLinkIsNotSafe);
    } else {
        text = EvidenceSentence(names, *entry);
        for (const EvidenceStratum& stratum : StrataOf(m_reading, *entry))
            text += "\n    " + StratumSentence(names, stratum, m_reading.blocks > 1, entry->delay);
        text += "\n" +
                std::string(IsStrongOrSome(entry->word) ? EvidenceWhatToDo : NoClearLinkIsNotSafe);
    }
    return FromUtf8(text);
}

wxString EvidenceWindow::ShownText() const {
    if (m_document.Foods().empty() || m_document.Symptoms().empty())
        return "The diary needs foods and symptoms before there is anything to count.";
    if (m_table->ShownRows() == 0)
        return "No food shows strong or some evidence here. Untick \"Strong and some only\" to "
               "see every food.";
    return wxString::Format("Showing %ld of %zu rows. Click a heading to sort by it.",
                            m_table->ShownRows(), m_reading.entries.size());
}

void EvidenceWindow::Refill() {
    m_table->Filter(m_symptomChoice->GetSelection() - 1, m_strongAndSomeOnly->GetValue());
    m_shown->SetLabel(ShownText());
    ShowSelectedDays();
}

void EvidenceWindow::ShowSelectedDays() {
    m_details->ChangeValue(DetailsText());
    const EvidenceEntry* entry = m_table->SelectedEntry();
    if (entry)
        m_strip->ShowDays(entry->food, entry->symptom, entry->delay);
    else
        m_strip->ShowDays(-1, -1);
}

void EvidenceWindow::OnFilterChanged(wxCommandEvent&) {
    Refill();
}

void EvidenceWindow::OnSelectionChanged(wxListEvent&) {
    ShowSelectedDays();
}

void EvidenceWindow::OnHelpButton(wxCommandEvent&) {
    ShowHelpContext(command::ShowEvidence);
}
