#pragma once
// The progress window of a training run: a small window without a title bar holding a smooth
// bar and the caption "Updating Connections". While it is open the main window takes no input,
// and nothing closes it but the end of the run (Enter and Esc are ignored).
//
// Training steps it once per epoch, thousands of times a second. The bar is moved and the
// waiting events are run only when a human could notice (RepaintInterval), so the window
// costs the run almost nothing.

#include <wx/dialog.h>
#include <wx/gauge.h>
#include <wx/weakref.h>

#include <chrono>
#include <functional>

#include "diary/Ports.h"

class CTrainingProgressDlg : public wxDialog, public ProgressIndicator {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    using ClockFunction = std::function<TimePoint()>;

    static constexpr std::chrono::milliseconds RepaintInterval{40};

    // owner: the window disabled while the progress window is open (the main window when
    // null). clock: the steady clock unless a test gives its own.
    explicit CTrainingProgressDlg(wxWindow* owner, const wxString& caption = "Updating Connections",
                                  ClockFunction clock = {});
    ~CTrainingProgressDlg() override;

    void Open() override;
    void SetRange(int lower, int upper) override;
    void SetPos(int position) override;
    void SetStep(int step) override;
    void StepIt() override;
    void Close() override;

    // Runs every waiting event, so that this window and the others repaint.
    void DrainMessageQueue();

    int GetPos() const { return m_position; }
    int GetLower() const { return m_lower; }
    int GetUpper() const { return m_upper; }
    // How often the bar was moved on the screen since the window was made.
    int GetRepaintCount() const { return m_repaintCount; }
    wxGauge* GetGauge() const { return m_gauge; }
    bool IsOwnerDisabled() const { return m_ownerDisabled; }

private:
    void CreateControls(const wxString& caption);
    // Moves the bar to the position and lets the screen catch up, when it is time to.
    void RepaintIfDue();
    void Repaint();
    void EnableOwner();
    void OnCharHook(wxKeyEvent& event);
    void OnCloseWindow(wxCloseEvent& event);

    wxWeakRef<wxWindow> m_owner;
    ClockFunction m_clock;
    wxGauge* m_gauge = nullptr;
    bool m_ownerDisabled = false;
    int m_lower = 0;
    int m_upper = 100;
    int m_step = 10;
    int m_position = 0;
    int m_repaintCount = 0;
    TimePoint m_lastRepaint{};
};
