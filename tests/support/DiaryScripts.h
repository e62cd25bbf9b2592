#pragma once
// What the tests of the daily cycle share: the program's questions and notices, stored diaries
// with recognisable histories, and dialog scripts that edit the lists as the real dialogs do.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>

#include "diary/DiaryConstants.h"
#include "diary/GastrologDoc.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/FakePorts.h"

namespace text {
inline const std::string NewDay =
    "\tIt's a new day!\n\nDo you want to update today's symptoms and foods?\n\n"
    "( If you want to correct any of yesterday's symptoms or\n"
    "foods and see the current lists you must answer 'No'. )";
inline const std::string NewDayAfterLists =
    "If you have just changed yesterday's symptoms and\n"
    "foods and they are now correct you can update today's\n"
    "symptoms and foods by answering 'Yes'.\n\n"
    "If you want to make some more changes to yesterday's\n"
    "symptoms and foods answer 'No'.\n\n"
    "If you have just created a new file answer 'Yes'.\n\n"
    "Do you want to update today's symptoms and foods?";
inline const std::string ClockBehind =
    "The computer date and time is before\nthe date and time held in your file.\n\n"
    "The results produced by Gastrolog will\nbe incorrect.";
inline const std::string CancelSkipped = "Update is not complete.\nDo you really want to cancel ?";
inline const std::string SaveReminder =
    "A new user file has been created but\nit has not been saved. It should be\n"
    "saved before proceeding any further.";
inline const std::string ExampleLoaded =
    "The example file has been loaded.\n\nThe missing days have not been inserted.\n\n"
    "If you want to use example.glg as the basis\n\nfor your own file you should copy it with a\n\n"
    "different name.";
inline const std::string TwoDaysSkipped =
    "2 days have been skipped.\n\nDo you want to enter the\nsymptoms and foods for them ?";
inline const std::string OneDaySkipped =
    "1 day has been skipped.\n\nDo you want to enter the\nsymptoms and foods for it ?";
}  // namespace text

// Fifty codes repeating the pattern, so that every roll shows in the history.
inline std::string RepeatedHistory(std::string_view pattern) {
    std::string history;
    while (history.size() < diary::HistoryLength) history += pattern;
    history.resize(diary::HistoryLength);
    return history;
}

// A history after `rolls` new days without any entry.
inline std::string Rolled(const std::string& history, std::size_t rolls) {
    return history.substr(rolls) + std::string(rolls, 'n');
}

// The diary every stored-file test starts from: two symptoms and two foods.
struct SampleDiary {
    std::string headache = RepeatedHistory("bwnnb");  // ends in 'b'
    std::string bloating = RepeatedHistory("nwbw");   // ends in 'w'
    std::string tea = RepeatedHistory("yyn");         // ends in 'y'
    std::string milk = RepeatedHistory("nyny");       // ends in 'y'

    // Writes the diary as saved at `lastUpdate` with `dayCount` days recorded.
    void Write(const std::string& path, TimeValue lastUpdate, int dayCount) const {
        CGastrologDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        Fill(doc);
        Members(doc).m_lastUpdate = lastUpdate;
        Members(doc).m_dayCount = dayCount;
        ASSERT_EQ(doc.WriteFile(path).Message(), "");
    }

    // Puts the diary's records and name lists into `doc`.
    void Fill(CGastrologDoc& doc) const {
        Members(doc).m_symptoms = {CSymptom("Headache"), CSymptom("Bloating")};
        Members(doc).m_symptoms[0].m_history = headache;
        Members(doc).m_symptoms[1].m_history = bloating;
        Members(doc).m_foods = {CFood("Tea"), CFood("Milk")};
        Members(doc).m_foods[0].m_history = tea;
        Members(doc).m_foods[1].m_history = milk;
        doc.RebuildFoodNames();
        doc.RebuildSymptomLines();
        doc.RebuildDayList(0);
    }

    // Every history of `doc` is this diary's after `rolls` new days without entries.
    void ExpectRolled(const CGastrologDoc& doc, std::size_t rolls) const {
        ASSERT_EQ(doc.Symptoms().size(), 2u);
        ASSERT_EQ(doc.Foods().size(), 2u);
        EXPECT_EQ(doc.Symptoms()[0].m_history, Rolled(headache, rolls));
        EXPECT_EQ(doc.Symptoms()[1].m_history, Rolled(bloating, rolls));
        EXPECT_EQ(doc.Foods()[0].m_history, Rolled(tea, rolls));
        EXPECT_EQ(doc.Foods()[1].m_history, Rolled(milk, rolls));
    }
};

// ---- edits as the symptom dialog leaves them

inline StringList::iterator FindSymptomLine(StringList& lines, const std::string& name) {
    return std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.size() == name.size() + diary::RatingSuffixLength && line.starts_with(name);
    });
}

inline void Rate(StringList& lines, const std::string& name, std::string_view suffix) {
    const auto line = FindSymptomLine(lines, name);
    ASSERT_NE(line, lines.end()) << "no rated line for " << name;
    *line = name + std::string(suffix);
}

inline void MarkSymptomDeleted(StringList& lines, const std::string& name) {
    const auto line = FindSymptomLine(lines, name);
    ASSERT_NE(line, lines.end()) << "no rated line for " << name;
    line->insert(0, ">");
}

// ---- edits as the day-list dialog leaves them

inline void AddNewFood(StringList& master, StringList& day, const std::string& name) {
    day.push_back("~" + name);
    master.push_back(name);
}

inline void MarkFood(StringList& master, const std::string& name, char mark) {
    const auto entry = std::find(master.begin(), master.end(), name);
    ASSERT_NE(entry, master.end()) << "no master entry " << name;
    entry->insert(entry->begin(), mark);
}

// ---- a document wired to fakes, with a folder for its files

class DiaryTest : public ::testing::Test {
protected:
    void SetUp() override { PinTimeZone(); }

    void At(int year, int month, int day, int hour, int minute = 0) {
        diary.clock.Set(LocalTime(year, month, day, hour, minute));
    }
    void SetNewDayHour(int hour) {
        diary.settings.WriteInt(setting::Section, setting::NewDayTime, hour);
    }

    using SymptomEdit = std::function<void(StringList& lines)>;
    using DayListEdit = std::function<void(StringList& master, StringList& day)>;

    void ExpectSymptomDialog(std::string label, SymptomEdit edit, bool confirm = true) {
        diary.ui.ExpectSymptomDialog([=](const std::string& shown, StringList& lines) {
            EXPECT_EQ(shown, label);
            if (edit) edit(lines);
            return confirm;
        });
    }
    void ExpectDayListDialog(std::string label, DayListEdit edit, bool confirm = true) {
        diary.ui.ExpectDayListDialog(
            [=](const std::string& shown, StringList& master, StringList& day) {
                EXPECT_EQ(shown, label);
                if (edit) edit(master, day);
                return confirm;
            });
    }
    // A day of the loop confirmed without changes.
    void ExpectUnchangedDay(const std::string& label) {
        ExpectSymptomDialog(label, nullptr);
        ExpectDayListDialog(label, nullptr);
    }

    TemporaryFolder folder;
    FakeDiary diary;
    CGastrologDoc& doc = diary.doc;
    SampleDiary stored;
};
