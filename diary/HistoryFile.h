#pragma once
// The history file beside a diary: an SQLite database that keeps every lived day with its
// date, the foods eaten and each symptom's rating, long after the day has left the diary's 50
// slots. NAME.glg keeps its history in NAME.glh. The layout is described in
// docs/file-format.md; nothing in such a file is trusted until it has been checked.

#include <sys/types.h>

#include <array>
#include <optional>
#include <string>

#include "diary/DiaryConstants.h"
#include "diary/LivedDays.h"
#include "diary/Ports.h"
#include "diary/Result.h"

namespace history {

inline constexpr int SchemaVersion = 1;
// "GLGH" at offset 68 of the file: tells a Gastrolog history from any other SQLite database.
inline constexpr int ApplicationId = 0x474C4748;
inline constexpr lived::Date NoDate = INT32_MIN;

using SlotDates = std::array<lived::Date, diary::HistoryLength>;

// What the diary held when its history was last written: a diary file that still holds these
// values is the one the history knows, so its slots have their remembered dates.
struct DiaryState {
    TimeValue lastUpdate = 0;
    std::int32_t dayCount = 0;
    SlotDates slotDates{};

    bool operator==(const DiaryState&) const = default;
};

// NAME.glg -> NAME.glh; any other name gets ".glh" appended.
std::string PathFor(const std::string& diaryPath);

enum class Condition {
    Missing,  // no file: a history starts afresh
    Sound,
    Damaged,  // not SQLite, failed check, wrong tables, or values a diary could not hold
    Newer,    // written by a later Gastrolog: read where possible, never written
};

struct Contents {
    Condition condition = Condition::Missing;
    lived::LivedDays days;  // oldest first
    std::optional<DiaryState> state;
    std::string problem;  // what is wrong, for a damaged file
};

Contents Read(const std::string& path);

// Writes the given days (replacing what the file held for their dates) and the diary's state
// in one transaction; creates the file with `mode` when it does not exist. Days and state the
// file already holds as given are left as they are, so an unchanged save writes nothing.
// A failure's message is its cause in SQLite's or the system's words.
Result Write(const std::string& path, const lived::LivedDays& days, const DiaryState& state,
             mode_t mode);

// Replaces the whole file by one holding exactly these days (written beside it, then renamed
// over it; the old file's journal and the temporaries of killed replacements go). A failure's
// message is its cause.
Result Replace(const std::string& path, const lived::LivedDays& days, const DiaryState& state,
               mode_t mode);

// Moves a damaged file out of the way as PATH.damaged-YYYY-MM-DD (a number added when that
// exists), the new name in `setAsideAs`. A failure's message is its cause.
Result SetAside(const std::string& path, lived::Date today, std::string& setAsideAs);

// A consistent copy of a history file (SQLite's backup API) with the given mode; succeeds
// without a copy when there is nothing to copy. A failure's message is its cause.
Result Copy(const std::string& from, const std::string& to, mode_t mode);

}  // namespace history
