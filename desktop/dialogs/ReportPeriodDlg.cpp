#include "desktop/dialogs/ReportPeriodDlg.h"

#include <wx/button.h>
#include <wx/sizer.h>

#include "desktop/dialogs/ControlIds.h"

namespace {

enum Choice { AllDays, Last50Days, Last3Months, LastYear, FromTo };
constexpr int LastDaysOf[] = {0, 50, 90, 365, 0};

}  // namespace

ReportPeriodDlg::ReportPeriodDlg(wxWindow* parent, lived::Date firstDay, lived::Date lastDay)
    : wxDialog(parent, wxID_ANY, "Report Period") {
    const wxString choices[] = {"&All days", "Last &50 days", "Last 3 &months", "Last &year",
                                "&From - To"};
    m_choice = new wxRadioBox(this, control::PeriodChoice, "Days the report covers",
                              wxDefaultPosition, wxDefaultSize, 5, choices, 1);
    m_from = new wxTextCtrl(this, control::PeriodFrom, lived::DateText(firstDay));
    m_to = new wxTextCtrl(this, control::PeriodTo, lived::DateText(lastDay));
    m_problem = new wxStaticText(this, wxID_ANY, "");
    auto* dates = new wxBoxSizer(wxHORIZONTAL);
    dates->Add(new wxStaticText(this, wxID_ANY, "From"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
    dates->Add(m_from, 0, wxRIGHT, 10);
    dates->Add(new wxStaticText(this, wxID_ANY, "To"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
    dates->Add(m_to);
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(m_choice, 0, wxEXPAND | wxALL, 10);
    column->Add(dates, 0, wxLEFT | wxRIGHT, 10);
    column->Add(m_problem, 0, wxEXPAND | wxALL, 10);
    column->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 10);
    SetSizerAndFit(column);
    m_choice->Bind(wxEVT_RADIOBOX, [this](wxCommandEvent&) { EnableDates(); });
    EnableDates();
    CentreOnParent();
}

void ReportPeriodDlg::EnableDates() {
    const bool dated = m_choice->GetSelection() == FromTo;
    m_from->Enable(dated);
    m_to->Enable(dated);
}

bool ReportPeriodDlg::TransferDataFromWindow() {
    const int choice = m_choice->GetSelection();
    ReportPeriod period;
    period.lastDays = LastDaysOf[choice];
    if (choice == FromTo) {
        lived::Date from = 0, to = 0;
        if (!lived::ParseDate(m_from->GetValue().utf8_string(), from) ||
            !lived::ParseDate(m_to->GetValue().utf8_string(), to)) {
            m_problem->SetLabel("Type the dates as YYYY-MM-DD, for example 2025-03-01.");
            return false;
        }
        if (from > to) {
            m_problem->SetLabel("The From date is after the To date.");
            return false;
        }
        period.from = from;
        period.to = to;
    }
    m_period = period;
    return true;
}
