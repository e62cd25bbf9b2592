// The page view on the desktop: section switches, keyboard scrolling, repainting and printing.

#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/generic/printps.h>
#include <wx/image.h>
#include <wx/sizer.h>
#include <wx/utils.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include "desktop/DiaryDocument.h"
#include "desktop/GastrologView.h"
#include "desktop/PagePrintout.h"
#include "desktop/PageWindow.h"
#include "diary/DiaryConstants.h"
#include "page/PageMetrics.h"
#include "tests/support/DocumentTestAccess.h"

namespace {

void Pump() {
    for (int i = 0; i < 5; ++i) {
        wxYield();
        wxMilliSleep(10);
    }
}

void FillDiary(CGastrologDoc& diary, int foods, int symptoms) {
    for (int i = 0; i < foods; ++i) {
        Members(diary).m_foods.emplace_back("Food " + std::to_string(1000 + i));
        Members(diary).m_foods.back().m_score = 0.001f * static_cast<float>(i);
    }
    for (int i = 0; i < symptoms; ++i) {
        Members(diary).m_symptoms.emplace_back("Symptom " + std::to_string(10 + i));
        Members(diary).m_symptoms.back().m_history = std::string(20, 'b') + std::string(30, 'w');
    }
    for (int i = 0; i < 9; ++i)
        Members(diary).m_inclusions.emplace_back("Inclusion " + std::to_string(i));
    diary.RebuildFoodNames();
    diary.RebuildSymptomLines();
}

// Two panes on one diary, side by side in a frame, as the splitter shows them.
class TwoPanes : public ::testing::Test {
protected:
    void SetUp() override {
        frame =
            new wxFrame(nullptr, wxID_ANY, "Page view test", wxDefaultPosition, wxSize(1000, 500));
        document = new DiaryDocument;
        auto* sizer = new wxBoxSizer(wxHORIZONTAL);
        for (CGastrologView*& view : views) {
            view = new CGastrologView;
            view->SetDocument(document);
            sizer->Add(view->CreateCanvas(frame), 1, wxEXPAND);
        }
        frame->SetSizer(sizer);
        frame->Show();
        frame->Layout();
        Core().SetPathName("/tmp/Gui view test.glg");
        FillDiary(Core(), 200, 4);
        Members(Core()).m_showFoods = true;
        document->UpdateAllViews();
        Pump();
    }
    void TearDown() override {
        document->Modify(false);
        document->DeleteAllViews();  // the last view takes the document with it
        frame->Destroy();
        Pump();
    }

    CGastrologDoc& Core() { return document->Core(); }
    PageWindow* Window(int pane) { return views[pane]->GetCanvas(); }

    void SendCommand(int pane, int id) {
        wxCommandEvent event(wxEVT_MENU, id);
        views[pane]->ProcessEvent(event);
    }
    void PressKey(int pane, int keyCode) {
        wxKeyEvent event(wxEVT_KEY_DOWN);
        event.m_keyCode = keyCode;
        event.SetEventObject(Window(pane));
        Window(pane)->GetEventHandler()->ProcessEvent(event);
    }

    wxFrame* frame = nullptr;
    DiaryDocument* document = nullptr;
    std::array<CGastrologView*, 2> views{};
};

}  // namespace

TEST_F(TwoPanes, ScrollAreaFollowsTheRowEstimate) {
    const int rowHeight = views[0]->GetScreenLineHeight();
    ASSERT_GT(rowHeight, 0);
    EXPECT_EQ(views[0]->GetTotalLines(), Core().GetLineCount());
    // One row more than the estimate holds the page's top margin.
    EXPECT_EQ(Window(0)->GetVirtualSize().y, rowHeight * (Core().GetLineCount() + 1));
    EXPECT_GE(Window(0)->GetVirtualSize().x, views[0]->GetPageWidth());
}

TEST_F(TwoPanes, ScreenFontIsFixedPitchAndThePageAHundredCharactersWide) {
    wxClientDC dc(Window(0));
    dc.SetFont(Window(0)->GetFont());
    EXPECT_EQ(dc.GetTextExtent("iiiiiiiiii").x, dc.GetTextExtent("WWWWWWWWWW").x);
    EXPECT_EQ(views[0]->GetPageWidth(), 100 * dc.GetCharWidth());
}

TEST_F(TwoPanes, SectionSwitchChangesBothPanesAndReturnsThemToTheTop) {
    views[0]->ScrollToRow(30);
    views[1]->ScrollToRow(50);
    ASSERT_EQ(views[0]->GetTopRow(), 30);
    ASSERT_EQ(views[1]->GetTopRow(), 50);
    const int linesBefore = Core().GetLineCount();

    SendCommand(0, command::ViewSymptoms);
    EXPECT_FALSE(Core().ShowSymptoms());
    for (CGastrologView* view : views) {
        EXPECT_EQ(view->GetTopRow(), 0);
        EXPECT_EQ(view->GetTotalLines(), linesBefore - (4 + 5));
    }
    EXPECT_FALSE(document->IsModified());

    views[1]->ScrollToRow(40);
    SendCommand(1, command::ViewSymptoms);
    EXPECT_TRUE(Core().ShowSymptoms());
    for (CGastrologView* view : views) {
        EXPECT_EQ(view->GetTopRow(), 0);
        EXPECT_EQ(view->GetTotalLines(), linesBefore);
    }
    EXPECT_FALSE(document->IsModified());
}

TEST_F(TwoPanes, EachCommandInvertsItsOwnSwitch) {
    const std::pair<int, bool (CGastrologDoc::*)() const> switches[] = {
        {command::ViewInclusions, &CGastrologDoc::ShowInclusions},
        {command::ViewUnclassified, &CGastrologDoc::ShowUnclassified},
        {command::ViewExclusions, &CGastrologDoc::ShowExclusions},
        {command::ViewSymptoms, &CGastrologDoc::ShowSymptoms},
        {command::ViewFoods, &CGastrologDoc::ShowFoods},
        {command::ViewHistory, &CGastrologDoc::ShowHistory},
    };
    for (const auto& [id, member] : switches) {
        SCOPED_TRACE(id);
        const bool before = (Core().*member)();
        int othersOn = 0;
        for (const auto& [otherId, other] : switches)
            othersOn += otherId != id && (Core().*other)();
        SendCommand(0, id);
        EXPECT_NE((Core().*member)(), before);
        int othersOnAfter = 0;
        for (const auto& [otherId, other] : switches)
            othersOnAfter += otherId != id && (Core().*other)();
        EXPECT_EQ(othersOnAfter, othersOn);

        wxUpdateUIEvent update(id);
        views[1]->ProcessEvent(update);
        EXPECT_TRUE(update.GetSetChecked());
        EXPECT_EQ(update.GetChecked(), (Core().*member)());
        EXPECT_TRUE(update.GetSetEnabled());
        EXPECT_TRUE(update.GetEnabled());
    }
}

TEST_F(TwoPanes, SwitchesAreEnabledForANewDiaryShowingOnlyTheGuidance) {
    Core().SetPathName("");
    wxUpdateUIEvent update(command::ViewHistory);
    views[0]->ProcessEvent(update);
    EXPECT_TRUE(update.GetEnabled());
    EXPECT_FALSE(update.GetChecked());
}

TEST_F(TwoPanes, KeyboardScrollsByPagesOfTwentyRowsAndSingleRows) {
    PressKey(0, WXK_PAGEDOWN);
    EXPECT_EQ(views[0]->GetTopRow(), 20);
    PressKey(0, WXK_DOWN);
    EXPECT_EQ(views[0]->GetTopRow(), 21);
    PressKey(0, WXK_PAGEDOWN);
    EXPECT_EQ(views[0]->GetTopRow(), 41);
    PressKey(0, WXK_UP);
    EXPECT_EQ(views[0]->GetTopRow(), 40);
    PressKey(0, WXK_PAGEUP);
    EXPECT_EQ(views[0]->GetTopRow(), 20);
    PressKey(0, WXK_END);
    const int bottom = views[0]->GetTopRow();
    const int visibleRows = Window(0)->GetClientSize().y / views[0]->GetScreenLineHeight();
    EXPECT_EQ(bottom, Core().GetLineCount() - visibleRows);
    PressKey(0, WXK_DOWN);
    EXPECT_EQ(views[0]->GetTopRow(), bottom);
    PressKey(0, WXK_HOME);
    EXPECT_EQ(views[0]->GetTopRow(), 0);
    PressKey(0, WXK_UP);
    EXPECT_EQ(views[0]->GetTopRow(), 0);
    EXPECT_EQ(views[1]->GetTopRow(), 0);  // each pane scrolls on its own
}

TEST_F(TwoPanes, LeftAndRightArrowsDoNothing) {
    Window(0)->SetClientSize(300, 300);  // narrower than the page: it could scroll across
    Pump();
    views[0]->ScrollToRow(12);
    int x = 0, y = 0;
    Window(0)->GetViewStart(&x, &y);
    PressKey(0, WXK_RIGHT);
    PressKey(0, WXK_LEFT);
    PressKey(0, WXK_RIGHT);
    int afterX = 0, afterY = 0;
    Window(0)->GetViewStart(&afterX, &afterY);
    EXPECT_EQ(afterX, x);
    EXPECT_EQ(afterY, 12);
}

TEST_F(TwoPanes, RepaintOfARowBandDrawsWhatTheFullPageShowsThere) {
    Members(Core()).m_showHistory = true;
    document->UpdateAllViews();
    const int rowHeight = views[0]->GetScreenLineHeight();
    const int width = views[0]->GetPageWidth() + 40;
    const int rows = Core().GetLineCount();
    // The band of rows drawn into a bitmap of its own size, with and without the row limits.
    const auto render = [&](int firstRow, int lastRow, int bandTop, int bandBottom) {
        wxBitmap bitmap(width, bandBottom - bandTop);
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        dc.SetDeviceOrigin(0, -bandTop);
        views[0]->DrawScreenPage(dc, firstRow, lastRow);
        dc.SelectObject(wxNullBitmap);
        return bitmap.ConvertToImage();
    };
    int compared = 0;
    for (int first = 0; first < rows; first += 29) {
        for (int height : {1, 3, 24}) {
            const int last = first + height - 1;
            SCOPED_TRACE(testing::Message() << "rows " << first << " to " << last);
            const int top = first * rowHeight, bottom = (last + 1) * rowHeight;
            const wxImage full = render(-1000, 100000, top, bottom);
            const wxImage part = render(first, last, top, bottom);
            ASSERT_EQ(full.GetHeight(), part.GetHeight());
            const int size = full.GetWidth() * full.GetHeight() * 3;
            EXPECT_TRUE(std::equal(full.GetData(), full.GetData() + size, part.GetData()));
            ++compared;
        }
    }
    EXPECT_GT(compared, 10);
}

TEST_F(TwoPanes, PrintoutTakesTheScreenRowEstimate) {
    std::unique_ptr<wxPrintout> printout(views[0]->OnCreatePrintout());
    ASSERT_NE(printout, nullptr);
    EXPECT_EQ(printout->GetTitle(), "Gui view test.glg");
}

namespace {

int CountOccurrences(const std::string& text, const std::string& what) {
    int count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

std::string ReadAll(const wxString& path) {
    wxFFile file(path, "rb");
    wxString text;
    EXPECT_TRUE(file.IsOpened() && file.ReadAll(&text, wxConvISO8859_1));
    return std::string(text.mb_str(wxConvISO8859_1));
}

class Printing : public ::testing::Test {
protected:
    void SetUp() override {
        diary.Core().SetPathName("/tmp/Printed diary.glg");
        path = wxFileName::CreateTempFileName("gastrolog-print");
    }
    void TearDown() override { wxRemoveFile(path); }

    // Prints through a printout of our own, to learn its rows per page.
    int LinesPerPage() {
        wxPrintData data;
        data.SetFilename(path);
        data.SetPrintMode(wxPRINT_MODE_FILE);
        data.SetPaperId(wxPAPER_A4);
        wxPrintDialogData dialogData(data);
        dialogData.SetFromPage(1);
        dialogData.SetToPage(1);
        PagePrintout printout(diary.Core(), diary.Core().GetLineCount(), "probe");
        wxPostScriptPrinter printer(&dialogData);
        EXPECT_TRUE(printer.Print(nullptr, &printout, false));
        int width = 0, height = 0;
        printout.GetPageSizePixels(&width, &height);
        const int rowHeight = printout.GetPrintLineHeight();
        EXPECT_GT(rowHeight, 0);
        // The rows fill the page below its top margin.
        const int printable = height - page_metrics::PrinterMargin;
        EXPECT_LE(printout.GetLinesPerPage() * rowHeight, printable);
        EXPECT_GT((printout.GetLinesPerPage() + 1) * rowHeight, printable);
        return printout.GetLinesPerPage();
    }

    DiaryDocument diary;
    wxString path;
};

}  // namespace

TEST_F(Printing, PostScriptFileHasOnePagePerRowsPerPageOfTheEstimate) {
    FillDiary(diary.Core(), 500, 6);
    Members(diary.Core()).m_showFoods = Members(diary.Core()).m_showHistory = true;
    const int lines = diary.Core().GetLineCount();
    const int perPage = LinesPerPage();
    const int expectedPages = (lines + perPage - 1) / perPage;
    ASSERT_GT(expectedPages, 3);
    EXPECT_EQ(PrintToPostScriptFile(diary.Core(), lines, path, "Printed diary.glg").Message(), "");
    const std::string postScript = ReadAll(path);
    EXPECT_EQ(CountOccurrences(postScript, "%%Page: "), expectedPages);
    // Every row on exactly one page: each food once, each symptom twice (status and box).
    for (int i = 0; i < 500; i += 7)
        EXPECT_EQ(CountOccurrences(postScript, "(Food " + std::to_string(1000 + i) + ")"), 1) << i;
    EXPECT_EQ(CountOccurrences(postScript, "(Symptom 13)"), 2);
    EXPECT_EQ(CountOccurrences(postScript, "(Better)"), 6);
}

TEST_F(Printing, EverySectionOffStillPrintsOnePageWithTheHeading) {
    FillDiary(diary.Core(), 30, 2);
    CGastrologDoc& core = diary.Core();
    Members(core).m_showInclusions = Members(core).m_showUnclassified =
        Members(core).m_showExclusions = false;
    Members(core).m_showSymptoms = Members(core).m_showFoods = Members(core).m_showHistory = false;
    EXPECT_EQ(PrintToPostScriptFile(core, core.GetLineCount(), path, "x").Message(), "");
    const std::string postScript = ReadAll(path);
    EXPECT_EQ(CountOccurrences(postScript, "%%Page: "), 1);
    EXPECT_EQ(CountOccurrences(postScript, "Printed diary.glg"), 1);
    EXPECT_EQ(CountOccurrences(postScript, "(Food "), 0);
}

TEST_F(Printing, UnwritableFileIsReportedNotPrinted) {
    const Result printed = PrintToPostScriptFile(diary.Core(), 10, "/nonexistent-folder/x.ps", "x");
    EXPECT_EQ(printed.GetCode(), Result::Code::Printing);
    EXPECT_NE(printed.Message().find("/nonexistent-folder/x.ps"), std::string::npos);
}

TEST_F(Printing, PreviewShowsTheSamePagesAsPrinting) {
    FillDiary(diary.Core(), 300, 3);
    Members(diary.Core()).m_showFoods = true;
    const int lines = diary.Core().GetLineCount();
    auto* preview = new wxPrintPreview(new PagePrintout(diary.Core(), lines, "Preview"),
                                       new PagePrintout(diary.Core(), lines, "Preview"));
    ASSERT_TRUE(preview->IsOk());
    auto* frame =
        new wxPreviewFrame(preview, nullptr, "Preview", wxDefaultPosition, wxSize(700, 800));
    frame->Initialize();
    frame->Show();
    Pump();
    auto* printout = static_cast<PagePrintout*>(preview->GetPrintout());
    EXPECT_EQ(preview->GetCurrentPage(), 1);
    EXPECT_GT(printout->GetLinesPerPage(), 20);
    EXPECT_EQ(printout->GetPageCount(),
              page_metrics::PageCount(lines, printout->GetLinesPerPage()));
    EXPECT_GT(printout->GetPageCount(), 1);
    EXPECT_EQ(preview->GetMaxPage(), printout->GetPageCount());
    EXPECT_TRUE(preview->SetCurrentPage(2));
    frame->Close(true);
    Pump();
}
