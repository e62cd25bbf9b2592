#pragma once
// A realistic diary made by living through it: a simulated person (SimulatedUser) works
// through the real daily cycle of the document day after day, with a clock that moves one
// day at a time. Each day they open the diary (answering Yes to the new day), rate their
// symptoms, enter the day's foods, update the connections, generate tomorrow's lists and
// save. Their diet and their symptoms follow SimulatedDiet and SymptomModel, with a few
// hidden trigger foods.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cli/SymptomModel.h"
#include "diary/Ports.h"
#include "diary/Result.h"

class CGastrologDoc;

struct SimulationOptions {
    int days = 60;
    std::uint32_t seed = 1;
    int foods = 30;
    int symptoms = 5;
    std::string startDate = "2025-01-06";  // the first day, YYYY-MM-DD; each day at 20:00
    // Update Connections on the first and the last day only. The saved diary is the same:
    // every training starts afresh from the stored history, and the simulated person does
    // not read the lists in between.
    bool trainLastDayOnly = false;
    // The symptoms follow a second, unrecorded diet drawn alongside the recorded one, so no
    // recorded food does anything: the recorded foods are those of the same seed with links.
    bool noLinks = false;
    // Where the diary is saved and opened day by day; empty for the system's temporary folder.
    std::string workingFolder;
};

// Refuses options that cannot be simulated, with the problem in a sentence.
Result CheckSimulationOptions(const SimulationOptions& options);

// What the simulated person ate and felt on one day.
struct SimulatedDay {
    TimeValue evening = 0;
    std::vector<std::string> foods;
    std::vector<char> ratings;  // per symptom in order; none on the first day
};

class DiarySimulation {
public:
    explicit DiarySimulation(const SimulationOptions& options);
    ~DiarySimulation();
    DiarySimulation(const DiarySimulation&) = delete;
    DiarySimulation& operator=(const DiarySimulation&) = delete;

    // The foods that act on a symptom; none in a diary without links.
    const std::vector<PlantedTrigger>& Triggers() const;
    // Lives through every day, or stops at the first day that fails.
    Result Run();
    // The diary as the last day left it: trained, with tomorrow's lists generated.
    CGastrologDoc& Doc();
    TimeValue FirstDay() const;
    TimeValue LastDay() const;
    // The days lived so far, first day first.
    const std::vector<SimulatedDay>& Journal() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};
