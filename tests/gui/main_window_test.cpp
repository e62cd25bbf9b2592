// The main window as a user meets it from day to day: the whole page redrawn once a new day
// has started or the sort order has changed, the window and the View sections as they were
// left, Shift+F1 on a toolbar button that is disabled, and the page's top margin.

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/display.h>
#include <wx/frame.h>
#include <wx/generic/printps.h>
#include <wx/radiobut.h>
#include <wx/region.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "desktop/ConfigSettings.h"
#include "desktop/DesktopCommandLine.h"
#include "desktop/DesktopSession.h"
#include "desktop/DiaryDocument.h"
#include "desktop/GastrologView.h"
#include "desktop/MainFrame.h"
#include "desktop/MainMenu.h"
#include "desktop/PagePrintout.h"
#include "desktop/PageWindow.h"
#include "desktop/ToolbarHitTest.h"
#include "desktop/dialogs/ControlIds.h"
#include "desktop/dialogs/HelpContext.h"
#include "desktop/dialogs/OptionsDlg.h"
#include "diary/DiaryConstants.h"
#include "diary/LocalTime.h"
#include "page/PageLayout.h"
#include "page/PageMetrics.h"
#include "page/ScoreFormat.h"
#include "tests/gui/support/ShellTestSupport.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/RecordingCanvas.h"

namespace {

using Strings = std::vector<std::string>;

// Runs the event loop until the display has had time to send what it owes (paints come a
// frame after the invalidation), with a bound.
void SettleDisplay() {
    for (int round = 0; round < 15; ++round) {
        PumpEvents();
        wxMilliSleep(10);
    }
}

// What the page windows repaint: the parts of each window and the page rows drawn there.
class PaintLog {
public:
    explicit PaintLog(const std::vector<CPaneSplitter::Pane>& panes) {
        for (const CPaneSplitter::Pane& pane : panes)
            if (auto* window = dynamic_cast<PageWindow*>(pane.window.get())) {
                m_windows.emplace_back(window);
                window->Bind(wxEVT_PAINT, &PaintLog::OnPaint, this);
            }
    }
    ~PaintLog() {
        for (const Watched& watched : m_windows)
            if (watched.window) watched.window->Unbind(wxEVT_PAINT, &PaintLog::OnPaint, this);
    }
    PaintLog(const PaintLog&) = delete;
    PaintLog& operator=(const PaintLog&) = delete;

    // Forgets what was painted so far, after the display has caught up.
    void Restart() {
        SettleDisplay();
        for (Watched& watched : m_windows) watched = Watched(watched.window.get());
    }

    std::size_t Count() const { return m_windows.size(); }
    // Whether every pixel of the window's visible page has been painted since the restart.
    bool WholeWindowPainted(std::size_t index) const {
        const Watched& watched = m_windows[index];
        return watched.painted.Contains(wxRect(watched.window->GetClientSize())) == wxInRegion;
    }
    // The texts of the page rows painted, drawn from the diary as it is now.
    Strings PaintedTexts(std::size_t index) const {
        const Watched& watched = m_windows[index];
        RecordingCanvas canvas;
        PageRows rows;
        rows.neededFirst = watched.firstRow;
        rows.neededLast = watched.lastRow;
        if (rows.neededLast >= rows.neededFirst)
            PageLayout(*watched.window->GetView()->Core(), canvas, rows).Draw();
        return canvas.TextStrings();
    }
    // What the window drew in its last paint that reached its top edge.
    const wxImage& TopPicture(std::size_t index) const { return m_windows[index].topPicture; }

private:
    struct Watched {
        explicit Watched(PageWindow* shown) : window(shown) {}
        wxWeakRef<PageWindow> window;
        wxRegion painted;
        int firstRow = 1 << 30, lastRow = -1;
        wxImage topPicture;
    };

    // The window's drawing of the part being repainted, on white.
    static wxImage Picture(PageWindow& window) {
        wxBitmap bitmap(window.GetClientSize());
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            window.DoPrepareDC(dc);
            window.OnDraw(dc);
        }
        return bitmap.ConvertToImage();
    }

    void OnPaint(wxPaintEvent& event) {
        for (Watched& watched : m_windows) {
            PageWindow* window = watched.window.get();
            if (window != event.GetEventObject()) continue;
            watched.painted.Union(window->GetUpdateRegion());
            int first = 0, last = -1;
            window->GetRowsToRepaint(window->GetView()->GetScreenLineHeight(), &first, &last);
            watched.firstRow = std::min(watched.firstRow, first);
            watched.lastRow = std::max(watched.lastRow, last);
            if (window->GetUpdateRegion().GetBox().GetTop() == 0)
                watched.topPicture = Picture(*window);
        }
        event.Skip();  // the window draws as always
    }

    std::vector<Watched> m_windows;
};

bool Shows(const Strings& texts, const std::string& part) {
    return std::any_of(texts.begin(), texts.end(), [&](const std::string& text) {
        return text.find(part) != std::string::npos;
    });
}

// The first row and the first column holding anything but white.
wxPoint FirstInk(const wxImage& image) {
    wxPoint ink(image.GetWidth(), image.GetHeight());
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            if (image.GetRed(x, y) < 128 || image.GetGreen(x, y) < 128 ||
                image.GetBlue(x, y) < 128) {
                ink.x = std::min(ink.x, x);
                ink.y = std::min(ink.y, y);
            }
    return ink;
}

// The pages as print preview shows them.
class PreviewPictures : public wxPostScriptPrintPreview {
public:
    using wxPostScriptPrintPreview::wxPostScriptPrintPreview;
    wxImage Page(int number) {
        wxBitmap bitmap(m_pageWidth * m_currentZoom / 100, m_pageHeight * m_currentZoom / 100);
        EXPECT_TRUE(RenderPageIntoBitmap(bitmap, number));
        return bitmap.ConvertToImage();
    }
};

// A message box answered after the page windows have painted what they owed, as they would
// while the user reads it; then nothing painted before the answer counts.
class AnswerAfterPainting : public wxExpectModalBase<wxMessageDialog, AnswerAfterPainting> {
public:
    AnswerAfterPainting(PaintLog& log, int answer) : m_log(log), m_answer(answer) {}

protected:
    int OnInvoked(wxMessageDialog* dialog) const override {
        EXPECT_TRUE(dialog->GetMessageDialogStyle() & wxICON_QUESTION);
        m_log.Restart();
        return m_answer;
    }

private:
    PaintLog& m_log;
    int m_answer;
};

// The Options dialog, shown over the main window and worked by a script that ends by pressing
// a button (the dialog then hides, as it does for the user).
class ScriptedOptions : public wxExpectModalBase<COptionsDlg, ScriptedOptions> {
public:
    explicit ScriptedOptions(std::function<void(COptionsDlg&)> script)
        : m_script(std::move(script)) {}

protected:
    int OnInvoked(COptionsDlg* dialog) const override {
        dialog->Show();
        m_script(*dialog);
        if (!dialog->IsShown()) return wxID_OK;  // OK closed it
        ADD_FAILURE() << "the dialog is still open";
        dialog->Hide();
        return wxID_CANCEL;
    }

private:
    std::function<void(COptionsDlg&)> m_script;
};

// Sends the control's event as the control itself does.
void Send(wxWindow* control, wxEventType type) {
    ASSERT_NE(control, nullptr);
    wxCommandEvent event(type, control->GetId());
    event.SetEventObject(control);
    event.SetInt(1);
    control->ProcessWindowEvent(event);
}

class MainWindowTest : public ::testing::Test {
protected:
    void TearDown() override { Stop(); }

    void Start() {
        session = std::make_unique<DesktopSession>(settings);
        ASSERT_EQ(session->Start(ParseDesktopCommandLine(wxArrayString())),
                  DesktopSession::Outcome::Running);
        SettleDisplay();
    }
    void Stop() {
        if (session && session->Document()) session->Document()->Modify(false);
        session.reset();
        PumpEvents();
    }

    CMainFrame& Frame() { return *session->Frame(); }
    CGastrologDoc& Diary() { return session->Document()->Core(); }
    void Choose(int commandId) {
        wxCommandEvent event(wxEVT_MENU, WidgetId(commandId));
        event.SetEventObject(&Frame());
        Frame().ProcessWindowEvent(event);
        PumpEvents();
    }

    // Two foods, a rated symptom, on day 1 with the lists of yesterday due.
    void FillDiary() {
        Members(Diary()).m_symptoms.emplace_back("Headache");
        Members(Diary()).m_symptoms.back().m_history = std::string(49, 'n') + "w";
        for (const char* name : {"Apples", "Coffee"}) {
            Members(Diary()).m_foods.emplace_back(name);
            Members(Diary()).m_foods.back().m_history = std::string(49, 'n') + "y";
        }
        Members(Diary()).m_dayCount = 1;
        Members(Diary()).m_lastUpdate = calendar::DaysEarlier(Diary().GetEffectiveNow(), 1);
        Members(Diary()).m_nextAction = command::GenerateTomorrowsLists;
        Members(Diary()).m_showFoods = true;
        Diary().SetPathName(folder.File("diary.glg"));  // a new diary's page is the guidance
        Diary().RebuildFoodNames();
        Diary().RebuildSymptomLines();
        session->Document()->UpdateAllViews();
    }

    ScratchFolder folder;
    ScratchConfig config{folder};
    ConfigSettings settings;
    std::unique_ptr<DesktopSession> session;
};

// After the question that starts a new day and after the Options dialog, every pane paints
// its whole window from the diary as it now is: the heading's day, today's ratings and the
// food rows in the new order, names beside their own scores.
TEST_F(MainWindowTest, TheWholePageIsRedrawnAfterANewDayAndAfterOptions) {
    Start();
    FillDiary();
    Choose(frame_command::SplitColumns);
    PaintLog log(Frame().Panes().GetPanes());
    ASSERT_EQ(log.Count(), 2u);

    wxTEST_DIALOG(Choose(command::GenerateTomorrowsLists), AnswerAfterPainting(log, wxID_YES));
    ASSERT_EQ(Diary().DayCount(), 2);
    SettleDisplay();
    for (std::size_t pane = 0; pane < log.Count(); ++pane) {
        SCOPED_TRACE(pane);
        EXPECT_TRUE(log.WholeWindowPainted(pane));
        const Strings texts = log.PaintedTexts(pane);
        EXPECT_TRUE(Shows(texts, "day: 2"));
        EXPECT_FALSE(Shows(texts, "day: 1"));
        EXPECT_TRUE(Shows(texts, "no change"));
        EXPECT_FALSE(Shows(texts, "worse"));
    }
    // The page stands below a top margin as wide as its side margin, on screen and in print
    // preview (margins in the page's own pixels, the preview shrinks them).
    const int lines = Diary().GetLineCount();
    PreviewPictures preview(new PagePrintout(Diary(), lines, "Preview"),
                            new PagePrintout(Diary(), lines, "Preview"));
    ASSERT_TRUE(preview.IsOk());
    for (const auto& [medium, picture] :
         {std::pair{"screen", log.TopPicture(0)}, {"preview", preview.Page(1)}}) {
        SCOPED_TRACE(medium);
        ASSERT_TRUE(picture.IsOk());
        const wxPoint ink = FirstInk(picture);
        EXPECT_GE(ink.y, ink.x * 8 / 10);
        EXPECT_LT(ink.y, ink.x * 3);
    }

    // Scores that order the foods against their names.
    Members(Diary()).m_foods[0].m_score = 0.9f;
    Members(Diary()).m_foods[1].m_score = -0.9f;
    session->Document()->UpdateAllViews();
    const std::string applesScore = FormatScore(static_cast<double>(0.9f) * 10000.0);
    const std::string coffeeScore = FormatScore(static_cast<double>(-0.9f) * 10000.0);
    const std::string apples = "Apples " + applesScore, coffee = "Coffee " + coffeeScore;
    const std::pair<int, Strings> sorts[] = {{control::ByScore, {coffee, apples}},
                                             {control::Alphabetic, {apples, coffee}}};
    for (const auto& [sortRadio, sortedRows] : sorts) {
        SCOPED_TRACE(sortRadio);
        wxTEST_DIALOG(Choose(command::ChangeOptions), ScriptedOptions([&](COptionsDlg& dialog) {
                          log.Restart();  // what the dialog's own showing exposed is painted
                          auto* radio = dynamic_cast<wxRadioButton*>(dialog.FindWindow(sortRadio));
                          ASSERT_NE(radio, nullptr);
                          radio->SetValue(true);
                          Send(radio, wxEVT_RADIOBUTTON);
                          Send(dialog.FindWindow(wxID_OK), wxEVT_BUTTON);
                      }));
        SettleDisplay();
        for (std::size_t pane = 0; pane < log.Count(); ++pane) {
            SCOPED_TRACE(pane);
            EXPECT_TRUE(log.WholeWindowPainted(pane));
            // The food rows: each name with the score beside it.
            const Strings texts = log.PaintedTexts(pane);
            Strings rows;
            for (std::size_t index = 0; index + 1 < texts.size(); ++index)
                if (texts[index + 1] == applesScore || texts[index + 1] == coffeeScore)
                    rows.push_back(texts[index] + " " + texts[index + 1]);
            EXPECT_EQ(rows, sortedRows);
        }
    }
}

// The window's size and place, its panes and the View sections come back as they were left;
// the first run has the starting size, centred, and the starting sections.
TEST_F(MainWindowTest, TheWindowAndTheViewSectionsAreAsTheUserLeftThem) {
    using namespace command;
    Start();
    // 880 by 680, wider where the toolbar needs more to show every button, centred. (The
    // starting sections are checked with the View switches in app_test.)
    const wxRect first = Frame().GetRect();
    EXPECT_EQ(first.GetHeight(), Frame().FromDIP(680));
    EXPECT_GE(first.GetWidth(), Frame().FromDIP(880));
    EXPECT_LE(Frame().GetToolBar()->GetBestSize().x, Frame().GetClientSize().x);
    const wxRect screen = wxDisplay(&Frame()).GetClientArea();
    EXPECT_NEAR(first.GetLeft() - screen.GetLeft(), screen.GetRight() - first.GetRight(), 2);
    const auto shownSections = [&] {
        std::vector<int> shown;
        for (int section : {ViewInclusions, ViewUnclassified, ViewExclusions, ViewSymptoms,
                            ViewFoods, ViewHistory})
            if (Diary().IsSectionShown(section)) shown.push_back(section);
        return shown;
    };
    struct Left {
        wxRect rect;
        struct {
            int rows, columns, rowSash, columnSash;
        } layout;
        std::vector<int> switched, shownAfter;  // the View commands chosen, the sections shown
    };
    const Left runs[] = {
        {{60, 40, 700, 520},
         {2, 2, 200, 300},
         {ViewFoods, ViewSymptoms},
         {ViewInclusions, ViewUnclassified, ViewExclusions, ViewFoods}},
        {{150, 90, 620, 480},
         {1, 2, 0, 250},
         {ViewHistory, ViewInclusions},
         {ViewUnclassified, ViewExclusions, ViewFoods, ViewHistory}},
        {{20, 30, 640, 500},
         {1, 1, 0, 0},
         {},
         {ViewUnclassified, ViewExclusions, ViewFoods, ViewHistory}},
    };
    for (const Left& left : runs) {
        SCOPED_TRACE(left.rect.GetLeft());
        Frame().SetSize(left.rect);
        CPaneSplitter& panes = Frame().Panes();
        while (panes.GetRowCount() > 1 || panes.GetColumnCount() > 1)
            Choose(frame_command::Unsplit);
        if (left.layout.rows == 2) Choose(frame_command::SplitRows);
        if (left.layout.columns == 2) Choose(frame_command::SplitColumns);
        panes.SetRowSash(left.layout.rowSash);
        panes.SetColumnSash(left.layout.columnSash);
        for (int view : left.switched) Choose(view);
        SettleDisplay();
        Stop();

        Start();
        EXPECT_EQ(Frame().GetRect(), left.rect);
        EXPECT_EQ(Frame().Panes().GetRowCount(), left.layout.rows);
        EXPECT_EQ(Frame().Panes().GetColumnCount(), left.layout.columns);
        EXPECT_EQ(Frame().Panes().GetRowSash(), left.layout.rowSash);
        EXPECT_EQ(Frame().Panes().GetColumnSash(), left.layout.columnSash);
        EXPECT_EQ(shownSections(), left.shownAfter);
    }
}

// Shift+F1, then a click on the Relate Foods to Symptoms button, disabled in a new diary,
// opens the button's page and runs nothing.
TEST_F(MainWindowTest, ContextHelpOnADisabledToolbarButtonOpensItsPage) {
    Start();
    const int relate = WidgetId(command::RelateFoodsToSymptoms);
    wxToolBar* toolBar = Frame().GetToolBar();
    Frame().UpdateWindowUI();
    ASSERT_FALSE(toolBar->GetToolEnabled(relate));
    ShowHelpContext(HelpContextForCommand(command::RelateFoodsToSymptoms));
    const std::string relatePage = CurrentHelpPage().utf8_string();
    ShowHelpContext(help_context::MainWindow);
    const std::string mainWindowPage = CurrentHelpPage().utf8_string();
    ASSERT_NE(relatePage, mainWindowPage);
    CloseHelp();  // its window would take the clicks

    // Where the program finds the buttons; a real click where it finds View > History reaches
    // that button, so the toolkit's own hit test agrees.
    const auto pointOn = [toolBar](int commandId) {
        const int middle = toolBar->GetClientSize().y / 2;
        for (int x = 0; x < toolBar->GetClientSize().x; ++x) {
            const wxToolBarToolBase* tool = ToolAtPoint(*toolBar, wxPoint(x, middle));
            if (tool && tool->GetId() == WidgetId(commandId)) return wxPoint(x + 4, middle);
        }
        ADD_FAILURE() << "no button for " << commandId;
        return wxPoint(0, 0);
    };
    wxUIActionSimulator mouse;
    const auto clickAt = [&](const wxPoint& point) {
        mouse.MouseMove(toolBar->ClientToScreen(point));
        SettleDisplay();
        mouse.MouseClick();
        SettleDisplay();
    };
    ASSERT_FALSE(Diary().ShowHistory());
    clickAt(pointOn(command::ViewHistory));
    EXPECT_TRUE(Diary().ShowHistory());

    Choose(wxID_CONTEXT_HELP);  // what Shift+F1 sends
    ASSERT_TRUE(Frame().ContextHelp().IsActive());
    clickAt(pointOn(command::RelateFoodsToSymptoms));
    EXPECT_FALSE(Frame().ContextHelp().IsActive());
    EXPECT_EQ(CurrentHelpPage().utf8_string(), relatePage);
    CloseHelp();
}

}  // namespace
