// The daily cycle: when a diary day begins, the days skipped since the last one, committing
// what the symptom and day-list dialogs hand back, and which Action commands are enabled.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "diary/DiaryConstants.h"
#include "diary/GastrologDoc.h"
#include "diary/LivedDays.h"
#include "diary/LocalTime.h"
#include "diary/SymptomLine.h"

namespace {

constexpr std::string_view ClockBehindWarning =
    "The computer date and time is before\nthe date and time held in your file.\n\n"
    "The results produced by Gastrolog will\nbe incorrect.";
constexpr std::string_view NewDayQuestion =
    "\tIt's a new day!\n\nDo you want to update today's symptoms and foods?\n\n"
    "( If you want to correct any of yesterday's symptoms or\n"
    "foods and see the current lists you must answer 'No'. )";
constexpr std::string_view NewDayAfterListsQuestion =
    "If you have just changed yesterday's symptoms and\n"
    "foods and they are now correct you can update today's\n"
    "symptoms and foods by answering 'Yes'.\n\n"
    "If you want to make some more changes to yesterday's\n"
    "symptoms and foods answer 'No'.\n\n"
    "If you have just created a new file answer 'Yes'.\n\n"
    "Do you want to update today's symptoms and foods?";
constexpr std::string_view CancelSkippedDaysQuestion =
    "Update is not complete.\nDo you really want to cancel ?";
constexpr std::string_view SaveReminder =
    "A new user file has been created but\nit has not been saved. It should be\n"
    "saved before proceeding any further.";
constexpr std::string_view ExampleFileNotice =
    "The example file has been loaded.\n\nThe missing days have not been inserted.\n\n"
    "If you want to use example.glg as the basis\n\nfor your own file you should copy it with a\n\n"
    "different name.";
constexpr std::string_view ExampleFileName = "example.glg";
constexpr std::string_view DayLabelFormat = calendar::DateFormat;
constexpr std::string_view YesterdayLabel = "yesterday";

constexpr std::string_view HiddenUnitNames[diary::HiddenUnitCount] = {"0", "1", "2", "3", "4"};

// The diary day changes at the new-day hour, not at midnight: before that hour the time
// belongs to the previous calendar date.
TimeValue EffectiveTime(TimeValue now, int newDayHour) {
    return calendar::HourOf(now) < newDayHour ? calendar::DaysEarlier(now, 1) : now;
}

std::string SkippedDaysQuestion(int count) {
    const bool single = count == 1;
    return std::to_string(count) + (single ? " day has" : " days have") +
           " been skipped.\n\nDo you want to enter the\nsymptoms and foods for " +
           (single ? "it ?" : "them ?");
}

bool HasMark(const std::string& entry, char mark) {
    return !entry.empty() && entry[0] == mark;
}

void SetToday(std::string& history, char code) {
    if (!history.empty()) history.back() = code;
}

template <typename Record>
void EraseFirstNamed(std::vector<Record>& records, const std::string& name) {
    const auto found = std::find_if(records.begin(), records.end(),
                                    [&](const Record& record) { return record.m_name == name; });
    if (found != records.end()) records.erase(found);
}

// First pass over the symptom lines: new symptoms and the day's ratings.
void CommitSymptomEntries(StringList& lines, std::vector<CSymptom>& symptoms) {
    for (std::string& line : lines) {
        if (HasMark(line, diary::MarkNew)) {
            // A new symptom may have been rated in the dialog that added it.
            line.erase(0, 1);
            const auto rated = symptom_line::Read(line);
            symptoms.emplace_back(std::string(symptom_line::NameOf(line)));
            if (rated) SetToday(symptoms.back().m_history, rated->rating);
        } else if (HasMark(line, diary::MarkDelete)) {
            continue;  // committed by the second pass
        } else if (const auto rated = symptom_line::Read(line)) {
            for (CSymptom& symptom : symptoms)
                if (symptom.m_name == rated->name) SetToday(symptom.m_history, rated->rating);
        }
    }
}

// Second pass: lines marked for deletion take their symptom with them.
void CommitSymptomDeletions(StringList& lines, std::vector<CSymptom>& symptoms) {
    for (std::size_t index = 0; index < lines.size();) {
        if (!HasMark(lines[index], diary::MarkDelete)) {
            ++index;
            continue;
        }
        const std::string name(symptom_line::NameOf(std::string_view(lines[index]).substr(1)));
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(index));
        EraseFirstNamed(symptoms, name);
    }
}

// First pass over the day list: new foods and the foods eaten today.
void CommitDayListEntries(StringList& dayList, std::vector<CFood>& foods) {
    for (std::string& entry : dayList) {
        if (HasMark(entry, diary::MarkNew)) {
            entry.erase(0, 1);
            foods.emplace_back(entry);  // created as eaten today
        } else {
            for (CFood& food : foods)
                if (food.m_name == entry) SetToday(food.m_history, diary::Eaten);
        }
    }
}

// Second pass over the master list: foods deleted and foods taken off today's list.
void CommitFoodMarks(StringList& foodNames, std::vector<CFood>& foods) {
    for (std::size_t index = 0; index < foodNames.size();) {
        std::string& entry = foodNames[index];
        if (HasMark(entry, diary::MarkDelete)) {
            const std::string name = entry.substr(1);
            foodNames.erase(foodNames.begin() + static_cast<std::ptrdiff_t>(index));
            EraseFirstNamed(foods, name);
            continue;
        }
        if (HasMark(entry, diary::MarkOffDay)) {
            entry.erase(0, 1);
            for (CFood& food : foods)
                if (food.m_name == entry) SetToday(food.m_history, diary::NotEaten);
        }
        ++index;
    }
}

// Rolls in and offers each skipped day in turn; returns how many days were rolled in. A
// cancelled dialog that the user does not mean to cancel opens again for the same day, so no
// day's entries are passed over; the symptoms and the day list come back as the user left them.
int EnterSkippedDays(CGastrologDoc& doc, UserInterface& ui, int count) {
    const auto userGivesUp = [&ui] { return ui.AskYesNo(CancelSkippedDaysQuestion); };
    for (int dayIndex = 1; dayIndex <= count; ++dayIndex) {
        doc.StartNewDay();
        StringList symptomLines = doc.SymptomLines();
        while (!doc.UpdateSymptoms(false, dayIndex, symptomLines))
            if (userGivesUp()) return dayIndex;
        StringList masterList = doc.FoodNames();
        StringList dayList = doc.DayList();
        while (!doc.CreateDayList(dayIndex, masterList, dayList))
            if (userGivesUp()) return dayIndex;
    }
    return count;
}

}  // namespace

// ---- when a day begins

TimeValue CGastrologDoc::GetEffectiveNow() const {
    return EffectiveTime(GetClock().Now(), GetNewDayHour());
}

// Counted in calendar dates, not in 86400-second steps: a diary last updated on Monday evening
// and opened on Wednesday morning has skipped Tuesday although fewer than 48 hours passed.
int CGastrologDoc::GetDaysSinceUpdate() const {
    const long days = calendar::DaysBetween(m_lastUpdate, GetEffectiveNow());
    // A clock behind the file has no days to offer, and a diary left longer than its history
    // holds only starts a new day.
    if (days < 0 || days > static_cast<long>(diary::HistoryLength)) return 0;
    return static_cast<int>(days);
}

bool CGastrologDoc::CheckNewDay(bool afterLists) {
    m_yesterday = false;
    const TimeValue now = GetClock().Now();
    const TimeValue effectiveNow = EffectiveTime(now, GetNewDayHour());
    const calendar::LocalDay today = calendar::DayOf(effectiveNow);
    const calendar::LocalDay lastDay = calendar::DayOf(m_lastUpdate);

    // The whole date counts: the same day of the year in another year is another day. A clock
    // moved back within the diary's current day starts nothing.
    if (today == lastDay) return false;
    if (today < lastDay) {
        // Before the file's day only because a later new-day hour was chosen: wait for it.
        // A clock set back gets its warning but starts no day: a blank day slot would only
        // push the diary's real days apart.
        if (now < m_lastUpdate) Ui().Notify(ClockBehindWarning);
        return false;
    }

    if (afterLists && m_dayCount <= 0) return false;
    if (!Ui().AskYesNo(afterLists ? NewDayAfterListsQuestion : NewDayQuestion)) {
        m_yesterday = true;
        return false;
    }
    m_lastUpdate = effectiveNow;
    ++m_dayCount;
    return true;
}

// Day i of the loop is the date i days after the last recorded day; the last one is
// yesterday. The day that follows them is started by CheckNewDay.
void CGastrologDoc::OfferSkippedDays(int count) {
    if (count <= 0) return;
    if (!Ui().AskYesNo(SkippedDaysQuestion(count))) return;
    const int daysSinceUpdate = GetDaysSinceUpdate();
    const int daysRolled = EnterSkippedDays(*this, Ui(), count);
    // Every day rolled in is a lived day, as one started by CheckNewDay is: the day count
    // says how many of the day slots the diary has lived.
    m_dayCount += daysRolled;
    // The diary now stands on the last day rolled in. Should the user decline the new day, the
    // next opening must not offer the days just entered once more.
    if (daysRolled > 0 && daysSinceUpdate - daysRolled >= 1)
        m_lastUpdate = calendar::DaysEarlier(GetEffectiveNow(), daysSinceUpdate - daysRolled);
}

// The date of the day slot being entered: the current slot is the day last started, whatever
// the clock says now (it may stand behind that day, or a day past it while the program stayed
// open); skipped day i is the i-th date after it.
std::string CGastrologDoc::GetDayLabel(int dayIndex) const {
    if (m_yesterday) return std::string(YesterdayLabel);
    return "on " + calendar::Format(calendar::DaysEarlier(m_lastUpdate, -dayIndex), DayLabelFormat);
}

TimeValue CGastrologDoc::ListsDay() const {
    return m_listsDay.value_or(calendar::DaysEarlier(m_lastUpdate, -1));
}

// m_lastUpdate holds the diary day's time: a time before the new-day hour belongs to the date
// before. The moment itself was a calendar day later.
TimeValue CGastrologDoc::GetLastUpdateMoment() const {
    return calendar::HourOf(m_lastUpdate) < GetNewDayHour()
               ? calendar::DaysEarlier(m_lastUpdate, -1)
               : m_lastUpdate;
}

// Every history moves on by one slot; the new day starts "no change" and "not eaten"
// everywhere, in the records and in the lists the dialogs open with.
void CGastrologDoc::StartNewDay() {
    const lived::LivedDay leaving = lived::DayOfSlot(*this, 0);
    m_history.Roll(&leaving, lived::DateOf(calendar::DayOf(m_lastUpdate)));
    RollSymptomHistories();
    RollFoodHistories();
    RebuildSymptomLines();
    RebuildDayList(0);
    UpdateAllViews();
}

// ---- committing the dialogs

bool CGastrologDoc::UpdateSymptoms(bool fromCommand, int dayIndex) {
    StringList lines = m_symptomLines;
    return UpdateSymptoms(fromCommand, dayIndex, lines);
}

bool CGastrologDoc::UpdateSymptoms(bool fromCommand, int dayIndex, StringList& lines) {
    if (!Ui().ShowSymptomDialog(GetDayLabel(dayIndex), lines)) return false;
    m_symptomLines = std::move(lines);
    CommitSymptomEntries(m_symptomLines, m_symptoms);
    CommitSymptomDeletions(m_symptomLines, m_symptoms);
    SetModifiedFlag(true);
    UpdateAllViews();
    if (!m_symptomLines.empty()) m_nextAction = command::CreateDayList;
    // A diary without a file: the path, not the title, tells (a file may be named "Untitled").
    // A restored copy is no new user's file; its title already shows it is not saved.
    if (fromCommand && Host().GetPathName().empty() && !m_restoredCopy) Ui().Notify(SaveReminder);
    return true;
}

bool CGastrologDoc::CreateDayList(int dayIndex) {
    RebuildDayList(0);
    StringList masterList = m_foodNames;
    StringList dayList = m_dayList;
    return CreateDayList(dayIndex, masterList, dayList);
}

bool CGastrologDoc::CreateDayList(int dayIndex, StringList& masterList, StringList& dayList) {
    if (!Ui().ShowDayListDialog(GetDayLabel(dayIndex), masterList, dayList)) return false;
    m_foodNames = std::move(masterList);
    m_dayList = std::move(dayList);
    CommitDayListEntries(m_dayList, m_foods);
    CommitFoodMarks(m_foodNames, m_foods);
    SetModifiedFlag(true);
    UpdateAllViews();
    if (!m_foodNames.empty()) m_nextAction = command::UpdateConnections;
    return true;
}

// ---- new and open

bool CGastrologDoc::OnNewDocument() {
    DeleteContents();
    Host().SetPathName("");
    SetModifiedFlag(false);
    m_dayCount = 0;
    // Nothing of the diary that was open before carries over into a new one: not its day,
    // not a declined new day, not its generated lists. A new diary's first day is the day it
    // is made, so its first evening's lists start no second day slot.
    m_lastUpdate = GetEffectiveNow();
    m_history.StartNew(lived::DateOf(calendar::DayOf(m_lastUpdate)));
    m_yesterday = false;
    m_restoredCopy = false;
    m_exclusions.clear();
    m_inclusions.clear();
    m_over50Days.clear();
    m_relateSymptoms.clear();
    m_relateBest.clear();
    m_relateWorst.clear();
    if (m_hidden.empty())
        for (std::string_view name : HiddenUnitNames) m_hidden.emplace_back(std::string(name));
    m_nextAction = command::UpdateSymptoms;
    UpdateAllViews();
    return true;
}

// The file is read into a scratch document first, so a file that cannot be read leaves the
// diary that was open exactly as it was.
bool CGastrologDoc::ReadStoredFile(const std::string& path) {
    DocumentPorts scratchPorts;
    scratchPorts.files = &Files();
    scratchPorts.clock = m_ports.clock;  // a damaged history is set aside under today's date
    scratchPorts.settings = m_ports.settings;
    CGastrologDoc incoming(scratchPorts);
    const FileResult read = incoming.ReadFile(path);
    if (!read.Succeeded()) {
        Ui().ReportError(read.Message());
        return false;
    }
    incoming.LoadHistory(path);
    // What the file holds replaces the diary; the generated lists belonged to the one before.
    DeleteContents();
    AdoptStoredDiary(incoming.TakeStoredDiary());
    m_knownFile = incoming.m_knownFile;
    m_restoredCopy = false;
    m_yesterday = false;
    m_history = std::move(incoming.m_history);
    Host().SetPathName(path);
    SetModifiedFlag(false);
    UpdateAllViews();
    if (const std::string notice = m_history.TakeNotice(); !notice.empty()) Ui().Notify(notice);
    return true;
}

// The name lists as the records stand, then the views.
void CGastrologDoc::ShowStoredDiary() {
    RebuildDayList(0);
    RebuildFoodNames();
    RebuildSymptomLines();
    if (m_nextAction != command::CreateDayList) m_nextAction = command::UpdateSymptoms;
    UpdateAllViews();
}

bool CGastrologDoc::OnOpenDocument(const std::string& path) {
    if (!ReadStoredFile(path)) return false;
    m_dayStartedOnOpening = false;
    if (path.find(ExampleFileName) == std::string::npos) {
        OfferSkippedDays(GetDaysSinceUpdate() - 1);
        if (CheckNewDay(false)) {
            StartNewDay();
            m_dayStartedOnOpening = true;
        } else {
            m_nextAction = command::CreateDayList;
        }
    } else {
        Ui().Inform(ExampleFileNotice);
    }
    ShowStoredDiary();
    return true;
}

bool CGastrologDoc::OpenStored(const std::string& path) {
    if (!ReadStoredFile(path)) return false;
    m_nextAction = command::UpdateSymptoms;
    ShowStoredDiary();
    return true;
}

bool CGastrologDoc::OpenStoredCopy(const std::string& path) {
    if (!OpenStored(path)) return false;
    Host().SetPathName("");
    m_restoredCopy = true;
    SetModifiedFlag(true);
    UpdateAllViews();
    return true;
}

// ---- the Action commands

void CGastrologDoc::OnUpdateSymptoms() {
    UpdateSymptoms(true, 0);
}

void CGastrologDoc::OnCreateDayList() {
    CreateDayList(0);
}

bool CGastrologDoc::OnUpdateUpdateSymptoms() const {
    return m_nextAction == command::UpdateSymptoms || OnUpdateCreateDayList();
}

bool CGastrologDoc::OnUpdateCreateDayList() const {
    return m_nextAction == command::CreateDayList || OnUpdateUpdateConnections();
}

bool CGastrologDoc::OnUpdateUpdateConnections() const {
    return m_nextAction == command::UpdateConnections || OnUpdateGenerateTomorrowsLists();
}

bool CGastrologDoc::OnUpdateGenerateTomorrowsLists() const {
    return m_nextAction == command::GenerateTomorrowsLists;
}

bool CGastrologDoc::OnUpdateGenerateCurrentLists() const {
    return m_dayCount > 1;
}

bool CGastrologDoc::OnUpdateRelateFoodsToSymptoms() const {
    return m_dayCount > 10;
}

bool CGastrologDoc::IsActionEnabled(int commandId) const {
    switch (commandId) {
        case command::Today:  // the Today window rates the symptoms first
        case command::UpdateSymptoms:
            return OnUpdateUpdateSymptoms();
        case command::CreateDayList:
            return OnUpdateCreateDayList();
        case command::UpdateConnections:
            return OnUpdateUpdateConnections();
        case command::GenerateTomorrowsLists:
            return OnUpdateGenerateTomorrowsLists();
        case command::GenerateCurrentLists:
            return OnUpdateGenerateCurrentLists();
        case command::RelateFoodsToSymptoms:
            return OnUpdateRelateFoodsToSymptoms();
        default:
            return false;
    }
}
