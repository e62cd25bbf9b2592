#include "diary/HistoryFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "diary/FileNames.h"
#include "diary/SqliteDatabase.h"
#include "diary/Windows1252.h"

namespace history {

namespace {

constexpr std::string_view DiaryExtension = ".glg";
constexpr std::string_view HistoryExtension = ".glh";

// Bounds far beyond any real history (a century of days, a thousand foods a day) that keep
// a hostile file from making the reader take unbounded memory or time.
constexpr off_t LargestFile = 512 * 1024 * 1024;
constexpr std::size_t MostDays = 40000;
constexpr std::size_t MostNamesADay = 5000;
constexpr std::size_t LongestName = 1000;
// 1900-01-01 to 2999-12-31: dates outside cannot come from a diary's clock.
constexpr lived::Date EarliestDate = -25567;
constexpr lived::Date LatestDate = 376199;

constexpr std::string_view Schema = R"sql(
CREATE TABLE day (
    date TEXT PRIMARY KEY NOT NULL,
    estimated INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE eaten (
    date TEXT NOT NULL REFERENCES day(date),
    food TEXT NOT NULL,
    UNIQUE (date, food)
);
CREATE TABLE rating (
    date TEXT NOT NULL REFERENCES day(date),
    symptom TEXT NOT NULL,
    rating TEXT NOT NULL CHECK (rating IN ('b', 'w', 'n')),
    UNIQUE (date, symptom)
);
CREATE TABLE diary_state (
    last_update INTEGER NOT NULL,
    day_count INTEGER NOT NULL
);
CREATE TABLE slot (
    slot INTEGER PRIMARY KEY,
    date TEXT NOT NULL
);
)sql";

std::string Cause(SqliteDatabase& database) {
    return database.ErrorText();
}

// A failed write in SQLite's words, of the kind its last result code names.
Result WriteFailure(SqliteDatabase& database) {
    switch (sqlite3_errcode(database.Handle()) & 0xff) {
        case SQLITE_FULL:
            return {Result::Code::Full, Cause(database)};
        case SQLITE_READONLY:
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return {Result::Code::Access, Cause(database)};
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return {Result::Code::Sharing, Cause(database)};
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return {Result::Code::Format, Cause(database)};
        default:
            return {Result::Code::Failed, Cause(database)};
    }
}

// A failed system call in the system's words, of the kind its error number names.
Result SystemFailure(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return {Result::Code::Missing, std::strerror(error)};
        case EACCES:
        case EPERM:
        case EROFS:
            return {Result::Code::Access, std::strerror(error)};
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return {Result::Code::Full, std::strerror(error)};
        default:
            return {Result::Code::Failed, std::strerror(error)};
    }
}

// A failed write undone: the failure as it was before the rollback, which has words of its own.
Result RolledBack(SqliteDatabase& database) {
    Result failure = WriteFailure(database);
    database.Execute("ROLLBACK");
    return failure;
}

// Opened for writing: a rollback journal removed at each commit and every commit on the
// disk before it returns.
int PrepareForWriting(SqliteDatabase& database) {
    if (int result = database.Execute("PRAGMA journal_mode = DELETE"); result != SQLITE_OK)
        return result;
    return database.Execute("PRAGMA synchronous = FULL; PRAGMA foreign_keys = OFF");
}

bool ValidDate(lived::Date date) {
    return date >= EarliestDate && date <= LatestDate;
}

bool ParseStoredDate(const std::string& text, lived::Date& date) {
    return lived::ParseDate(text, date) && ValidDate(date);
}

// A stored name back in the diary's code page; nullopt for one no diary could hold.
std::optional<std::string> DiaryName(const std::string& stored) {
    if (stored.empty() || stored.size() > LongestName) return std::nullopt;
    return Utf8ToWindows1252(stored);
}

struct Reader {
    SqliteDatabase& database;
    Contents& contents;

    bool Fail(std::string problem) {
        contents.problem = std::move(problem);
        return false;
    }

    bool ReadDays(std::map<lived::Date, std::size_t>& index) {
        SqliteStatement days(database, "SELECT date, estimated FROM day ORDER BY date");
        int step;
        while ((step = days.Step()) == SQLITE_ROW) {
            lived::Date date;
            if (days.TypeAt(0) != SQLITE_TEXT || !ParseStoredDate(days.TextAt(0), date))
                return Fail("holds a day with an impossible date");
            if (contents.days.size() >= MostDays) return Fail("holds too many days");
            lived::LivedDay day;
            day.date = date;
            day.estimated = days.IntegerAt(1) != 0;
            index[date] = contents.days.size();
            contents.days.push_back(std::move(day));
        }
        return step == SQLITE_DONE || Fail(Cause(database));
    }

    bool ReadEaten(const std::map<lived::Date, std::size_t>& index) {
        SqliteStatement eaten(database, "SELECT date, food FROM eaten ORDER BY date, rowid");
        int step;
        while ((step = eaten.Step()) == SQLITE_ROW) {
            lived::Date date;
            const auto name = DiaryName(eaten.TextAt(1));
            if (!ParseStoredDate(eaten.TextAt(0), date) || !index.contains(date) || !name)
                return Fail("holds a food that no diary could hold");
            auto& list = contents.days[index.at(date)].eaten;
            if (list.size() >= MostNamesADay) return Fail("holds too many foods for one day");
            list.push_back(*name);
        }
        return step == SQLITE_DONE || Fail(Cause(database));
    }

    bool ReadRatings(const std::map<lived::Date, std::size_t>& index) {
        SqliteStatement ratings(database,
                                "SELECT date, symptom, rating FROM rating ORDER BY date, rowid");
        int step;
        while ((step = ratings.Step()) == SQLITE_ROW) {
            lived::Date date;
            const auto name = DiaryName(ratings.TextAt(1));
            const std::string code = ratings.TextAt(2);
            if (!ParseStoredDate(ratings.TextAt(0), date) || !index.contains(date) || !name ||
                code.size() != 1 || code.find_first_of("bwn") != 0)
                return Fail("holds a rating that no diary could hold");
            auto& list = contents.days[index.at(date)].ratings;
            if (list.size() >= MostNamesADay) return Fail("holds too many symptoms for one day");
            list.emplace_back(*name, code[0]);
        }
        return step == SQLITE_DONE || Fail(Cause(database));
    }

    // The diary's state is optional: without it the diary's slots are dated by estimate.
    void ReadState() {
        SqliteStatement state(database, "SELECT last_update, day_count FROM diary_state");
        if (state.Step() != SQLITE_ROW) return;
        DiaryState known;
        known.lastUpdate = state.IntegerAt(0);
        const std::int64_t dayCount = state.IntegerAt(1);
        if (dayCount < 0 || dayCount > INT32_MAX) return;
        known.dayCount = static_cast<std::int32_t>(dayCount);
        known.slotDates.fill(NoDate);
        SqliteStatement slots(database, "SELECT slot, date FROM slot");
        int step;
        while ((step = slots.Step()) == SQLITE_ROW) {
            const std::int64_t slot = slots.IntegerAt(0);
            lived::Date date;
            if (slot < 0 || slot >= static_cast<std::int64_t>(diary::HistoryLength) ||
                !ParseStoredDate(slots.TextAt(1), date))
                return;
            known.slotDates[static_cast<std::size_t>(slot)] = date;
        }
        if (step == SQLITE_DONE) contents.state = known;
    }
};

Contents Damaged(std::string problem) {
    Contents contents;
    contents.condition = Condition::Damaged;
    contents.problem = std::move(problem);
    return contents;
}

// Creates an empty file with the diary's mode, so the history is never readable by more
// people than the diary, not even for a moment.
Result CreateEmpty(const std::string& path, mode_t mode) {
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (descriptor < 0) return SystemFailure(errno);
    ::fchmod(descriptor, mode);  // the umask takes no say in it
    ::close(descriptor);
    return Result::Success();
}

// A day as its rows in the file, in their order: each name once (the first rating of a
// symptom counts), in UTF-8, ratings as b, w or n.
struct DayRows {
    bool estimated = false;
    std::vector<std::string> eaten;
    std::vector<std::pair<std::string, char>> ratings;

    bool operator==(const DayRows&) const = default;
};

DayRows RowsOf(const lived::LivedDay& day) {
    DayRows rows;
    rows.estimated = day.estimated;
    std::set<std::string> seen;
    for (const std::string& food : day.eaten)
        if (std::string name = Windows1252ToUtf8(food); seen.insert(name).second)
            rows.eaten.push_back(std::move(name));
    seen.clear();
    for (const auto& [symptom, code] : day.ratings)
        if (std::string name = Windows1252ToUtf8(symptom); seen.insert(name).second)
            rows.ratings.emplace_back(std::move(name), code == diary::Better || code == diary::Worse
                                                           ? code
                                                           : diary::NoChange);
    return rows;
}

// Runs a statement without results and makes it ready for the next run.
int Run(SqliteStatement& statement) {
    const int step = statement.Step();
    statement.Reset();
    return step == SQLITE_DONE ? SQLITE_OK : step;
}

// Reads what the file holds for a date, so that a save rewrites (and waits on the disk for)
// only the days that changed: most saves change today's day alone.
class StoredRows {
public:
    explicit StoredRows(SqliteDatabase& database)
        : m_day(database, "SELECT estimated FROM day WHERE date = ?1"),
          m_eaten(database, "SELECT food FROM eaten WHERE date = ?1 ORDER BY rowid"),
          m_ratings(database, "SELECT symptom, rating FROM rating WHERE date = ?1 ORDER BY rowid") {
    }

    // Whether the file holds exactly these rows for the date.
    bool Holds(const std::string& date, const DayRows& wanted) {
        DayRows stored;
        m_day.Bind(1, date);
        const bool found = m_day.Step() == SQLITE_ROW;
        if (found) stored.estimated = m_day.IntegerAt(0) != 0;
        m_day.Reset();
        if (!found) return false;
        m_eaten.Bind(1, date);
        while (m_eaten.Step() == SQLITE_ROW) stored.eaten.push_back(m_eaten.TextAt(0));
        m_eaten.Reset();
        m_ratings.Bind(1, date);
        while (m_ratings.Step() == SQLITE_ROW) {
            const std::string code = m_ratings.TextAt(1);
            stored.ratings.emplace_back(m_ratings.TextAt(0), code.size() == 1 ? code[0] : '?');
        }
        m_ratings.Reset();
        return stored == wanted;
    }

private:
    SqliteStatement m_day, m_eaten, m_ratings;
};

int WriteDays(SqliteDatabase& database, const lived::LivedDays& days) {
    StoredRows stored(database);
    SqliteStatement clearEaten(database, "DELETE FROM eaten WHERE date = ?1");
    SqliteStatement clearRatings(database, "DELETE FROM rating WHERE date = ?1");
    SqliteStatement addDay(database,
                           "INSERT OR REPLACE INTO day (date, estimated) VALUES (?1, ?2)");
    SqliteStatement addEaten(database, "INSERT OR IGNORE INTO eaten (date, food) VALUES (?1, ?2)");
    SqliteStatement addRating(
        database, "INSERT OR IGNORE INTO rating (date, symptom, rating) VALUES (?1, ?2, ?3)");
    for (const lived::LivedDay& day : days) {
        const std::string date = lived::DateText(day.date);
        const DayRows rows = RowsOf(day);
        if (stored.Holds(date, rows)) continue;
        clearEaten.Bind(1, date);
        clearRatings.Bind(1, date);
        addDay.Bind(1, date);
        addDay.Bind(2, std::int64_t{rows.estimated ? 1 : 0});
        for (SqliteStatement* statement : {&clearEaten, &clearRatings, &addDay})
            if (int result = Run(*statement); result != SQLITE_OK) return result;
        for (const std::string& food : rows.eaten) {
            addEaten.Bind(1, date);
            addEaten.Bind(2, food);
            if (int result = Run(addEaten); result != SQLITE_OK) return result;
        }
        for (const auto& [symptom, code] : rows.ratings) {
            addRating.Bind(1, date);
            addRating.Bind(2, symptom);
            addRating.Bind(3, std::string_view(&code, 1));
            if (int result = Run(addRating); result != SQLITE_OK) return result;
        }
    }
    return SQLITE_OK;
}

// The state's rows as the file holds them: "last update, day count" and "slot date" lines.
std::vector<std::string> StoredStateRows(SqliteDatabase& database) {
    std::vector<std::string> rows;
    SqliteStatement state(database, "SELECT last_update, day_count FROM diary_state");
    while (state.Step() == SQLITE_ROW)
        rows.push_back(std::to_string(state.IntegerAt(0)) + " " +
                       std::to_string(state.IntegerAt(1)));
    SqliteStatement slots(database, "SELECT slot, date FROM slot ORDER BY slot");
    while (slots.Step() == SQLITE_ROW)
        rows.push_back(std::to_string(slots.IntegerAt(0)) + " " + slots.TextAt(1));
    return rows;
}

std::vector<std::string> StateRows(const DiaryState& state) {
    std::vector<std::string> rows{std::to_string(state.lastUpdate) + " " +
                                  std::to_string(state.dayCount)};
    for (std::size_t slot = 0; slot < state.slotDates.size(); ++slot)
        if (state.slotDates[slot] != NoDate)
            rows.push_back(std::to_string(slot) + " " + lived::DateText(state.slotDates[slot]));
    return rows;
}

int WriteState(SqliteDatabase& database, const DiaryState& state) {
    if (StoredStateRows(database) == StateRows(state)) return SQLITE_OK;
    if (int result = database.Execute("DELETE FROM diary_state; DELETE FROM slot");
        result != SQLITE_OK)
        return result;
    SqliteStatement addState(database,
                             "INSERT INTO diary_state (last_update, day_count) VALUES (?1, ?2)");
    addState.Bind(1, std::int64_t{state.lastUpdate});
    addState.Bind(2, std::int64_t{state.dayCount});
    if (addState.Step() != SQLITE_DONE) return SQLITE_ERROR;
    SqliteStatement addSlot(database, "INSERT INTO slot (slot, date) VALUES (?1, ?2)");
    for (std::size_t slot = 0; slot < state.slotDates.size(); ++slot) {
        if (state.slotDates[slot] == NoDate) continue;
        addSlot.Bind(1, static_cast<std::int64_t>(slot));
        addSlot.Bind(2, lived::DateText(state.slotDates[slot]));
        const int step = addSlot.Step();
        addSlot.Reset();
        if (step != SQLITE_DONE) return step;
    }
    return SQLITE_OK;
}

Result CreateSchema(SqliteDatabase& database) {
    const std::string setup =
        std::string("PRAGMA application_id = ") + std::to_string(ApplicationId) +
        "; PRAGMA user_version = " + std::to_string(SchemaVersion) + ";" + std::string(Schema);
    if (database.Execute(setup) != SQLITE_OK) return WriteFailure(database);
    return Result::Success();
}

// Temporaries of replacements killed before their rename (PATH.new-PID and its journal):
// removed once their process is gone, so killed saves leave no copies of the history behind.
void RemoveStaleTemporaries(const std::string& path) {
    const std::filesystem::path target(path);
    const std::string prefix = target.filename().string() + ".new-";
    std::error_code error;
    std::filesystem::directory_iterator entries(
        target.has_parent_path() ? target.parent_path() : std::filesystem::path("."), error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const std::string name = entries->path().filename().string();
        if (!name.starts_with(prefix)) continue;
        std::string owner = name.substr(prefix.size());
        if (owner.ends_with("-journal")) owner.resize(owner.size() - std::strlen("-journal"));
        if (owner.empty() || owner.size() > 9 ||
            owner.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const pid_t process = static_cast<pid_t>(std::stol(owner));
        if (process <= 0 || process == ::getpid()) continue;
        if (::kill(process, 0) == 0 || errno != ESRCH) continue;
        ::unlink(entries->path().c_str());
    }
}

// A journal beside the file about to be replaced belongs to that file: once the new file is
// in its place, SQLite would roll the old pages into it. Opening the old file rolls a hot
// journal back; what is left then is no longer needed by anyone and is removed.
void SettleJournal(const std::string& path) {
    const std::string journal = path + "-journal";
    if (::access(journal.c_str(), F_OK) != 0) return;
    {
        SqliteDatabase old;
        std::int64_t ignored = 0;
        if (old.Open(path, false, false) == SQLITE_OK)
            old.QueryInteger("SELECT count(*) FROM sqlite_schema", ignored);
    }
    ::unlink(journal.c_str());
}

}  // namespace

std::string PathFor(const std::string& diaryPath) {
    if (diaryPath.ends_with(DiaryExtension))
        return diaryPath.substr(0, diaryPath.size() - DiaryExtension.size()) +
               std::string(HistoryExtension);
    return diaryPath + std::string(HistoryExtension);
}

Contents Read(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        if (errno == ENOENT) return {};
        return Damaged(std::strerror(errno));
    }
    if (!S_ISREG(status.st_mode)) return Damaged("is not a regular file");
    if (status.st_size > LargestFile) return Damaged("is too large for a history");
    // Created but never committed (a save stopped at its first step): as good as missing.
    if (status.st_size == 0) return {};

    SqliteDatabase database;
    // Read and write: a history left half-written by a crash is rolled back by SQLite on the
    // first read. A file that cannot be written is still read.
    if (database.Open(path, false, false) != SQLITE_OK &&
        database.Open(path, false, true) != SQLITE_OK)
        return Damaged(Cause(database));
    std::int64_t application = 0, version = 0;
    if (database.QueryInteger("PRAGMA application_id", application) != SQLITE_OK)
        return Damaged("is not a Gastrolog history (" + Cause(database) + ")");
    if (application != ApplicationId) return Damaged("is not a Gastrolog history");
    if (database.QueryInteger("PRAGMA user_version", version) != SQLITE_OK)
        return Damaged(Cause(database));
    std::string check;
    if (database.QueryText("PRAGMA quick_check", check) != SQLITE_OK || check != "ok")
        return Damaged("fails SQLite's check");

    Contents contents;
    contents.condition = version > SchemaVersion ? Condition::Newer : Condition::Sound;
    if (version < 1) return Damaged("has no version");
    Reader reader{database, contents};
    std::map<lived::Date, std::size_t> index;
    const bool read =
        reader.ReadDays(index) && reader.ReadEaten(index) && reader.ReadRatings(index);
    if (!read) {
        // A later Gastrolog may have changed what it stores: show nothing rather than guess.
        if (contents.condition == Condition::Newer) return {Condition::Newer, {}, {}, {}};
        return Damaged(contents.problem);
    }
    reader.ReadState();
    return contents;
}

Result Write(const std::string& path, const lived::LivedDays& days, const DiaryState& state,
             mode_t mode) {
    bool created = false;
    if (::access(path.c_str(), F_OK) != 0) {
        if (Result made = CreateEmpty(path, mode); !made.IsOk()) return made;
        created = true;
    }
    SqliteDatabase database;
    if (database.Open(path, false, false) != SQLITE_OK) return WriteFailure(database);
    if (PrepareForWriting(database) != SQLITE_OK) return WriteFailure(database);
    if (database.Execute("BEGIN IMMEDIATE") != SQLITE_OK) return WriteFailure(database);
    std::int64_t version = 0;
    if (database.QueryInteger("PRAGMA user_version", version) != SQLITE_OK)
        return RolledBack(database);
    if (created || version == 0)
        if (Result made = CreateSchema(database); !made.IsOk()) {
            database.Execute("ROLLBACK");
            return made;
        }
    if (WriteDays(database, days) != SQLITE_OK || WriteState(database, state) != SQLITE_OK)
        return RolledBack(database);
    if (database.Execute("COMMIT") != SQLITE_OK) return RolledBack(database);
    return Result::Success();
}

Result Replace(const std::string& path, const lived::LivedDays& days, const DiaryState& state,
               mode_t mode) {
    RemoveStaleTemporaries(path);
    const std::string temporary = path + ".new-" + std::to_string(::getpid());
    ::unlink(temporary.c_str());
    ::unlink((temporary + "-journal").c_str());
    if (Result written = Write(temporary, days, state, mode); !written.IsOk()) {
        ::unlink(temporary.c_str());
        return written;
    }
    SettleJournal(path);
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const Result failure = SystemFailure(errno);
        ::unlink(temporary.c_str());
        return failure;
    }
    return Result::Success();
}

Result SetAside(const std::string& path, lived::Date today, std::string& setAsideAs) {
    const std::string base = path + ".damaged-" + lived::DateText(today);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = attempt == 0 ? base : base + "-" + std::to_string(attempt + 1);
        if (::access(name.c_str(), F_OK) == 0) continue;
        if (::rename(path.c_str(), name.c_str()) != 0) return SystemFailure(errno);
        ::rename((path + "-journal").c_str(), (name + "-journal").c_str());
        setAsideAs = name;
        return Result::Success();
    }
    return SystemFailure(EEXIST);  // every name for a set-aside file is taken
}

Result Copy(const std::string& from, const std::string& to, mode_t mode) {
    if (::access(from.c_str(), F_OK) != 0) return Result::Success();
    SqliteDatabase source;
    if (source.Open(from, false, true) != SQLITE_OK) return WriteFailure(source);
    ::unlink(to.c_str());
    if (Result made = CreateEmpty(to, mode); !made.IsOk()) return made;
    SqliteDatabase destination;
    if (destination.Open(to, false, false) != SQLITE_OK) return WriteFailure(destination);
    PrepareForWriting(destination);
    if (source.CopyInto(destination) != SQLITE_OK) {
        const Result failure = WriteFailure(destination);
        destination.Close();
        ::unlink(to.c_str());
        return failure;
    }
    return Result::Success();
}

}  // namespace history
