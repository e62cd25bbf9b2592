// The daily reminder without a desktop: when it speaks, what it reads of the desktop's
// settings file, and the systemd unit files it writes and removes.

#include "diary/Reminder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "diary/ReminderUnits.h"
#include "tests/support/DiaryScripts.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/ScopedEnvironment.h"

namespace {

namespace fs = std::filesystem;

TEST(ReminderDecision, SpeaksOnlyForADiaryThatWantsTodayAndADesktopToShowIt) {
    // The facts: diary path, read, read problem, days behind, day entered, graphical session;
    // the decision: notify, wanted, reason.
    const std::pair<reminder::Facts, reminder::Decision> cases[] = {
        {{"", false, "", 0, false, true},
         {false, false, "No diary to remind of: none has been opened in Gastrolog yet."}},
        {{"/d/x.glg", false, "The file does not exist.", 0, false, true},
         {false, false, "The diary cannot be read: The file does not exist."}},
        {{"/d/x.glg", true, "", 0, true, true}, {false, false, "Today's entries are in."}},
        {{"/d/x.glg", true, "", 0, false, true},
         {true, true, "Today has no rating and no food yet."}},
        // Behind, whether the old day was entered or not.
        {{"/d/x.glg", true, "", 1, true, true},
         {true, true, "The diary is 1 day behind: today's day has not been started yet."}},
        {{"/d/x.glg", true, "", 3, false, true},
         {true, true, "The diary is 3 days behind: today's day has not been started yet."}},
        // A clock set back.
        {{"/d/x.glg", true, "", -2, true, true}, {false, false, "Today's entries are in."}},
        {{"/d/x.glg", true, "", 0, false, false},
         {false, true,
          "Today has no rating and no food yet. There is no graphical session to show a "
          "notification in."}},
    };
    for (const auto& [facts, expected] : cases) {
        SCOPED_TRACE(expected.reason);
        const reminder::Decision decision = reminder::Decide(facts);
        EXPECT_EQ(decision.wanted, expected.wanted);
        EXPECT_EQ(decision.notify, expected.notify);
        EXPECT_EQ(decision.reason, expected.reason);
    }
    EXPECT_EQ(reminder::Summary(reminder::DiaryName("/home/me/My diary.glg")),
              "Time for today's entries in My diary.glg");
}

class ReminderDiaryState : public DiaryTest {};

TEST_F(ReminderDiaryState, ARatingOrAFoodOnTheCurrentDayCountsAsEntered) {
    ASSERT_TRUE(doc.OnNewDocument());
    stored.Fill(doc);
    const struct {
        const char* what;
        char symptomCode, foodCode;
        int lastUpdateDay;  // of March 2024; today is the 12th, 20:00
        bool entered;
        long behind;
    } cases[] = {
        {"rated worse", 'w', 'n', 12, true, 0},  {"rated better", 'b', 'n', 12, true, 0},
        {"a food", 'n', 'y', 12, true, 0},       {"a food in capitals", 'n', 'Y', 12, true, 0},
        {"nothing yet", 'n', 'n', 12, false, 0}, {"yesterday's day", 'b', 'y', 11, true, 1},
        {"a week ago", 'n', 'n', 5, false, 7},
    };
    At(2024, 3, 12, 20);
    for (const auto& [what, symptomCode, foodCode, lastUpdateDay, entered, behind] : cases) {
        SCOPED_TRACE(what);
        for (CSymptom& symptom : Members(doc).m_symptoms) symptom.m_history.back() = 'n';
        for (CFood& food : Members(doc).m_foods) food.m_history.back() = 'n';
        Members(doc).m_symptoms[1].m_history.back() = symptomCode;
        Members(doc).m_foods[1].m_history.back() = foodCode;
        Members(doc).m_lastUpdate = LocalTime(2024, 3, lastUpdateDay, 9);
        reminder::Facts facts;
        reminder::ReadDiaryState(doc, facts);
        EXPECT_EQ(facts.dayEntered, entered);
        EXPECT_EQ(facts.daysBehind, behind);
    }
}

TEST(ReminderUnits, TimesOfDayAreReadStrictly) {
    using reminder_units::ParseTime;
    using reminder_units::TimeOfDay;
    for (const auto& [text, time] :
         {std::pair{"20:30", TimeOfDay{20, 30}}, {"7:05", {7, 5}}, {"00:00", {0, 0}}})
        EXPECT_EQ(ParseTime(text), time) << text;
    for (const char* bad : {"", "24:00", "12:60", "12:5", "123:00", "12-30", " 1:00", "a:bc"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(ParseTime(bad));
    }
    EXPECT_EQ(reminder_units::TimeText({7, 5}), "07:05");
}

std::string Contents(const fs::path& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(ReminderUnits, AreWrittenToTheUsersSystemdFolderAndRemoved) {
    TemporaryFolder home;
    const ScopedEnvironment config("XDG_CONFIG_HOME", home.File("config"));
    const std::string folder = reminder_units::UnitFolder();
    EXPECT_EQ(folder, home.File("config") + "/systemd/user");

    ASSERT_EQ(
        reminder_units::WriteUnits(folder, {21, 15}, "/opt/my tools/50%/gastrolog-cli").Message(),
        "");
    const std::string timer = Contents(fs::path(folder) / "gastrolog-reminder.timer");
    const std::string service = Contents(fs::path(folder) / "gastrolog-reminder.service");
    EXPECT_NE(timer.find("\nOnCalendar=*-*-* 21:15:00\n"), std::string::npos) << timer;
    EXPECT_NE(timer.find("\nPersistent=true\n"), std::string::npos);
    EXPECT_NE(timer.find("\nWantedBy=timers.target\n"), std::string::npos);
    EXPECT_NE(service.find("\nExecStart=\"/opt/my tools/50%%/gastrolog-cli\" remind\n"),
              std::string::npos)
        << service;

    // A new time replaces the old one.
    ASSERT_EQ(reminder_units::WriteUnits(folder, {6, 0}, "/usr/bin/gastrolog-cli").Message(), "");
    EXPECT_NE(Contents(fs::path(folder) / "gastrolog-reminder.timer").find("06:00:00"),
              std::string::npos);

    EXPECT_EQ(reminder_units::RemoveUnits(folder).Message(), "");
    EXPECT_FALSE(fs::exists(fs::path(folder) / "gastrolog-reminder.timer"));
    EXPECT_FALSE(fs::exists(fs::path(folder) / "gastrolog-reminder.service"));
    EXPECT_EQ(reminder_units::RemoveUnits(folder).Message(), "");  // nothing there: no failure

    // A folder that cannot be made is a message, not a crash.
    std::ofstream(home.File("file")) << "x";
    EXPECT_NE(reminder_units::WriteUnits(home.File("file") + "/sub", {6, 0}, "/x").Message(), "");
}

}  // namespace
