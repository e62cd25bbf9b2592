#include "diary/DiaryHistory.h"

#include <algorithm>
#include <utility>

#include "diary/FileNames.h"
#include "diary/LocalTime.h"

namespace {

constexpr const char* WriteFailedMessage =
    "The diary was saved, but its history file could not be written: ";

lived::Date DiaryDate(TimeValue time) {
    return lived::DateOf(calendar::DayOf(time));
}

std::string ForUser(const std::string& path) {
    return file_names::NameOf(path);
}

}  // namespace

void DiaryHistory::Clear() {
    m_slotDates.fill(history::NoDate);
    m_estimated.fill(false);
    m_stored.clear();
    m_unsaved.clear();
    m_syncedPath.clear();
    m_readOnlyPath.clear();
    m_readOnly = false;
    m_toldFailure = false;
}

void DiaryHistory::StartNew(lived::Date today) {
    Clear();
    m_slotDates.back() = today;
}

DiaryHistory::DatedSlots DiaryHistory::Estimated(TimeValue lastUpdate, std::int32_t dayCount) {
    DatedSlots slots;
    slots.dates.fill(history::NoDate);
    const std::size_t count = diary::HistoryLength;
    const std::size_t lived =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(dayCount, 0)), count);
    const lived::Date current = DiaryDate(lastUpdate);
    for (std::size_t slot = count - lived; slot < count; ++slot) {
        slots.dates[slot] = current - static_cast<lived::Date>(count - 1 - slot);
        slots.estimated[slot] = true;
    }
    return slots;
}

void DiaryHistory::Estimate(TimeValue lastUpdate, std::int32_t dayCount) {
    const DatedSlots slots = Estimated(lastUpdate, dayCount);
    m_slotDates = slots.dates;
    m_estimated = slots.estimated;
}

DiaryHistory::DatedSlots DiaryHistory::Slots(TimeValue lastUpdate, std::int32_t dayCount) const {
    if (m_slotDates.back() != DiaryDate(lastUpdate)) return Estimated(lastUpdate, dayCount);
    return {m_slotDates, m_estimated};
}

void DiaryHistory::Load(const std::string& diaryPath, TimeValue lastUpdate, std::int32_t dayCount,
                        lived::Date today) {
    Clear();
    Estimate(lastUpdate, dayCount);
    const std::string path = history::PathFor(diaryPath);
    history::Contents contents = history::Read(path);
    switch (contents.condition) {
        case history::Condition::Missing:
            m_syncedPath = path;
            return;
        case history::Condition::Damaged: {
            std::string setAside;
            if (!history::SetAside(path, today, setAside).IsOk()) {
                m_readOnly = true;
                m_readOnlyPath = path;
                m_notice = "The history file " + ForUser(path) + " " + contents.problem +
                           " and could not be set aside; it will not be written.";
                return;
            }
            m_syncedPath = path;
            m_notice = "The history file " + ForUser(path) + " " + contents.problem +
                       ". It was set aside as " + ForUser(setAside) +
                       " and a new history file was started.";
            return;
        }
        case history::Condition::Newer:
            m_readOnly = true;
            m_readOnlyPath = path;
            m_notice = "The history file " + ForUser(path) +
                       " was written by a newer version of Gastrolog. Its days are shown, "
                       "but this version will not change it.";
            break;
        case history::Condition::Sound:
            m_syncedPath = path;
            break;
    }
    m_stored = std::move(contents.days);
    if (!contents.state || contents.state->lastUpdate != lastUpdate ||
        contents.state->dayCount != dayCount)
        return;  // saved since by a program that keeps no history: the estimate stands
    m_slotDates = contents.state->slotDates;
    for (std::size_t slot = 0; slot < m_slotDates.size(); ++slot) {
        const auto found = std::find_if(m_stored.begin(), m_stored.end(), [&](const auto& day) {
            return day.date == m_slotDates[slot];
        });
        m_estimated[slot] = found != m_stored.end() && found->estimated;
    }
}

void DiaryHistory::Adopt(lived::LivedDays days, TimeValue lastUpdate, std::int32_t dayCount) {
    Clear();
    Estimate(lastUpdate, dayCount);
    m_stored = lived::Merge(std::move(days), {});
    const std::size_t lived = std::min<std::size_t>(static_cast<std::size_t>(std::max(dayCount, 0)),
                                                    diary::HistoryLength);
    if (lived == 0 || m_stored.size() < lived || m_stored.back().date != DiaryDate(lastUpdate))
        return;
    // The export that wrote these days wrote the diary's own days among them, newest last.
    for (std::size_t index = 0; index < lived; ++index) {
        const lived::LivedDay& day = m_stored[m_stored.size() - lived + index];
        const std::size_t slot = diary::HistoryLength - lived + index;
        m_slotDates[slot] = day.date;
        m_estimated[slot] = day.estimated;
    }
}

void DiaryHistory::Roll(const lived::LivedDay* dropped, lived::Date current) {
    if (dropped && m_slotDates.front() != history::NoDate) {
        lived::LivedDay day = *dropped;
        day.date = m_slotDates.front();
        day.estimated = m_estimated.front();
        m_unsaved = lived::Merge(std::move(m_unsaved), {std::move(day)});
    }
    const lived::Date newest = m_slotDates.back();
    const lived::Date date = newest != history::NoDate && current <= newest ? newest + 1 : current;
    std::rotate(m_slotDates.begin(), m_slotDates.begin() + 1, m_slotDates.end());
    std::rotate(m_estimated.begin(), m_estimated.begin() + 1, m_estimated.end());
    m_slotDates.back() = date;
    m_estimated.back() = false;
}

Result DiaryHistory::Save(const std::string& diaryPath, const lived::LivedDays& diaryDays,
                          TimeValue lastUpdate, std::int32_t dayCount, mode_t mode) {
    // A file this version must not write stays as it is; a diary saved under another name
    // takes what could be read to its own new history.
    if (m_readOnly && history::PathFor(diaryPath) == m_readOnlyPath) return Result::Success();
    const DatedSlots slots = Slots(lastUpdate, dayCount);
    m_slotDates = slots.dates;
    m_estimated = slots.estimated;
    const std::string path = history::PathFor(diaryPath);
    const history::DiaryState state{lastUpdate, dayCount, m_slotDates};
    Result written;
    if (path == m_syncedPath) {
        lived::LivedDays changed = lived::Merge(m_unsaved, diaryDays);
        written = history::Write(path, changed, state, mode);
    } else {
        // Another name (Save As, an import, a new diary): the history moves with the diary.
        written = history::Replace(path, lived::Merge(KnownDays(), diaryDays), state, mode);
    }
    if (!written.IsOk()) {
        if (m_toldFailure) return {written.GetCode(), {}};
        m_toldFailure = true;
        return {written.GetCode(), WriteFailedMessage + written.Message() + "."};
    }
    m_stored = lived::Merge(std::move(m_stored), std::move(m_unsaved));
    m_unsaved.clear();
    m_syncedPath = path;
    m_readOnly = false;
    m_toldFailure = false;
    return Result::Success();
}

lived::LivedDays DiaryHistory::KnownDays() const {
    return lived::Merge(m_stored, m_unsaved);
}

const lived::LivedDay* DiaryHistory::KnownDay(lived::Date date) const {
    // The days that left the slots since the history was written are the newer word.
    for (const lived::LivedDays* days : {&m_unsaved, &m_stored}) {
        const auto found = std::lower_bound(
            days->begin(), days->end(), date,
            [](const lived::LivedDay& day, lived::Date wanted) { return day.date < wanted; });
        if (found != days->end() && found->date == date) return &*found;
    }
    return nullptr;
}

std::string DiaryHistory::TakeNotice() {
    return std::exchange(m_notice, {});
}
