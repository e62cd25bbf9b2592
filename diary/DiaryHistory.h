#pragma once
// The document's side of the history file: the date of each of the diary's day slots, the
// days the history holds beyond them, and writing the history after each save of the diary.
// Nothing here changes the diary itself.

#include <sys/types.h>

#include <array>
#include <string>

#include "diary/HistoryFile.h"
#include "diary/LivedDays.h"
#include "diary/Result.h"

class DiaryHistory {
public:
    DiaryHistory() { Clear(); }

    // A new diary: nothing before its first day, which is `today`.
    void StartNew(lived::Date today);
    // The last min(dayCount, 50) slots dated backwards from the current day, one day a slot,
    // marked estimated; no days beyond them.
    void Estimate(TimeValue lastUpdate, std::int32_t dayCount);
    // Reads the history beside the diary. The slots get the dates remembered for this very
    // diary (same last update and day count), else estimated ones. A damaged file is set
    // aside and a new history started; a newer one is read but never written. What the user
    // should hear of it waits in TakeNotice.
    void Load(const std::string& diaryPath, TimeValue lastUpdate, std::int32_t dayCount,
              lived::Date today);
    // Days brought in from elsewhere (an import): they become the history; the slots take
    // the dates of its newest days when those end on the diary's current day.
    void Adopt(lived::LivedDays days, TimeValue lastUpdate, std::int32_t dayCount);
    // A new day slot: `dropped` is the day leaving the oldest slot (kept as history when it
    // was lived); the new slot is dated `current`, or the day after the newest slot when that
    // is not earlier (a skipped day being entered).
    void Roll(const lived::LivedDay* dropped, lived::Date current);
    // After the diary was written to `diaryPath`: writes the diary's days and the days that
    // left its slots into the history beside it, in one transaction. Succeeds when written
    // or when the file is one this version never writes; a failure carries the message for
    // the user once, and an empty message once the user has been told.
    Result Save(const std::string& diaryPath, const lived::LivedDays& diaryDays,
                TimeValue lastUpdate, std::int32_t dayCount, mode_t mode);

    struct DatedSlots {
        history::SlotDates dates{};
        std::array<bool, diary::HistoryLength> estimated{};
    };
    // The slots' dates for a diary whose current day began at `lastUpdate`: the dates this
    // history gave them, or, when its current slot is not dated that day (a diary changed
    // by other means), dates estimated backwards.
    DatedSlots Slots(TimeValue lastUpdate, std::int32_t dayCount) const;
    // Every day the history holds or has taken from the slots, oldest first; the diary's own
    // days may hold newer versions of the same dates.
    lived::LivedDays KnownDays() const;
    // The day the history holds (or has taken from the slots) for a date; null when none.
    const lived::LivedDay* KnownDay(lived::Date date) const;
    bool IsReadOnly() const { return m_readOnly; }
    // What the last Load or Save has to tell the user; empty when nothing.
    std::string TakeNotice();

private:
    void Clear();
    static DatedSlots Estimated(TimeValue lastUpdate, std::int32_t dayCount);

    history::SlotDates m_slotDates{};
    std::array<bool, diary::HistoryLength> m_estimated{};
    lived::LivedDays m_stored;   // what the history file held or was last given
    lived::LivedDays m_unsaved;  // days that left the slots since the history was written
    std::string m_syncedPath;    // the history file that holds m_stored
    bool m_readOnly = false;
    std::string m_readOnlyPath;  // the history file that is read but never written
    bool m_toldFailure = false;
    std::string m_notice;
};
