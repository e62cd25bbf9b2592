#include "desktop/EvidenceWindow.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/display.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "desktop/EvidenceStripPanel.h"
#include "desktop/EvidenceTable.h"
#include "desktop/dialogs/DiaryText.h"
#include "desktop/dialogs/HelpContext.h"
#include "diary/DiaryConstants.h"
#include "diary/GastrologDoc.h"

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

}  // namespace

EvidenceWindow::EvidenceWindow(wxWindow* parent, const CGastrologDoc& document)
    : wxDialog(parent, wxID_ANY, "Evidence", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxMAXIMIZE_BOX),
      m_document(document),
      m_reading(ReadEvidence(document)) {
    const int gap = FromDIP(8);
    auto* explanation =
        new wxStaticText(this, wxID_ANY, wxString::FromUTF8(EvidenceExplanation(false)));
    explanation->Wrap(FromDIP(900));
    m_table = new EvidenceTable(this, TableId, m_document, m_reading);
    m_shown = new wxStaticText(this, wxID_ANY, wxString());
    m_strip = new EvidenceStripPanel(this, StripId, m_document);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(new wxButton(this, HelpButtonId, "&Help"));
    buttons->AddStretchSpacer();
    auto* close = new wxButton(this, wxID_CLOSE, "Close");
    close->SetDefault();
    buttons->Add(close);

    auto* window = new wxBoxSizer(wxVERTICAL);
    window->Add(explanation, 0, wxEXPAND | wxALL, gap);
    window->Add(CreateChoices(), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap);
    window->Add(m_table, 1, wxEXPAND | wxLEFT | wxRIGHT, gap);
    window->Add(m_shown, 0, wxEXPAND | wxALL, gap / 2);
    window->Add(m_strip, 0, wxEXPAND | wxLEFT | wxRIGHT, gap);
    window->Add(buttons, 0, wxEXPAND | wxALL, gap);
    SetSizer(window);
    SetMinSize(FromDIP(wxSize(640, 480)));
    SetSize(FirstSize(this));

    SetEscapeId(wxID_CLOSE);
    SetAffirmativeId(wxID_CLOSE);
    Bind(wxEVT_CHOICE, &EvidenceWindow::OnFilterChanged, this, SymptomChoiceId);
    Bind(wxEVT_CHECKBOX, &EvidenceWindow::OnFilterChanged, this, StrongAndSomeOnlyId);
    Bind(wxEVT_LIST_ITEM_SELECTED, &EvidenceWindow::OnSelectionChanged, this, TableId);
    Bind(wxEVT_LIST_ITEM_DESELECTED, &EvidenceWindow::OnSelectionChanged, this, TableId);
    Bind(wxEVT_BUTTON, &EvidenceWindow::OnHelpButton, this, HelpButtonId);
    BindHelpKey(this, command::ShowEvidence);
    Refill();
    CentreOnParent();
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
    row->Add(
        new wxStaticText(this, wxID_ANY, wxString::Format("Lived days: %d", m_reading.livedDays)),
        0, wxALIGN_CENTER_VERTICAL);
    return row;
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
    const EvidenceEntry* entry = m_table->SelectedEntry();
    if (entry)
        m_strip->ShowDays(entry->food, entry->symptom);
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
