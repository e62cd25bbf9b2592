// A diary taken through its days as a user would: every question, notice and dialog is
// scripted in the order the user meets it, and any other one fails the test.

#include <gtest/gtest.h>

#include "engine/EngineCommands.h"
#include "page/PageHeading.h"
#include "tests/support/DiaryScripts.h"

namespace {

class WalkthroughTest : public DiaryTest {
protected:
    // The user runs an Action command; it must be enabled at that moment.
    void Run(int commandId) {
        ASSERT_TRUE(doc.IsActionEnabled(commandId)) << commandId << " is disabled";
        switch (commandId) {
            case command::UpdateSymptoms:
                return doc.OnUpdateSymptoms();
            case command::CreateDayList:
                return doc.OnCreateDayList();
            case command::UpdateConnections:
                return OnUpdateConnections(doc);
            case command::GenerateTomorrowsLists:
                return OnGenerateTomorrowsLists(doc);
        }
        FAIL() << "not a cycle command: " << commandId;
    }

    void Save() {
        ASSERT_TRUE(doc.OnSaveDocument(path));
        ASSERT_FALSE(diary.host.IsModified());
    }
    void Reopen() { ASSERT_TRUE(doc.OnOpenDocument(path)); }

    // Opens the stored diary last updated on Thursday 2024-03-14 at 22:00.
    void OpenStored(TimeValue now) {
        stored.Write(path, LocalTime(2024, 3, 14, 22), 7);
        diary.clock.Set(now);
        Reopen();
    }

    const CSymptom& Symptom(std::size_t index) const { return doc.Symptoms().at(index); }
    const CFood& Food(std::size_t index) const { return doc.Foods().at(index); }

    std::string path = folder.File("diary.glg");
};

TEST_F(WalkthroughTest, FirstDaysOfANewDiary) {
    // Tuesday: a new diary, its symptoms and its first day list.
    At(2024, 3, 12, 10);
    ASSERT_TRUE(doc.OnNewDocument());
    const std::string tuesday = "on Tuesday, March 12, 2024";
    ExpectSymptomDialog(tuesday, [](StringList& lines) {
        EXPECT_TRUE(lines.empty());
        lines.push_back("~Headache");
        lines.push_back("~Bloating");
    });
    diary.ui.ExpectNotice(text::SaveReminder);
    Run(command::UpdateSymptoms);
    EXPECT_EQ(doc.SymptomLines(), (StringList{"Headache", "Bloating"}));
    EXPECT_EQ(doc.NextAction(), command::CreateDayList);

    ExpectDayListDialog(tuesday, [](StringList& master, StringList& day) {
        for (const char* name : {"Tea", "Toast", "Milk"}) AddNewFood(master, day, name);
        MarkFood(master, "Milk", '0');   // taken off the day again
        MarkFood(master, "Toast", '>');  // and deleted altogether
    });
    Run(command::CreateDayList);
    ASSERT_EQ(doc.Foods().size(), 2u);
    EXPECT_EQ(Food(0).m_name, "Tea");
    EXPECT_EQ(Food(0).m_history, std::string(diary::NewFoodHistory));
    EXPECT_EQ(Food(1).m_name, "Milk");
    EXPECT_EQ(Food(1).m_history, std::string(50, 'n'));
    EXPECT_EQ(doc.FoodNames(), (StringList{"Tea", "Milk"}));
    EXPECT_EQ(doc.NextAction(), command::UpdateConnections);

    Run(command::UpdateConnections);
    EXPECT_EQ(doc.NextAction(), command::GenerateTomorrowsLists);
    Run(command::GenerateTomorrowsLists);  // a diary never saved is not asked
    EXPECT_EQ(doc.NextAction(), command::CreateDayList);
    EXPECT_EQ(Food(0).m_history, std::string(diary::NewFoodHistory));

    // Saved, the diary counts its first day, Tuesday itself: Tuesday's lists start no second
    // day slot (the cycle test's new document), so no empty day lies between it and the next.
    Save();
    EXPECT_EQ(doc.DayCount(), 1);

    // 04:00 begins Wednesday.
    At(2024, 3, 13, 4, 0);
    diary.ui.ExpectQuestion(text::NewDay, true);
    Reopen();
    EXPECT_EQ(doc.DayCount(), 2);
    // Tuesday's foods lie in the slot right before Wednesday's.
    EXPECT_EQ(Food(0).m_history, Rolled(std::string(diary::NewFoodHistory), 1));
    // The day list left pending at the last save stays the next step; rating the
    // symptoms first is enabled all the same.
    EXPECT_EQ(doc.NextAction(), command::CreateDayList);
    const std::string wednesday = "on Wednesday, March 13, 2024";
    ExpectSymptomDialog(wednesday, [](StringList& lines) {
        EXPECT_EQ(lines, (StringList{"Headache  (no change)", "Bloating  (no change)"}));
        Rate(lines, "Headache", diary::SuffixWorse);
    });
    Run(command::UpdateSymptoms);
    ExpectDayListDialog(wednesday, [](StringList&, StringList& day) {
        EXPECT_TRUE(day.empty());
        day.push_back("Milk");
    });
    Run(command::CreateDayList);
    EXPECT_EQ(Symptom(0).m_history, std::string(49, 'n') + "w");
    EXPECT_EQ(Food(1).m_history, std::string(49, 'n') + "y");
    Run(command::UpdateConnections);
    Run(command::GenerateTomorrowsLists);  // still Wednesday: nothing asked
    EXPECT_EQ(doc.NextAction(), command::CreateDayList);
    Save();

    // With the new-day hour 0, Thursday begins at midnight.
    SetNewDayHour(0);
    At(2024, 3, 14, 0, 30);
    diary.ui.ExpectQuestion(text::NewDay, true);
    Reopen();
    EXPECT_EQ(doc.DayCount(), 3);
    EXPECT_EQ(doc.LastUpdate(), LocalTime(2024, 3, 14, 0, 30));
    Save();

    // Sunday, after Friday and Saturday were skipped: each is entered in turn.
    SetNewDayHour(4);
    At(2024, 3, 17, 10);
    diary.ui.ExpectQuestion(text::TwoDaysSkipped, true);
    ExpectSymptomDialog("on Friday, March 15, 2024",
                        [](StringList& lines) { Rate(lines, "Bloating", diary::SuffixBetter); });
    ExpectDayListDialog("on Friday, March 15, 2024",
                        [](StringList&, StringList& day) { day.push_back("Tea"); });
    ExpectUnchangedDay("on Saturday, March 16, 2024");
    diary.ui.ExpectQuestion(text::NewDay, true);
    const std::string headacheBefore = Symptom(0).m_history;
    Reopen();
    EXPECT_EQ(doc.DayCount(), 6);  // Friday, Saturday and Sunday were each lived
    EXPECT_EQ(doc.LastUpdate(), LocalTime(2024, 3, 17, 10));
    EXPECT_EQ(Symptom(0).m_history, Rolled(headacheBefore, 3));
    // Saturday's dialog opened at "no change", as a new day does, and was confirmed so.
    EXPECT_EQ(Symptom(1).m_history.substr(47), "bnn");
    EXPECT_EQ(Food(0).m_history.substr(47), "ynn");
    EXPECT_EQ(doc.NextAction(), command::UpdateSymptoms);
}

TEST_F(WalkthroughTest, SkippedDayCancelledAndContinued) {
    // Not cancelling after all goes back to the same day's dialog, never on to the next day.
    diary.ui.ExpectQuestion(text::TwoDaysSkipped, true);
    ExpectSymptomDialog("on Friday, March 15, 2024", nullptr, false);
    diary.ui.ExpectQuestion(text::CancelSkipped, false);
    ExpectSymptomDialog("on Friday, March 15, 2024", [](StringList& lines) {
        // A new day's dialog opens at "no change", whatever the day before was rated.
        EXPECT_EQ(lines, (StringList{"Headache  (no change)", "Bloating  (no change)"}));
        Rate(lines, "Headache", diary::SuffixWorse);
    });
    ExpectDayListDialog("on Friday, March 15, 2024",
                        [](StringList&, StringList& day) { day.push_back("Milk"); });
    ExpectSymptomDialog("on Saturday, March 16, 2024", nullptr);
    ExpectDayListDialog("on Saturday, March 16, 2024", nullptr, false);
    diary.ui.ExpectQuestion(text::CancelSkipped, false);
    ExpectDayListDialog("on Saturday, March 16, 2024",
                        [](StringList&, StringList& day) { day.push_back("Tea"); });
    diary.ui.ExpectQuestion(text::NewDay, true);
    OpenStored(LocalTime(2024, 3, 17, 10));
    std::string headache = Rolled(stored.headache, 3);
    headache[47] = 'w';
    EXPECT_EQ(Symptom(0).m_history, headache);
    EXPECT_EQ(Food(1).m_history, Rolled(stored.milk, 3).substr(0, 47) + "ynn");
    EXPECT_EQ(Food(0).m_history, Rolled(stored.tea, 3).substr(0, 48) + "yn");
    EXPECT_EQ(doc.DayCount(), 10);
}

TEST_F(WalkthroughTest, DayListCancelledAndContinuedComesBackAsTheUserLeftIt) {
    diary.ui.ExpectQuestion(text::OneDaySkipped, true);
    ExpectUnchangedDay("on Friday, March 15, 2024");
    diary.ui.ExpectQuestion(text::NewDay, false);
    OpenStored(LocalTime(2024, 3, 16, 10));  // a shared start: Friday entered, Saturday declined
    Save();

    At(2024, 3, 18, 10);
    diary.ui.ExpectQuestion(text::TwoDaysSkipped, true);
    ExpectSymptomDialog("on Saturday, March 16, 2024", nullptr);
    ExpectDayListDialog(
        "on Saturday, March 16, 2024",
        [](StringList& master, StringList& day) {
            day.push_back("Milk");
            AddNewFood(master, day, "Cheese");
            MarkFood(master, "Tea", diary::MarkDelete);
        },
        false);
    diary.ui.ExpectQuestion(text::CancelSkipped, false);
    ExpectDayListDialog("on Saturday, March 16, 2024", [](StringList& master, StringList& day) {
        EXPECT_EQ(day, (StringList{"Milk", "~Cheese"}));
        EXPECT_EQ(master, (StringList{">Tea", "Milk", "Cheese"}));
    });
    ExpectUnchangedDay("on Sunday, March 17, 2024");
    diary.ui.ExpectQuestion(text::NewDay, true);
    Reopen();
    ASSERT_EQ(doc.Foods().size(), 2u);
    EXPECT_EQ(Food(0).m_name, "Milk");
    EXPECT_EQ(Food(0).m_history.substr(47), "ynn");
    EXPECT_EQ(Food(1).m_name, "Cheese");
    EXPECT_EQ(Food(1).m_history.substr(47), "ynn");
}

// The lists are for the day after the one just entered, which is yesterday's on the "No" path.
TEST_F(WalkthroughTest, ListsNameTheDayAfterTheDayEntered) {
    const struct {
        const char* what;
        TimeValue openedAt;
        bool newDay;  // answer to the question at opening
        bool asked;   // Generate Tomorrow's Lists asks the long question ...
        bool start;   // ... answered so
        const char* listsFor;
    } cases[] = {
        {"an evening's lists", LocalTime(2024, 3, 14, 23), false, false, false,
         "Friday, March 15, 2024"},
        {"yesterday corrected, more to correct", LocalTime(2024, 3, 15, 10), false, true, false,
         "Friday, March 15, 2024"},
        {"yesterday corrected, today started", LocalTime(2024, 3, 15, 10), false, true, true,
         "Friday, March 15, 2024"},
        {"today entered", LocalTime(2024, 3, 15, 10), true, false, false,
         "Saturday, March 16, 2024"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.openedAt >= LocalTime(2024, 3, 15, 4))
            diary.ui.ExpectQuestion(text::NewDay, c.newDay);
        OpenStored(c.openedAt);
        Members(doc).m_nextAction = command::GenerateTomorrowsLists;
        if (c.asked) diary.ui.ExpectQuestion(text::NewDayAfterLists, c.start);
        Run(command::GenerateTomorrowsLists);
        EXPECT_NE(HeadingText(doc).find(std::string("Lists produced for ") + c.listsFor),
                  std::string::npos)
            << HeadingText(doc);
    }
}

TEST_F(WalkthroughTest, SkippedDayCancelledAndStopped) {
    diary.ui.ExpectQuestion(text::TwoDaysSkipped, true);
    ExpectSymptomDialog("on Friday, March 15, 2024", nullptr);
    ExpectDayListDialog("on Friday, March 15, 2024", nullptr, false);
    diary.ui.ExpectQuestion(text::CancelSkipped, true);  // Saturday is neither rolled nor entered
    diary.ui.ExpectQuestion(text::NewDay, true);
    OpenStored(LocalTime(2024, 3, 17, 10));
    stored.ExpectRolled(doc, 2);
    EXPECT_EQ(doc.DayCount(), 9);                         // Friday, rolled in and left, and Sunday
    EXPECT_EQ(doc.NextAction(), command::CreateDayList);  // pending from the cancelled day
}

TEST_F(WalkthroughTest, SkippedDaysEnteredAreNotOfferedAgainAfterDecliningToday) {
    diary.ui.ExpectQuestion(text::TwoDaysSkipped, true);
    ExpectUnchangedDay("on Friday, March 15, 2024");
    ExpectUnchangedDay("on Saturday, March 16, 2024");
    diary.ui.ExpectQuestion(text::NewDay, false);
    OpenStored(LocalTime(2024, 3, 17, 10));  // what it leaves: the cycle test's rolled days
    Save();

    At(2024, 3, 17, 18);
    diary.ui.ExpectQuestion(text::NewDay, true);
    Reopen();
    stored.ExpectRolled(doc, 3);
    EXPECT_EQ(doc.DayCount(), 10);
}

TEST_F(WalkthroughTest, SkippedDaysLeftOutAreOfferedAgain) {
    diary.ui.ExpectQuestion(text::TwoDaysSkipped, true);
    ExpectSymptomDialog("on Friday, March 15, 2024", nullptr, false);
    diary.ui.ExpectQuestion(text::CancelSkipped, true);
    diary.ui.ExpectQuestion(text::NewDay, false);
    OpenStored(LocalTime(2024, 3, 17, 10));
    stored.ExpectRolled(doc, 1);
    Save();

    diary.ui.ExpectQuestion(text::OneDaySkipped, true);
    ExpectUnchangedDay("on Saturday, March 16, 2024");
    diary.ui.ExpectQuestion(text::NewDay, true);
    Reopen();
    stored.ExpectRolled(doc, 3);  // Friday, Saturday and Sunday, each once
    EXPECT_EQ(doc.DayCount(), 10);
    EXPECT_EQ(doc.LastUpdate(), LocalTime(2024, 3, 17, 10));
}

// What the first opening leaves is in the history test's table of dated openings.
TEST_F(WalkthroughTest, ClockSetBackWarnsAtEveryOpeningAndStartsNoDay) {
    diary.ui.ExpectNotice(text::ClockBehind);
    OpenStored(LocalTime(2024, 3, 10, 10));
    EXPECT_EQ(doc.NextAction(), command::CreateDayList);
    Save();
    diary.ui.ExpectNotice(text::ClockBehind);
    Reopen();
    stored.ExpectRolled(doc, 0);
    EXPECT_EQ(doc.DayCount(), 7);
    EXPECT_EQ(doc.LastUpdate(), LocalTime(2024, 3, 14, 22));
}

TEST_F(WalkthroughTest, DecliningTheNewDayKeepsWorkingOnYesterday) {
    diary.ui.ExpectQuestion(text::NewDay, false);
    OpenStored(LocalTime(2024, 3, 15, 9));
    EXPECT_EQ(doc.NextAction(), command::CreateDayList);
    EXPECT_FALSE(doc.IsActionEnabled(command::UpdateConnections));
    ExpectSymptomDialog("yesterday",
                        [](StringList& lines) { Rate(lines, "Headache", diary::SuffixWorse); });
    Run(command::UpdateSymptoms);
    ExpectDayListDialog("yesterday", nullptr);
    Run(command::CreateDayList);
    EXPECT_EQ(Symptom(0).m_history, stored.headache.substr(0, 49) + "w");
    Run(command::UpdateConnections);

    diary.ui.ExpectQuestion(text::NewDayAfterLists, false);
    Run(command::GenerateTomorrowsLists);
    EXPECT_EQ(doc.NextAction(), command::CreateDayList);
    EXPECT_EQ(doc.GetDayLabel(0), "yesterday");
    ExpectDayListDialog("yesterday", nullptr);
    Run(command::CreateDayList);
    Run(command::UpdateConnections);
    diary.ui.ExpectQuestion(text::NewDayAfterLists, true);
    Run(command::GenerateTomorrowsLists);
    EXPECT_EQ(doc.NextAction(), command::UpdateSymptoms);
    EXPECT_EQ(doc.GetDayLabel(0), "on Friday, March 15, 2024");
    EXPECT_EQ(doc.DayCount(), 8);
    EXPECT_EQ(Symptom(0).m_history, Rolled(stored.headache.substr(0, 49) + "w", 1));
}

}  // namespace
