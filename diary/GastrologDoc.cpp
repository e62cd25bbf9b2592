#include "diary/GastrologDoc.h"

#include "diary/FileSystem.h"
#include "diary/QuietPorts.h"
#include "diary/SymptomLine.h"
#include "diary/ViewSections.h"

struct CGastrologDoc::QuietDefaults {
    MemorySettings settings;
    PlainHost host;
    DecliningUserInterface ui;
    SilentProgress progress;
    SystemClock clock;
};

CGastrologDoc::CGastrologDoc(DocumentPorts ports) : m_defaults(std::make_unique<QuietDefaults>()) {
    SetPorts(ports);
}

CGastrologDoc::~CGastrologDoc() = default;

void CGastrologDoc::SetPorts(DocumentPorts ports) {
    m_ports.settings = ports.settings ? ports.settings : &m_defaults->settings;
    m_ports.host = ports.host ? ports.host : &m_defaults->host;
    m_ports.ui = ports.ui ? ports.ui : &m_defaults->ui;
    m_ports.progress = ports.progress ? ports.progress : &m_defaults->progress;
    m_ports.clock = ports.clock ? ports.clock : &m_defaults->clock;
    m_ports.files = ports.files ? ports.files : &RealFileSystem();
}

void CGastrologDoc::DeleteContents() {
    m_hidden.clear();
    m_symptoms.clear();
    m_foods.clear();
    m_dayList.clear();
    m_foodNames.clear();
    m_symptomLines.clear();
}

namespace {

void RollHistory(std::string& history) {
    if (!history.empty()) history.erase(history.begin());
    history.push_back(diary::NotEaten);  // 'n' is both "not eaten" and "no change"
}

std::string_view SuffixFor(const std::string& history) {
    return symptom_line::SuffixFor(history.empty() ? diary::NoChange : history.back());
}

}  // namespace

void CGastrologDoc::RollFoodHistories() {
    for (CFood& food : m_foods) RollHistory(food.m_history);
    SetModifiedFlag(true);
}

void CGastrologDoc::RollSymptomHistories() {
    for (CSymptom& symptom : m_symptoms) RollHistory(symptom.m_history);
    SetModifiedFlag(true);
}

void CGastrologDoc::RebuildFoodNames() {
    m_foodNames.clear();
    for (const CFood& food : m_foods) m_foodNames.push_back(food.m_name);
}

void CGastrologDoc::RebuildSymptomLines() {
    m_symptomLines.clear();
    for (const CSymptom& symptom : m_symptoms)
        m_symptomLines.push_back(symptom.m_name + std::string(SuffixFor(symptom.m_history)));
}

void CGastrologDoc::RebuildDayList(int daysBack) {
    m_dayList.clear();
    for (const CFood& food : m_foods) {
        const auto position = static_cast<long>(food.m_history.size()) - 1 - daysBack;
        if (position >= 0 && diary::IsEaten(food.m_history[static_cast<std::size_t>(position)]))
            m_dayList.push_back(food.m_name);
    }
}

int CGastrologDoc::GetLineCount() const {
    const auto count = [](const auto& list) { return static_cast<int>(list.size()); };
    int lines = 0;
    if (m_showExclusions) lines += count(m_exclusions) / 4 + 5;
    if (m_showInclusions) lines += count(m_inclusions) / 4 + 5;
    if (m_showUnclassified) lines += count(m_over50Days) / 4 + 5;
    if (m_showSymptoms) lines += count(m_symptomLines) + 5;
    if (m_showFoods) lines += count(m_foodNames) + 5;
    if (m_showHistory) lines += 10 * count(m_symptomLines) + 5;
    return lines;
}

int CGastrologDoc::GetNewDayHour() const {
    const int hour =
        Settings().GetInt(setting::Section, setting::NewDayTime, setting::DefaultNewDayHour);
    return setting::NewDayHourOrDefault(hour);
}

// ---- what the holder of the diary knows

std::string CGastrologDoc::GetTitle() const {
    return Host().GetTitle();
}

std::string CGastrologDoc::GetPathName() const {
    return Host().GetPathName();
}

void CGastrologDoc::SetPathName(const std::string& path) {
    Host().SetPathName(path);
}

TimeValue CGastrologDoc::GetNow() const {
    return GetClock().Now();
}

int CGastrologDoc::GetSetting(std::string_view name, int fallback) const {
    return Settings().GetInt(setting::Section, name, fallback);
}

// ---- the view's section switches

bool* CGastrologDoc::SectionFlag(int viewCommandId) {
    // In the order of ViewSections.
    bool* const flags[] = {&m_showInclusions, &m_showUnclassified, &m_showExclusions,
                           &m_showSymptoms,   &m_showFoods,        &m_showHistory};
    static_assert(std::size(flags) == std::size(ViewSections));
    const int index = ViewSectionIndex(viewCommandId);
    return index < 0 ? nullptr : flags[index];
}

bool CGastrologDoc::IsSectionShown(int viewCommandId) const {
    const bool* flag = const_cast<CGastrologDoc*>(this)->SectionFlag(viewCommandId);
    return flag && *flag;
}

bool CGastrologDoc::ShowSection(int viewCommandId, bool shown) {
    bool* flag = SectionFlag(viewCommandId);
    if (!flag) return false;
    *flag = shown;
    RememberSectionSwitch(viewCommandId, shown);
    // Every view recomputes its rows; the file is not concerned, so the diary is not modified.
    UpdateAllViews();
    return true;
}

// ---- the stored diary as a whole

void CGastrologDoc::ClearGeneratedLists() {
    m_exclusions.clear();
    m_inclusions.clear();
    m_over50Days.clear();
    m_listsDay.reset();
}

StoredDiaryView CGastrologDoc::StoredMembers() const {
    return {m_lastUpdate, m_dayCount, m_foodNames, m_foods, m_symptomLines, m_symptoms, m_hidden};
}

StoredDiaryMembers<false> CGastrologDoc::StoredMembersToWrite() {
    return {m_lastUpdate, m_dayCount, m_foodNames, m_foods, m_symptomLines, m_symptoms, m_hidden};
}

void CGastrologDoc::AdoptStoredDiary(StoredDiary&& diary) {
    ClearGeneratedLists();
    m_lastUpdate = diary.lastUpdate;
    m_dayCount = diary.dayCount;
    m_foodNames = std::move(diary.foodNames);
    m_foods = std::move(diary.foods);
    m_symptomLines = std::move(diary.symptomLines);
    m_symptoms = std::move(diary.symptoms);
    m_hidden = std::move(diary.hidden);
}

StoredDiary CGastrologDoc::TakeStoredDiary() {
    return {m_lastUpdate,
            m_dayCount,
            std::move(m_foodNames),
            std::move(m_foods),
            std::move(m_symptomLines),
            std::move(m_symptoms),
            std::move(m_hidden)};
}

void CGastrologDoc::ReplaceStoredDiary(StoredDiary diary) {
    DeleteContents();
    AdoptStoredDiary(std::move(diary));
    m_history.Adopt({}, m_lastUpdate, m_dayCount);
    SetModifiedFlag(true);
    UpdateAllViews();
}
