#pragma once
// Export Report's first question: which days the report covers. All lived days, the last 50,
// the last 3 months (90 days), the last year (365 days), or from one date to another.

#include <wx/dialog.h>
#include <wx/radiobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "page/ReportPeriod.h"

class ReportPeriodDlg : public wxDialog {
public:
    // firstDay and lastDay: the diary's first and last lived days, the From-To boxes' defaults.
    ReportPeriodDlg(wxWindow* parent, lived::Date firstDay, lived::Date lastDay);

    // The period chosen, once the dialog has closed with OK.
    const ReportPeriod& Period() const { return m_period; }

    wxRadioBox* Choice() const { return m_choice; }
    wxTextCtrl* FromEdit() const { return m_from; }
    wxTextCtrl* ToEdit() const { return m_to; }

    // Takes the choice; dates that are not YYYY-MM-DD, or From after To, keep the dialog open
    // with a line saying so.
    bool TransferDataFromWindow() override;

private:
    void EnableDates();

    wxRadioBox* m_choice = nullptr;
    wxTextCtrl* m_from = nullptr;
    wxTextCtrl* m_to = nullptr;
    wxStaticText* m_problem = nullptr;
    ReportPeriod m_period;
};
