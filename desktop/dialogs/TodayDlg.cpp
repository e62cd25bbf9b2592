#include "desktop/dialogs/TodayDlg.h"

#include <wx/button.h>
#include <wx/checklst.h>
#include <wx/sizer.h>
#include <wx/srchctrl.h>
#include <wx/stattext.h>
#include <wx/tglbtn.h>

#include "desktop/dialogs/DiaryText.h"
#include "desktop/dialogs/HelpContext.h"
#include "desktop/dialogs/MessageBoxes.h"
#include "desktop/dialogs/PlainButton.h"
#include "desktop/dialogs/Sizing.h"
#include "diary/DiaryConstants.h"

namespace {

constexpr const char* RatingLabels[] = {"&Better", "&No change", "&Worse"};

wxString NewFoodQuestion(const std::string& name) {
    return "\"" + FromDiaryText(name) + "\" is not one of your foods.\n\nAdd it as a new food?";
}

}  // namespace

CTodayDlg::CTodayDlg(wxWindow* parent, today::TodayEntry& entry)
    : wxDialog(parent, wxID_ANY, "Today", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_entry(entry) {
    CreateControls();
    Centre();
    Bind(wxEVT_CHAR_HOOK, &CTodayDlg::OnCharHook, this);
    Bind(wxEVT_BUTTON, &CTodayDlg::OnDone, this, wxID_OK);
    Bind(wxEVT_BUTTON, &CTodayDlg::OnHelpButton, this, wxID_HELP);
    BindHelpKey(this, command::Today);
    m_search->Bind(wxEVT_TEXT, &CTodayDlg::OnSearchText, this);
    m_search->Bind(wxEVT_TEXT_ENTER, &CTodayDlg::OnSearchEnter, this);
    m_search->Bind(wxEVT_SEARCH, &CTodayDlg::OnSearchEnter, this);
    m_foods->Bind(wxEVT_CHECKLISTBOX, &CTodayDlg::OnFoodChecked, this);
    FocusCurrent();
}

void CTodayDlg::CreateControls() {
    const wxSize unit = ConvertDialogToPixels(wxSize(4, 4));
    auto* heading =
        new wxStaticText(this, wxID_ANY, "Symptoms and foods " + FromDiaryText(m_entry.DayLabel()));
    heading->SetFont(heading->GetFont().Bold());

    auto* parts = new wxBoxSizer(wxHORIZONTAL);
    parts->Add(CreateSymptomRows(), wxSizerFlags().Expand().Border(wxRIGHT, 3 * unit.x));
    parts->Add(CreateFoodPart(), wxSizerFlags(1).Expand());

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* done = new wxButton(this, wxID_OK, "&Done");
    auto* cancel = NewPlainButton(this, wxID_CANCEL, "Cancel");
    auto* help = new wxButton(this, wxID_HELP, "&Help");
    for (wxButton* button : {done, cancel, help}) {
        SetMinSizeInDialogUnits(button, wxSize(50, 14));
        buttons->Add(button, wxSizerFlags().Border(wxLEFT, 2 * unit.x));
    }

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(heading, wxSizerFlags().Border(wxALL, 2 * unit.x));
    top->Add(parts, wxSizerFlags(1).Expand().Border(wxLEFT | wxRIGHT, 2 * unit.x));
    top->Add(buttons, wxSizerFlags().Right().Border(wxALL, 2 * unit.x));
    SetSizerAndFit(top);
}

wxSizer* CTodayDlg::CreateSymptomRows() {
    const wxSize unit = ConvertDialogToPixels(wxSize(4, 4));
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(new wxStaticText(this, wxID_ANY, "Symptoms since yesterday"),
                wxSizerFlags().Border(wxBOTTOM, unit.y));
    if (m_entry.Symptoms().empty())
        column->Add(new wxStaticText(this, wxID_ANY,
                                     "No symptom is followed yet:\nadd one with Update Symptoms."));
    auto* rows = new wxFlexGridSizer(4, unit.y, unit.x);
    for (std::size_t symptom = 0; symptom < m_entry.Symptoms().size(); ++symptom) {
        auto* name =
            new wxStaticText(this, wxID_ANY, FromDiaryText(m_entry.Symptoms()[symptom].name));
        m_symptomNames.push_back(name);
        rows->Add(name, wxSizerFlags().CenterVertical().Border(wxRIGHT, 2 * unit.x));
        std::array<wxToggleButton*, 3> buttons{};
        for (std::size_t rating = 0; rating < Ratings.size(); ++rating) {
            // The mnemonics belong to the keys of the whole window, not to one row.
            wxString label = RatingLabels[rating];
            label.Replace("&", "");
            buttons[rating] = new wxToggleButton(this, wxID_ANY, label);
            buttons[rating]->Bind(wxEVT_TOGGLEBUTTON, &CTodayDlg::OnRatingButton, this);
            rows->Add(buttons[rating], wxSizerFlags().Expand());
        }
        m_ratingButtons.push_back(buttons);
        ShowRatings(symptom);
    }
    column->Add(rows);
    return column;
}

wxSizer* CTodayDlg::CreateFoodPart() {
    const wxSize unit = ConvertDialogToPixels(wxSize(4, 4));
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(new wxStaticText(this, wxID_ANY, "&Foods and drinks taken"),
                wxSizerFlags().Border(wxBOTTOM, unit.y));
    m_search = new wxSearchCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                                wxTE_PROCESS_ENTER);
    m_search->SetDescriptiveText("Find or add a food");
    m_search->ShowCancelButton(true);
    m_foods = new wxCheckListBox(this, wxID_ANY);
    SetMinSizeInDialogUnits(m_foods, wxSize(110, 140));
    column->Add(m_search, wxSizerFlags().Expand().Border(wxBOTTOM, unit.y));
    column->Add(m_foods, wxSizerFlags(1).Expand());
    if (!m_entry.CanEnterFoods()) {
        m_search->Disable();
        m_foods->Disable();
    }
    RefillFoods();
    return column;
}

void CTodayDlg::ShowRatings(std::size_t symptom) {
    for (std::size_t column = 0; column < Ratings.size(); ++column)
        m_ratingButtons[symptom][column]->SetValue(m_entry.Symptoms()[symptom].rating ==
                                                   Ratings[column]);
}

void CTodayDlg::FocusCurrent() {
    if (m_ratingButtons.empty()) {
        if (m_search->IsEnabled()) m_search->SetFocus();
        return;
    }
    for (std::size_t symptom = 0; symptom < m_symptomNames.size(); ++symptom) {
        wxFont font = m_symptomNames[symptom]->GetFont();
        font.SetWeight(symptom == m_current ? wxFONTWEIGHT_BOLD : wxFONTWEIGHT_NORMAL);
        m_symptomNames[symptom]->SetFont(font);
    }
    const char rating = m_entry.Symptoms()[m_current].rating;
    std::size_t column = 1;
    for (std::size_t index = 0; index < Ratings.size(); ++index)
        if (Ratings[index] == rating) column = index;
    m_ratingButtons[m_current][column]->SetFocus();
}

void CTodayDlg::RateCurrent(char rating) {
    if (m_ratingButtons.empty()) return;
    m_entry.Rate(m_current, rating);
    ShowRatings(m_current);
}

void CTodayDlg::MoveCurrent(int step) {
    if (m_ratingButtons.empty()) return;
    const auto count = static_cast<long>(m_ratingButtons.size());
    const long next = static_cast<long>(m_current) + step;
    m_current = static_cast<std::size_t>(next < 0 ? 0 : next >= count ? count - 1 : next);
    FocusCurrent();
}

void CTodayDlg::OnRatingButton(wxCommandEvent& event) {
    for (std::size_t symptom = 0; symptom < m_ratingButtons.size(); ++symptom)
        for (std::size_t column = 0; column < Ratings.size(); ++column)
            if (m_ratingButtons[symptom][column] == event.GetEventObject()) {
                m_current = symptom;
                RateCurrent(Ratings[column]);
                FocusCurrent();
            }
}

bool CTodayDlg::HandleRatingKey(int key) {
    const auto rateAndGoOn = [this](char rating) {
        RateCurrent(rating);
        MoveCurrent(+1);
    };
    const auto shiftRating = [this](int step) {
        if (m_ratingButtons.empty()) return;
        std::size_t column = 1;
        for (std::size_t index = 0; index < Ratings.size(); ++index)
            if (Ratings[index] == m_entry.Symptoms()[m_current].rating) column = index;
        const long next = static_cast<long>(column) + step;
        if (next < 0 || next >= static_cast<long>(Ratings.size())) return;
        RateCurrent(Ratings[static_cast<std::size_t>(next)]);
        FocusCurrent();
    };
    switch (key) {
        case WXK_UP:
            MoveCurrent(-1);
            return true;
        case WXK_DOWN:
            MoveCurrent(+1);
            return true;
        case WXK_LEFT:
            shiftRating(-1);
            return true;
        case WXK_RIGHT:
            shiftRating(+1);
            return true;
        case 'B':
        case '1':
            rateAndGoOn(diary::Better);
            return true;
        case 'N':
        case '2':
            rateAndGoOn(diary::NoChange);
            return true;
        case 'W':
        case '3':
            rateAndGoOn(diary::Worse);
            return true;
        default:
            return false;
    }
}

void CTodayDlg::OnCharHook(wxKeyEvent& event) {
    // Typing in the search box and moving in the checklist keep their own keys.
    const wxWindow* focus = FindFocus();
    const bool inFoods =
        focus && (focus == m_foods || focus->GetParent() == m_search || focus == m_search);
    if (!inFoods && !event.HasAnyModifiers() && HandleRatingKey(event.GetKeyCode())) return;
    // Tab goes from the ratings to the search box at once, not through every rating button;
    // Shift+Tab from the search box comes back to the current symptom.
    if (event.GetKeyCode() == WXK_TAB && !event.ControlDown() && !event.AltDown()) {
        if (!inFoods && !event.ShiftDown() && m_search->IsEnabled()) {
            m_search->SetFocus();
            return;
        }
        if (inFoods && focus != m_foods && event.ShiftDown() && !m_ratingButtons.empty()) {
            FocusCurrent();
            return;
        }
    }
    event.Skip();
}

void CTodayDlg::RefillFoods() {
    m_shown = m_entry.Matching(m_search->GetValue().utf8_string());
    m_foods->Freeze();
    m_foods->Clear();
    for (std::size_t row : m_shown) {
        const today::FoodRow& food = m_entry.Foods()[row];
        const unsigned int item = m_foods->Append(FromDiaryText(food.name));
        m_foods->Check(item, food.eaten);
    }
    m_foods->Thaw();
}

void CTodayDlg::OnSearchText(wxCommandEvent&) {
    RefillFoods();
}

void CTodayDlg::OnSearchEnter(wxCommandEvent&) {
    EnterTypedName();
}

void CTodayDlg::EnterTypedName() {
    const today::EnterOutcome outcome = m_entry.Enter(m_search->GetValue().utf8_string());
    switch (outcome.kind) {
        case today::EnterOutcome::Kind::Nothing:
            return;
        case today::EnterOutcome::Kind::Refuse:
            ShowDialogMessage(this, wxString::FromUTF8(outcome.message), "New Food");
            return;
        case today::EnterOutcome::Kind::Tick:
            m_entry.SetEaten(outcome.row, true);
            break;
        case today::EnterOutcome::Kind::OfferNew:
            if (ShowApplicationMessage(this, NewFoodQuestion(outcome.name), wxYES_NO,
                                       wxICON_QUESTION) != wxYES)
                return;
            m_entry.AddNewFood(outcome.name);
            break;
    }
    // Ready for the next food.
    m_search->Clear();
    RefillFoods();
}

void CTodayDlg::OnFoodChecked(wxCommandEvent& event) {
    const int item = event.GetInt();
    if (item < 0 || static_cast<std::size_t>(item) >= m_shown.size()) return;
    m_entry.SetEaten(m_shown[static_cast<std::size_t>(item)],
                     m_foods->IsChecked(static_cast<unsigned int>(item)));
}

void CTodayDlg::OnDone(wxCommandEvent&) {
    SetReturnCode(wxID_OK);
    EndDialog(wxID_OK);
}

void CTodayDlg::OnHelpButton(wxCommandEvent&) {
    ShowHelpContext(command::Today);
}
