// The history file beside a diary: the dates its day slots get, what the history keeps and
// gives back, and what a damaged, foreign, newer or hostile history file does to the diary
// (nothing).

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "diary/Backups.h"
#include "diary/HistoryFile.h"
#include "diary/LivedDays.h"
#include "tests/support/DiaryScripts.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/FaultyFileSystem.h"

namespace {

lived::Date Day(int year, int month, int day) {
    return lived::DateFromCivil(year, month, day);
}

std::string Bytes(const std::string& path) {
    if (std::filesystem::is_directory(path)) return "(a folder)";
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

void Sql(const std::string& path, const std::string& statements) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, statements.c_str(), nullptr, nullptr, &error), SQLITE_OK)
        << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
}

struct Dated {
    lived::Date date;
    bool estimated;
    bool operator==(const Dated&) const = default;
};

std::vector<Dated> DatesOf(const lived::LivedDays& days) {
    std::vector<Dated> dates;
    for (const auto& day : days) dates.push_back({day.date, day.estimated});
    return dates;
}

void PrintTo(const Dated& dated, std::ostream* out) {
    *out << lived::DateText(dated.date) << (dated.estimated ? " (estimated)" : "");
}

class HistoryTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        path = folder.File("diary.glg");
        historyPath = folder.File("diary.glh");
        stored.Write(path, LocalTime(2024, 3, 12, 10), 5);
        std::filesystem::remove(historyPath);  // a diary of the days before any history
    }

    // The diary as a program reads it without starting a day: the dates the slots have.
    lived::LivedDays Reopened(lived::LivedDays (*read)(const CGastrologDoc&) = lived::DaysOfDiary) {
        CGastrologDoc reader;
        EXPECT_TRUE(reader.ReadFile(path).Succeeded());
        reader.LoadHistory(path);
        return read(reader);
    }

    std::string path, historyPath;
};

// ---- dates through the daily cycle

TEST_F(HistoryTest, EachSlotIsDatedWhenItIsLivedAndTheHistoryRemembersIt) {
    const struct {
        const char* name;
        int day, hour;
        std::vector<int> added;  // March days lived after the five estimated ones
        std::function<void()> answers;
    } cases[] = {
        {"a normal new day", 13, 15, {13}, [this] { diary.ui.ExpectQuestion(text::NewDay, true); }},
        {"skipped days entered",
         15,
         15,
         {13, 14, 15},
         [this] {
             diary.ui.ExpectQuestion(text::TwoDaysSkipped, true);
             ExpectUnchangedDay("on Wednesday, March 13, 2024");
             ExpectUnchangedDay("on Thursday, March 14, 2024");
             diary.ui.ExpectQuestion(text::NewDay, true);
         }},
        {"skipped days declined leave a gap",
         15,
         15,
         {15},
         [this] {
             diary.ui.ExpectQuestion(text::TwoDaysSkipped, false);
             diary.ui.ExpectQuestion(text::NewDay, true);
         }},
        {"the yesterday path",
         13,
         15,
         {},
         [this] { diary.ui.ExpectQuestion(text::NewDay, false); }},
        {"the clock set back", 10, 15, {}, [this] { diary.ui.ExpectNotice(text::ClockBehind); }},
        {"before the new-day hour", 13, 3, {}, [] {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        At(2024, 3, c.day, c.hour);
        c.answers();
        ASSERT_TRUE(doc.OnOpenDocument(path));
        EXPECT_TRUE(diary.ui.Done());
        std::vector<Dated> expected;  // the five days before any history knew them
        for (int day = 8; day <= 12; ++day) expected.push_back({Day(2024, 3, day), true});
        for (int day : c.added) expected.push_back({Day(2024, 3, day), false});
        EXPECT_EQ(DatesOf(lived::DaysOfDiary(doc)), expected) << "as lived";
        ASSERT_TRUE(doc.OnSaveDocument(path));
        EXPECT_EQ(DatesOf(Reopened()), expected) << "as remembered at the next opening";
        EXPECT_EQ(DatesOf(Reopened(lived::EveryLivedDay)), expected) << "all that is known";
        EXPECT_FALSE(std::filesystem::exists(historyPath + "-journal"));
    }
}

TEST_F(HistoryTest, ADiarySavedSinceByAnotherProgramIsDatedByEstimate) {
    At(2024, 3, 15, 15);
    diary.ui.ExpectQuestion(text::TwoDaysSkipped, false);
    diary.ui.ExpectQuestion(text::NewDay, true);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    ASSERT_TRUE(doc.OnSaveDocument(path));
    // Another program saves the diary a day later, knowing nothing of the history.
    Members(doc).m_lastUpdate = LocalTime(2024, 3, 16, 9);
    Members(doc).m_dayCount += 1;
    Put(path, [&] {
        const auto bytes = doc.WriteBytes();
        return std::string(bytes.begin(), bytes.end());
    }());
    const lived::LivedDays days = Reopened();
    ASSERT_FALSE(days.empty());
    EXPECT_EQ(days.back().date, Day(2024, 3, 16));
    for (const auto& day : days) EXPECT_TRUE(day.estimated) << lived::DateText(day.date);
}

// A symptom added today has "no change" in every slot before; the days the history recorded
// without it stay without a rating for it, in the diary's days, every lived day and the file.
TEST_F(HistoryTest, DaysBeforeASymptomExistedAreNotRated) {
    At(2024, 3, 12, 18);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    ASSERT_TRUE(doc.OnSaveDocument(path));  // the history knows the five days, two symptoms
    FakeDiary next;
    next.clock.Set(LocalTime(2024, 3, 13, 15));
    next.ui.ExpectQuestion(text::NewDay, true);
    ASSERT_TRUE(next.doc.OnOpenDocument(path));
    CSymptom& itch = Members(next.doc).m_symptoms.emplace_back("Itch");
    itch.m_history[46] = 'w';  // a real rating is kept whatever the history says
    const std::string itchBefore = itch.m_history;
    // Itch's code on each day from March 8 to 13 ('-': not rated); the others are rated daily.
    const auto itchOf = [](const lived::LivedDays& days) {
        std::string codes;
        for (const lived::LivedDay& day : days) {
            codes += '-';
            for (const auto& [name, code] : day.ratings)
                if (name == "Itch") codes.back() = code;
            EXPECT_EQ(day.ratings.size(), codes.back() == '-' ? 2u : 3u);
        }
        return codes;
    };
    EXPECT_EQ(itchOf(lived::DaysOfDiary(next.doc)), "--w--n") << "the diary's days";
    EXPECT_EQ(itchOf(lived::EveryLivedDay(next.doc)), "--w--n") << "every lived day";
    ASSERT_TRUE(next.doc.OnSaveDocument(path));
    EXPECT_EQ(itchOf(Reopened(lived::EveryLivedDay)), "--w--n") << "at the next opening";
    EXPECT_EQ(next.doc.Symptoms().back().m_history, itchBefore) << "the diary is as it was";
}

// The diary's days win over the history's, older days stay, and the history moves with the
// diary: to a new name, into a daily copy, back from it, and out with the copy.
TEST_F(HistoryTest, TheDiarysOwnDaysWinOlderDaysStayAndTheHistoryMovesWithTheDiary) {
    lived::LivedDays older{{Day(2023, 12, 31), false, {"Cake"}, {{"Headache", 'w'}}},
                           {Day(2024, 3, 12), false, {"Cake"}, {{"Headache", 'w'}}}};
    ASSERT_EQ(history::Write(historyPath, older, {}, 0600).Message(), "");
    At(2024, 3, 12, 18);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    const lived::LivedDays every = lived::EveryLivedDay(doc);
    ASSERT_EQ(every.size(), 6u);
    EXPECT_EQ(every.front(), older.front());
    EXPECT_EQ(every.back().eaten, (std::vector<std::string>{"Tea", "Milk"}))
        << "the diary's 12 March";
    ASSERT_TRUE(doc.OnSaveDocument(path));
    const history::Contents written = history::Read(historyPath);
    ASSERT_EQ(written.condition, history::Condition::Sound);
    EXPECT_EQ(written.days, every);

    const std::string other = folder.File("other name.glg");
    ASSERT_TRUE(doc.OnSaveDocument(other));
    EXPECT_EQ(history::Read(folder.File("other name.glh")).days, every) << "Save As";
    struct stat status {};
    ASSERT_EQ(::stat(folder.File("other name.glh").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u) << "the diary's mode";

    const std::string root = folder.File("copies");
    PosixFileSystem files;
    backups::KeepDailyCopy(root, other, LocalTime(2024, 3, 12), 14, files);
    const auto copies = backups::List(root, other, files);
    ASSERT_EQ(copies.size(), 1u);
    const std::string copiedHistory = history::PathFor(copies.front().path);
    EXPECT_EQ(history::Read(copiedHistory).days, every) << "the daily copy";

    // Restoring the copy opens it with its history, which a save takes to the new name.
    FakeDiary restorer;
    restorer.clock.Set(LocalTime(2024, 3, 12, 19));
    ASSERT_TRUE(restorer.doc.OnOpenDocument(copies.front().path));
    ASSERT_TRUE(restorer.doc.OnSaveDocument(folder.File("restored.glg")));
    EXPECT_EQ(history::Read(folder.File("restored.glh")).days, every) << "restored";

    // Keeping no copies removes the diary's copies, and their histories with them.
    backups::KeepDailyCopy(root, other, LocalTime(2024, 4, 20), 0, files);
    EXPECT_FALSE(std::filesystem::exists(copiedHistory)) << "rotated with the diary's copy";
}

// ---- a save stopped at any step

TEST_F(HistoryTest, ASaveStoppedAtAnyStepLeavesDiaryAndHistoryConsistent) {
    At(2024, 3, 13, 15);
    diary.ui.ExpectQuestion(text::NewDay, true);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    ASSERT_TRUE(doc.OnSaveDocument(path));
    const std::string oldDiary = Bytes(path);
    const std::vector<Dated> oldDates = DatesOf(Reopened());
    bool survived = false;
    for (int dieAt = 1; !survived && dieAt < 100; ++dieAt) {
        SCOPED_TRACE(dieAt);
        Put(path, oldDiary);
        FakeDiary next;
        next.clock.Set(LocalTime(2024, 3, 14, 15));
        next.ui.ExpectQuestion(text::NewDay, true);
        ASSERT_TRUE(next.doc.OnOpenDocument(path));
        const std::vector<Dated> newDates = DatesOf(lived::DaysOfDiary(next.doc));
        // The real file system, except that the process "dies" at the chosen step.
        struct Died {};
        int steps = 0;
        FaultyFileSystem dying;
        dying.BeforeEachStep([&] {
            if (++steps == dieAt) throw Died{};
        });
        next.doc.SetPorts({nullptr, nullptr, nullptr, nullptr, nullptr, &dying});
        try {
            next.doc.SaveDocument(path, true);
        } catch (const Died&) {
        }
        survived = steps < dieAt;
        const std::string diaryNow = Bytes(path);
        const std::vector<Dated> dates = DatesOf(Reopened());
        if (diaryNow == oldDiary) {
            EXPECT_EQ(dates, oldDates) << "the old diary with the dates it had";
        } else if (survived) {
            EXPECT_EQ(dates, newDates) << "the new diary with its dates";
        } else {
            // The new diary, its history not yet written: nothing claims an exact date.
            for (const Dated& date : dates) EXPECT_TRUE(date.estimated);
        }
        EXPECT_NE(history::Read(historyPath).condition, history::Condition::Damaged);
    }
    EXPECT_TRUE(survived) << "the save completed once no step failed";
}

// A process killed in the middle of a commit leaves a hot journal (the file already holds
// some of the transaction's pages); one killed while replacing the file leaves its temporary.
pid_t KilledInCommit(const std::string& historyPath) {
    const pid_t child = ::fork();
    if (child == 0) {
        sqlite3* db = nullptr;
        sqlite3_open(historyPath.c_str(), &db);
        // A cache of a few pages spills the changes into the file before the commit.
        sqlite3_exec(db,
                     "PRAGMA cache_size = 2; BEGIN; DELETE FROM eaten; DELETE FROM rating;"
                     "UPDATE day SET estimated = 1;",
                     nullptr, nullptr, nullptr);
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST_F(HistoryTest, AReplacementLeavesNothingOfKilledSavesBeside) {
    lived::LivedDays oldDays, newDays;
    for (lived::Date date = Day(2023, 1, 1); date < Day(2024, 1, 1); ++date)
        oldDays.push_back({date, false, {"Milk", "Bread", "Cheese"}, {{"Headache", 'w'}}});
    for (lived::Date date = Day(2024, 2, 1); date < Day(2024, 2, 20); ++date)
        newDays.push_back({date, false, {"Rice"}, {{"Headache", 'b'}}});
    history::DiaryState state{LocalTime(2024, 2, 19, 10), 19, {}};
    state.slotDates.fill(history::NoDate);
    ASSERT_EQ(history::Write(historyPath, oldDays, state, 0600).Message(), "");

    const pid_t gone = KilledInCommit(historyPath);
    ASSERT_TRUE(std::filesystem::exists(historyPath + "-journal"));
    const std::string deadTemporary = historyPath + ".new-" + std::to_string(gone);
    const std::string liveTemporary = historyPath + ".new-" + std::to_string(::getppid());
    for (const std::string& name : {deadTemporary, deadTemporary + "-journal", liveTemporary})
        Put(name, "left by a killed save");

    ASSERT_EQ(history::Replace(historyPath, newDays, state, 0600).Message(), "");
    EXPECT_FALSE(std::filesystem::exists(historyPath + "-journal"))
        << "the old file's journal would roll its pages into the new one";
    const history::Contents read = history::Read(historyPath);
    EXPECT_EQ(read.condition, history::Condition::Sound) << read.problem;
    EXPECT_TRUE(read.days == newDays) << "the new days, untouched by the old file's pages";
    EXPECT_FALSE(std::filesystem::exists(deadTemporary));
    EXPECT_FALSE(std::filesystem::exists(deadTemporary + "-journal"));
    EXPECT_TRUE(std::filesystem::exists(liveTemporary)) << "its process may still be writing";
}

// A save writes only the days that differ from the file's (bench/history_bench.cpp measures
// it); whatever changed, what is read back is what was given. Changed foods, ratings and new
// days are saved over a history in the tests above.
TEST_F(HistoryTest, ASaveOverAHistoryReadsBackWhatWasGiven) {
    const lived::Date first = Day(2024, 3, 1);
    lived::LivedDays days;
    for (int i = 0; i < 3; ++i)
        days.push_back({first + i, false, {"Milk", "Bread"}, {{"Headache", 'w'}, {"Itch", 'n'}}});
    history::DiaryState state{LocalTime(2024, 3, 3, 10), 3, {}};
    state.slotDates.fill(history::NoDate);
    state.slotDates.back() = first + 2;
    using Days = lived::LivedDays;
    using State = history::DiaryState;
    const struct {
        const char* change;
        std::function<void(Days&, State&)> make;
    } cases[] = {
        {"nothing", [](Days&, State&) {}},
        {"the foods' order", [](Days& d, State&) { std::swap(d[0].eaten[0], d[0].eaten[1]); }},
        {"estimated", [](Days& d, State&) { d[0].estimated = true; }},
        {"the day count", [](Days&, State& s) { s.dayCount = 4; }},
        {"a slot's date", [](Days&, State& s) { s.slotDates[48] = Day(2024, 3, 2); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        std::filesystem::remove(historyPath);
        ASSERT_EQ(history::Write(historyPath, days, state, 0600).Message(), "");
        lived::LivedDays changed = days;
        history::DiaryState changedState = state;
        c.make(changed, changedState);
        ASSERT_EQ(history::Write(historyPath, changed, changedState, 0600).Message(), "");
        const history::Contents read = history::Read(historyPath);
        ASSERT_EQ(read.condition, history::Condition::Sound) << read.problem;
        EXPECT_EQ(read.state, changedState);
        EXPECT_TRUE(read.days == changed) << "read back as given";
    }
}

TEST_F(HistoryTest, AHistoryThatCannotBeWrittenNeverFailsTheSaveAndIsToldOnce) {
    At(2024, 3, 12, 18);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    std::filesystem::create_directory(historyPath);  // appears after the opening
    diary.ui.ExpectNotice(
        "The diary was saved, but its history file could not be written: unable to open "
        "database file.");
    EXPECT_TRUE(doc.OnSaveDocument(path));
    EXPECT_TRUE(doc.OnSaveDocument(path)) << "saved again without a second notice";
    EXPECT_TRUE(diary.ui.Done());
    CGastrologDoc reader;
    EXPECT_TRUE(reader.ReadFile(path).Succeeded());
}

// ---- bad history files

// Whatever the history file beside the diary holds, the diary is untouched: a file that is
// not a sound history of this version is set aside, a newer version's is read but never
// written, and a hostile file's own code never runs on our writes.
TEST_F(HistoryTest, ABadHistoryFileNeverChangesTheDiaryAndIsSetAsideOrLeftAlone) {
    const std::string schema =
        "PRAGMA application_id = 1196181320; PRAGMA user_version = 1;"
        "CREATE TABLE day (date TEXT PRIMARY KEY NOT NULL, estimated INTEGER NOT NULL DEFAULT 0);"
        "CREATE TABLE eaten (date TEXT NOT NULL, food TEXT NOT NULL, UNIQUE (date, food));"
        "CREATE TABLE rating (date TEXT NOT NULL, symptom TEXT NOT NULL, rating TEXT NOT NULL,"
        " UNIQUE (date, symptom));";
    const std::string setAside = "diary.glh.damaged-2024-03-12";
    const std::string newer =
        "was written by a newer version of Gastrolog. Its days are shown, but this version will "
        "not change it";
    enum Outcome { SetAside, LeftAlone, Written };
    const struct {
        const char* name;
        std::function<void(const std::string&)> make;
        Outcome outcome;
        std::string problem = {};  // empty: SQLite's own words, or none when written
    } cases[] = {
        {"text", [](const std::string& p) { Put(p, "not a database\n"); }, SetAside,
         "is not a Gastrolog history (file is not a database)"},
        {"truncated database",
         [&](const std::string& p) {
             Sql(p, schema + "INSERT INTO day VALUES ('2024-01-01', 0);");
             Put(p, Bytes(p).substr(0, 1500));
         },
         SetAside},
        {"another program's database",
         [](const std::string& p) { Sql(p, "CREATE TABLE contacts (name TEXT);"); }, SetAside,
         "is not a Gastrolog history"},
        {"an impossible date",
         [&](const std::string& p) {
             Sql(p, schema + "INSERT INTO day VALUES ('2024-02-30', 0);");
         },
         SetAside, "holds a day with an impossible date"},
        {"a name no diary holds",
         [&](const std::string& p) {
             Sql(p, schema +
                        "INSERT INTO day VALUES ('2024-01-01', 0);"
                        "INSERT INTO eaten VALUES ('2024-01-01', '\xe6\x97\xa5\xe6\x9c\xac');");
         },
         SetAside, "holds a food that no diary could hold"},
        {"a rating no diary holds",
         [&](const std::string& p) {
             Sql(p, schema +
                        "INSERT INTO day VALUES ('2024-01-01', 0);"
                        "INSERT INTO rating VALUES ('2024-01-01', 'Headache', 'x');");
         },
         SetAside, "holds a rating that no diary could hold"},
        {"a folder", [](const std::string& p) { std::filesystem::create_directory(p); }, SetAside,
         "is not a regular file"},
        {"a newer Gastrolog's",
         [&](const std::string& p) {
             Sql(p, schema + "PRAGMA user_version = 7; INSERT INTO day VALUES ('2024-01-01', 0);");
         },
         LeftAlone, newer},
        // A trigger that ran would refuse the save's days, and the save would say so.
        {"a trigger of its own",
         [](const std::string& p) {
             ASSERT_EQ(history::Write(p, {}, {}, 0600).Message(), "");
             Sql(p, "CREATE TRIGGER t BEFORE INSERT ON day BEGIN SELECT RAISE(ABORT, 'ran'); END;");
         },
         Written},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        std::filesystem::remove_all(folder.File(setAside));
        c.make(historyPath);
        const std::string diaryBefore = Bytes(path);
        const std::string historyBefore = Bytes(historyPath);
        At(2024, 3, 12, 18);
        std::string problem = c.problem;
        if (problem.empty() && c.outcome == SetAside) {
            // SQLite reports the damage in its own words; only the frame is ours.
            const history::Contents read = history::Read(historyPath);
            ASSERT_EQ(read.condition, history::Condition::Damaged);
            problem = read.problem;
        }
        if (c.outcome != Written) {
            diary.ui.ExpectNotice("The history file diary.glh " + problem +
                                  (c.outcome == LeftAlone
                                       ? "."
                                       : ". It was set aside as " + setAside +
                                             " and a new history file was started."));
        }
        ASSERT_TRUE(doc.OnOpenDocument(path));
        EXPECT_TRUE(diary.ui.Done());
        EXPECT_EQ(Bytes(path), diaryBefore) << "the diary is untouched";
        EXPECT_EQ(lived::DaysOfDiary(doc).size(), 5u);
        ASSERT_TRUE(doc.OnSaveDocument(path));
        if (c.outcome == LeftAlone) {
            EXPECT_EQ(Bytes(historyPath), historyBefore) << "never written";
            EXPECT_EQ(lived::EveryLivedDay(doc).size(), 6u) << "its days are read";
            ASSERT_TRUE(doc.OnSaveDocument(folder.File("saved as.glg")));
            EXPECT_EQ(history::Read(folder.File("saved as.glh")).days.size(), 6u)
                << "Save As takes them to a history of this version";
            std::filesystem::remove(folder.File("saved as.glh"));
        } else {
            EXPECT_EQ(std::filesystem::exists(folder.File(setAside)), c.outcome == SetAside);
            const history::Contents fresh = history::Read(historyPath);
            EXPECT_EQ(fresh.condition, history::Condition::Sound);
            EXPECT_EQ(fresh.days.size(), 5u);
        }
    }
}

}  // namespace
