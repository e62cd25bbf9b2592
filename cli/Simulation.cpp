#include "cli/Simulation.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "cli/SimulatedDiet.h"
#include "cli/SimulatedUser.h"
#include "diary/GastrologDoc.h"
#include "diary/HistoryFile.h"
#include "diary/LocalTime.h"
#include "diary/QuietPorts.h"
#include "engine/EngineCommands.h"

namespace {

constexpr int EveningHour = 20;
constexpr int LongestSimulation = 3650;
constexpr int LargestDiet = 2000;
// Seeds the unrecorded diet of a diary without links, apart from the recorded one.
constexpr std::uint32_t UnrecordedDietSeed = 0x9E3779B9u;

class SimulationClock : public Clock {
public:
    TimeValue Now() const override { return m_now; }
    void Set(TimeValue now) { m_now = now; }

private:
    TimeValue m_now = 0;
};

// The first day's evening in local time, or -1 for a date that is not YYYY-MM-DD.
TimeValue FirstEvening(const std::string& date) {
    int year = 0, month = 0, day = 0;
    char extra = 0;
    if (std::sscanf(date.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &extra) != 3) return -1;
    if (year < 1971 || year > 2090 || month < 1 || month > 12 || day < 1 || day > 31) return -1;
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = EveningHour;
    fields.tm_isdst = -1;
    const std::time_t time = std::mktime(&fields);
    if (time == static_cast<std::time_t>(-1) || fields.tm_mday != day) return -1;
    return static_cast<TimeValue>(time);
}

// Beside nothing the user owns, and never named like the example diary, whose opening skips
// the new day.
std::string WorkingFilePath(const std::string& folder) {
    static std::atomic<int> counter = 0;
    const auto name = "gastrolog-simulation-" + std::to_string(getpid()) + "-" +
                      std::to_string(counter++) + ".glg";
    const std::filesystem::path base =
        folder.empty() ? std::filesystem::temp_directory_path() : std::filesystem::path(folder);
    return (base / name).string();
}

// Treats are likelier on Friday and Saturday evenings.
bool IsWeekendEvening(TimeValue time) {
    const std::string weekday = calendar::Format(time, "%w");
    return weekday == "5" || weekday == "6";
}

// Why a simulated day could not be lived through.
Result Stopped(std::string why) {
    return {Result::Code::Simulation, std::move(why)};
}

}  // namespace

Result CheckSimulationOptions(const SimulationOptions& options) {
    if (options.days < 1 || options.days > LongestSimulation)
        return {Result::Code::Invalid,
                "--days must be from 1 to " + std::to_string(LongestSimulation)};
    if (options.foods < 1 || options.foods > LargestDiet)
        return {Result::Code::Invalid, "--foods must be from 1 to " + std::to_string(LargestDiet)};
    if (options.symptoms < 1 || options.symptoms > diary::MaximumSymptoms)
        return {Result::Code::Invalid,
                "--symptoms must be from 1 to " + std::to_string(diary::MaximumSymptoms)};
    if (FirstEvening(options.startDate) < 0)
        return {Result::Code::Invalid,
                "--start must be a date written YYYY-MM-DD, from 1971 to 2090"};
    return Result::Success();
}

struct DiarySimulation::State {
    explicit State(const SimulationOptions& chosen)
        : options(chosen),
          random(chosen.seed),
          unrecordedRandom(chosen.seed ^ UnrecordedDietSeed),
          diet(CatalogFoods(static_cast<std::size_t>(chosen.foods))),
          model(CatalogSymptoms(static_cast<std::size_t>(chosen.symptoms)),
                ChooseTriggers(diet.Foods(),
                               CatalogSymptoms(static_cast<std::size_t>(chosen.symptoms)), random)),
          firstDay(FirstEvening(chosen.startDate)),
          workingFile(WorkingFilePath(chosen.workingFolder)) {}

    Result LiveDay(int day);
    Result OpenDiary(int day);
    Result Command(int commandId, void (*handler)(CGastrologDoc&), int day);
    Result Save();

    SimulationOptions options;
    SimulationRandom random;
    SimulationRandom unrecordedRandom;  // only for a diary without links
    SimulatedDiet diet;
    SymptomModel model;
    TimeValue firstDay;
    std::string workingFile;
    MemorySettings settings;
    PlainHost host;
    SimulatedUser user;
    SilentProgress progress;
    SimulationClock clock;
    CGastrologDoc doc{DocumentPorts{&settings, &host, &user, &progress, &clock}};
    std::vector<SimulatedDay> journal;
    std::vector<std::vector<std::string>> unrecordedMenus;
    std::vector<PlantedTrigger> noTriggers;
};

Result DiarySimulation::State::Command(int commandId, void (*handler)(CGastrologDoc&), int day) {
    if (!doc.IsActionEnabled(commandId))
        return Stopped("command " + std::to_string(commandId) + " was not enabled on day " +
                       std::to_string(day + 1));
    handler(doc);
    return Result::Success();
}

Result DiarySimulation::State::Save() {
    if (doc.OnSaveDocument(workingFile)) return Result::Success();
    return Stopped(user.Errors().empty() ? "the diary could not be saved" : user.Errors().back());
}

// The first day starts a new diary with its symptoms; every later day opens the saved diary
// on the new day and rates the symptoms against yesterday.
Result DiarySimulation::State::OpenDiary(int day) {
    const auto& symptoms = model.Symptoms();
    if (day == 0) {
        doc.OnNewDocument();
        user.PlanSymptoms(symptoms, {}, {});
        return Result::Success();
    }
    if (!doc.OnOpenDocument(workingFile))
        return Stopped(user.Errors().empty() ? "the diary could not be opened"
                                             : user.Errors().back());
    const std::vector<std::string>& eatenYesterday =
        options.noLinks ? unrecordedMenus[unrecordedMenus.size() - 2]
                        : journal[journal.size() - 2].foods;
    std::vector<char> ratings = model.RateDay(eatenYesterday, random);
    user.PlanSymptoms({}, symptoms, ratings);
    journal.back().ratings = std::move(ratings);
    return Result::Success();
}

Result DiarySimulation::State::LiveDay(int day) {
    clock.Set(calendar::DaysEarlier(firstDay, -day));
    std::vector<std::string> menu = diet.DayMenu(random, IsWeekendEvening(clock.Now()));
    journal.push_back({clock.Now(), menu, {}});
    if (options.noLinks)
        unrecordedMenus.push_back(diet.DayMenu(unrecordedRandom, IsWeekendEvening(clock.Now())));
    Result result = OpenDiary(day);
    if (result.IsOk())
        result = Command(
            command::UpdateSymptoms, [](CGastrologDoc& diary) { diary.OnUpdateSymptoms(); }, day);
    // A new diary asks to be saved before anything else.
    if (result.IsOk() && day == 0) result = Save();
    user.PlanFoods(menu);
    if (result.IsOk())
        result = Command(
            command::CreateDayList, [](CGastrologDoc& diary) { diary.OnCreateDayList(); }, day);
    const bool trains = !options.trainLastDayOnly || day == 0 || day + 1 == options.days;
    if (result.IsOk() && trains) {
        result = Command(command::UpdateConnections, OnUpdateConnections, day);
        if (result.IsOk())
            result = Command(command::GenerateTomorrowsLists, OnGenerateTomorrowsLists, day);
    }
    if (result.IsOk()) result = Save();
    return result;
}

DiarySimulation::DiarySimulation(const SimulationOptions& options)
    : m_state(std::make_unique<State>(options)) {}

DiarySimulation::~DiarySimulation() {
    std::error_code ignored;
    std::filesystem::remove(m_state->workingFile, ignored);
    std::filesystem::remove(history::PathFor(m_state->workingFile), ignored);
}

const std::vector<PlantedTrigger>& DiarySimulation::Triggers() const {
    return m_state->options.noLinks ? m_state->noTriggers : m_state->model.Triggers();
}

Result DiarySimulation::Run() {
    for (int day = 0; day < m_state->options.days; ++day)
        if (Result result = m_state->LiveDay(day); !result.IsOk()) return result;
    return Result::Success();
}

CGastrologDoc& DiarySimulation::Doc() {
    return m_state->doc;
}

TimeValue DiarySimulation::FirstDay() const {
    return m_state->firstDay;
}

const std::vector<SimulatedDay>& DiarySimulation::Journal() const {
    return m_state->journal;
}

TimeValue DiarySimulation::LastDay() const {
    return calendar::DaysEarlier(m_state->firstDay, -(m_state->options.days - 1));
}
