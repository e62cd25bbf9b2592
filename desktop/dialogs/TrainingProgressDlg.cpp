#include "desktop/dialogs/TrainingProgressDlg.h"

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>

namespace {

// The bar's size in dialog units, as the window has always been laid out.
const wxSize GaugeSizeInDialogUnits(170, 13);

wxWindow* MainWindowOr(wxWindow* owner) {
    if (owner) return owner;
    return wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
}

}  // namespace

CTrainingProgressDlg::CTrainingProgressDlg(wxWindow* owner, const wxString& caption,
                                           ClockFunction clock)
    : wxDialog(MainWindowOr(owner), wxID_ANY, caption, wxDefaultPosition, wxDefaultSize,
               wxBORDER_RAISED),
      m_owner(MainWindowOr(owner)),
      m_clock(clock ? std::move(clock) : [] { return std::chrono::steady_clock::now(); }) {
    CreateControls(caption);
    // No button of the window ends it: Enter and Esc have nothing to press.
    SetEscapeId(wxID_NONE);
    SetAffirmativeId(wxID_NONE);
    Bind(wxEVT_CHAR_HOOK, &CTrainingProgressDlg::OnCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &CTrainingProgressDlg::OnCloseWindow, this);
}

CTrainingProgressDlg::~CTrainingProgressDlg() {
    EnableOwner();
}

void CTrainingProgressDlg::CreateControls(const wxString& caption) {
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(new wxStaticText(this, wxID_ANY, caption), 0, wxBOTTOM, FromDIP(6));
    m_gauge =
        new wxGauge(this, wxID_ANY, m_upper - m_lower, wxDefaultPosition,
                    ConvertDialogToPixels(GaugeSizeInDialogUnits), wxGA_HORIZONTAL | wxGA_SMOOTH);
    column->Add(m_gauge, 0, wxEXPAND);
    auto* border = new wxBoxSizer(wxVERTICAL);
    border->Add(column, 1, wxEXPAND | wxALL, FromDIP(12));
    SetSizerAndFit(border);
}

void CTrainingProgressDlg::Open() {
    if (m_owner && m_owner->IsEnabled()) {
        m_owner->Disable();
        m_ownerDisabled = true;
    }
    CentreOnParent();
    Show();
    Repaint();
}

void CTrainingProgressDlg::SetRange(int lower, int upper) {
    m_lower = lower;
    m_upper = std::max(lower, upper);
    m_gauge->SetRange(std::max(1, m_upper - m_lower));
    m_position = std::clamp(m_position, m_lower, m_upper);
}

void CTrainingProgressDlg::SetPos(int position) {
    m_position = std::clamp(position, m_lower, m_upper);
    RepaintIfDue();
}

void CTrainingProgressDlg::SetStep(int step) {
    m_step = step;
}

void CTrainingProgressDlg::StepIt() {
    // Past the end the bar starts again from the beginning, as a progress bar control does.
    m_position += m_step;
    if (m_position > m_upper) m_position = m_lower + (m_position - m_upper);
    RepaintIfDue();
}

void CTrainingProgressDlg::Close() {
    EnableOwner();
    Hide();
}

void CTrainingProgressDlg::RepaintIfDue() {
    if (!IsShown()) return;
    if (m_clock() - m_lastRepaint < RepaintInterval) return;
    Repaint();
}

void CTrainingProgressDlg::Repaint() {
    m_gauge->SetValue(m_position - m_lower);
    ++m_repaintCount;
    DrainMessageQueue();
    m_lastRepaint = m_clock();
}

void CTrainingProgressDlg::DrainMessageQueue() {
    // The main window is disabled, so input meant for it is dropped rather than queued for
    // after the run; paint and size events go through.
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) loop->YieldFor(wxEVT_CATEGORY_ALL);
}

void CTrainingProgressDlg::EnableOwner() {
    if (m_ownerDisabled && m_owner) m_owner->Enable();
    m_ownerDisabled = false;
}

void CTrainingProgressDlg::OnCharHook(wxKeyEvent& event) {
    switch (event.GetKeyCode()) {
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER:
        case WXK_ESCAPE:
            return;  // swallowed: the run cannot be cancelled
        default:
            event.Skip();
    }
}

void CTrainingProgressDlg::OnCloseWindow(wxCloseEvent& event) {
    if (event.CanVeto())
        event.Veto();
    else
        event.Skip();
}
