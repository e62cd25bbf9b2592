// The Today window's day without a window: the order of the foods, the search, what Enter does
// with a typed name, and the commit through the two dialogs' document operations.

#include <gtest/gtest.h>

#include "diary/TodayEntry.h"
#include "tests/support/DiaryScripts.h"
#include "tests/support/DocumentTestAccess.h"

namespace {

using today::EnterOutcome;
using today::TodayEntry;

// A history eaten on the given days back from the current day (0 is the current day).
std::string EatenOn(std::initializer_list<int> daysBack) {
    std::string history(diary::HistoryLength, 'n');
    for (int back : daysBack) history[diary::HistoryLength - 1 - back] = 'y';
    return history;
}

class TodayEntryTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        ASSERT_TRUE(doc.OnNewDocument());
        At(2024, 3, 12, 20);
        diary.host.SetPathName(folder.File("diary.glg"));
    }

    void SetFoods(std::vector<std::pair<std::string, std::string>> foods) {
        Members(doc).m_foods.clear();
        for (auto& [name, history] : foods) {
            Members(doc).m_foods.emplace_back(name);
            Members(doc).m_foods.back().m_history = history;
        }
        doc.RebuildFoodNames();
        doc.RebuildDayList(0);
    }

    static std::vector<std::string> Names(const TodayEntry& entry) {
        std::vector<std::string> names;
        for (const today::FoodRow& food : entry.Foods()) names.push_back(food.name);
        return names;
    }
};

TEST_F(TodayEntryTest, FoodsOfTheRecentDaysComeFirstThenTheRestByName) {
    SetFoods({{"cheese", EatenOn({})},
              {"Fig", EatenOn({20})},          // before the fourteen days
              {"Bread", EatenOn({1, 2, 14})},  // day 14 back is the last one that counts
              {"egg", EatenOn({0, 15})},       // the current day does not count
              {"apple", EatenOn({3, 5, 7})},
              {"Dates", EatenOn({1, 2, 3, 4, 5})}});
    const TodayEntry entry(doc);
    EXPECT_EQ(Names(entry),
              (std::vector<std::string>{"Dates", "apple", "Bread", "cheese", "egg", "Fig"}));
    EXPECT_EQ(entry.Foods()[4].eaten, true);  // egg is on the current day already
    EXPECT_EQ(entry.Foods()[0].eaten, false);
}

TEST_F(TodayEntryTest, TheSearchMatchesAnyPartOfANameIgnoringCase) {
    SetFoods({{"Apple", EatenOn({})}, {"\xC4pfel", EatenOn({})}, {"Pear", EatenOn({})}});
    const TodayEntry entry(doc);  // Apple, Pear, Äpfel: other letters after A-Z, as on the page
    const struct {
        const char* typed;
        std::vector<std::size_t> rows;
    } cases[] = {
        {"", {0, 1, 2}},
        {"P", {0, 1, 2}},
        {"  ear ", {1}},
        {"\xC3\xA4pf", {2}},  // "äpf" finds "Äpfel"
        {"x", {}},
        {"\xE2\x82\xAC", {}},      // "€" is in no name
        {"\xF0\x9F\x8D\x8E", {}},  // a character the diary cannot hold matches nothing
    };
    for (const auto& [typed, rows] : cases) {
        SCOPED_TRACE(typed);
        EXPECT_EQ(entry.Matching(typed), rows);
    }
}

TEST_F(TodayEntryTest, EnterTicksAKnownFoodOffersANewOneAndRefusesABadName) {
    SetFoods({{"Bread", EatenOn({})}});
    const TodayEntry entry(doc);
    using Kind = EnterOutcome::Kind;
    const struct {
        const char* typed;
        Kind kind;
        std::string nameOrMessage;
    } cases[] = {
        {"   ", Kind::Nothing, ""},
        {" bREAD ", Kind::Tick, ""},
        {" Oat milk ", Kind::OfferNew, "Oat milk"},
        {"\xC3\x84pfel", Kind::OfferNew, "\xC4pfel"},
        {"7up", Kind::Refuse, "Food names must start with a letter."},
        {"Tea\tcake", Kind::Refuse,
         "Food names cannot hold tabs, line breaks or other control characters."},
    };
    for (const auto& [typed, kind, nameOrMessage] : cases) {
        SCOPED_TRACE(typed);
        const EnterOutcome outcome = entry.Enter(typed);
        EXPECT_EQ(outcome.kind, kind);
        if (kind == Kind::Tick) {
            EXPECT_EQ(outcome.row, 0u);
        }
        EXPECT_EQ(kind == Kind::OfferNew ? outcome.name
                  : kind == Kind::Refuse ? outcome.message
                                         : nameOrMessage,
                  nameOrMessage);
    }
}

// One day entered both ways: ratings (symptom, code), foods put on the day, taken off, new.
struct Day {
    const char* what;
    std::vector<std::pair<std::string, char>> ratings;
    std::vector<std::string> putOn, takeOff, add;
};

// The sample diary with Tea not yet eaten on the day, kept in a file, as the desktop has it.
struct DiaryToEnter : FakeDiary {
    DiaryToEnter() {
        EXPECT_TRUE(doc.OnNewDocument());
        SampleDiary().Fill(doc);
        Members(doc).m_foods[0].m_history.back() = diary::NotEaten;
        doc.RebuildDayList(0);
        Members(doc).m_nextAction = command::UpdateSymptoms;
        host.SetPathName("/tmp/diary.glg");
    }
};

// The lists edited as the two dialogs leave them (tests/gui checks that the dialogs do).
void EnterThroughTheDialogs(DiaryToEnter& diary, const Day& day) {
    diary.ui.ExpectSymptomDialog([&](const std::string&, StringList& lines) {
        for (const auto& [name, code] : day.ratings)
            Rate(lines, name,
                 code == diary::Better  ? diary::SuffixBetter
                 : code == diary::Worse ? diary::SuffixWorse
                                        : diary::SuffixNoChange);
        return true;
    });
    diary.ui.ExpectDayListDialog([&](const std::string&, StringList& master, StringList& list) {
        for (const std::string& name : day.putOn) list.push_back(name);
        for (const std::string& name : day.takeOff) MarkFood(master, name, diary::MarkOffDay);
        for (const std::string& name : day.add) AddNewFood(master, list, name);
        return true;
    });
    diary.doc.OnUpdateSymptoms();
    diary.doc.OnCreateDayList();
}

void EnterThroughToday(DiaryToEnter& diary, const Day& day) {
    TodayEntry entry(diary.doc);
    // The symptoms keep the diary's order (Headache, Bloating); a food's row is found by name.
    for (const auto& [name, code] : day.ratings) entry.Rate(name == "Headache" ? 0 : 1, code);
    for (const std::string& name : day.putOn) entry.SetEaten(entry.Matching(name).at(0), true);
    for (const std::string& name : day.takeOff) entry.SetEaten(entry.Matching(name).at(0), false);
    for (const std::string& name : day.add) entry.AddNewFood(name);
    EXPECT_TRUE(diary.doc.CommitToday(entry));
}

TEST(TodayCommit, StoresTheSameDiaryAsTheTwoDialogs) {
    const Day days[] = {
        {"confirmed unchanged", {}, {}, {}, {}},
        {"ratings", {{"Headache", diary::Worse}, {"Bloating", diary::NoChange}}, {}, {}, {}},
        {"foods on and off", {{"Bloating", diary::Better}}, {"Tea"}, {"Milk"}, {}},
        {"new foods", {{"Headache", diary::Better}}, {}, {"Milk"}, {"Kale", "Oat milk"}},
    };
    for (const Day& day : days) {
        SCOPED_TRACE(day.what);
        DiaryToEnter viaDialogs, viaToday;
        EnterThroughTheDialogs(viaDialogs, day);
        EnterThroughToday(viaToday, day);
        EXPECT_TRUE(viaDialogs.ui.Done());
        EXPECT_EQ(viaToday.doc.WriteBytes(), viaDialogs.doc.WriteBytes());
        EXPECT_EQ(viaToday.doc.NextAction(), viaDialogs.doc.NextAction());
        EXPECT_EQ(viaToday.host.IsModified(), viaDialogs.host.IsModified());
    }
}

TEST_F(TodayEntryTest, CommitKeepsTheOperationsMessagesAndTheCycleRules) {
    // Without symptoms no food is committed, and the day still waits for its ratings.
    SetFoods({{"Bread", EatenOn({})}});
    Members(doc).m_nextAction = command::UpdateSymptoms;
    TodayEntry bare(doc);
    EXPECT_FALSE(bare.CanEnterFoods());
    bare.SetEaten(0, true);
    EXPECT_TRUE(doc.CommitToday(bare));
    EXPECT_EQ(doc.Foods()[0].m_history.back(), diary::NotEaten);
    EXPECT_EQ(doc.NextAction(), command::UpdateSymptoms);

    // A diary without a file hears the save reminder, as after Update Symptoms.
    stored.Fill(doc);
    diary.host.SetPathName("");
    diary.ui.ExpectNotice(text::SaveReminder);
    TodayEntry entry(doc);
    entry.Rate(0, diary::Worse);
    EXPECT_TRUE(doc.CommitToday(entry));
    EXPECT_TRUE(diary.ui.Done());
    EXPECT_EQ(doc.Symptoms()[0].m_history.back(), diary::Worse);

    // Outside the daily cycle (a document never set up) nothing is committed.
    Members(doc).m_nextAction = 0;
    entry.Rate(0, diary::Better);
    EXPECT_FALSE(doc.CommitToday(entry));
    EXPECT_EQ(doc.Symptoms()[0].m_history.back(), diary::Worse);
}

}  // namespace
