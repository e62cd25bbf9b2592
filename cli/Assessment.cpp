#include "cli/Assessment.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <ostream>

#include "cli/Simulation.h"
#include "cli/TextTable.h"
#include "diary/GastrologDoc.h"
#include "engine/Evidence.h"
#include "engine/EvidenceWords.h"
#include "engine/ListGeneration.h"
#include "engine/Relationships.h"

namespace {

constexpr int MostSeeds = 10000;
using relationships::NotFound;

// One thing a reading named: a food (for the lists, whatever the symptom) or a food's link
// with a symptom in one direction.
struct Verdict {
    std::string food;
    std::string symptom;  // empty for the lists
    bool worse = true;
};

bool IsLinked(const std::vector<PlantedTrigger>& triggers, const std::string& food) {
    return std::any_of(triggers.begin(), triggers.end(),
                       [&](const PlantedTrigger& trigger) { return trigger.food == food; });
}

bool Matches(const Verdict& verdict, const PlantedTrigger& trigger) {
    return verdict.food == trigger.food && verdict.worse == trigger.worse &&
           (verdict.symptom.empty() || verdict.symptom == trigger.symptom);
}

template <class Entry>
std::vector<Verdict> ListVerdicts(const std::vector<Entry>& list, bool worse) {
    std::vector<Verdict> verdicts;
    for (const Entry& entry : list) verdicts.push_back({entry.m_name, {}, worse});
    return verdicts;
}

std::vector<Verdict> RelateVerdicts(const CGastrologDoc& doc) {
    std::vector<Verdict> verdicts;
    for (std::size_t row = 0; row < doc.RelateSymptoms().size(); ++row) {
        const std::string& symptom = doc.RelateSymptoms()[row];
        if (row < doc.RelateWorst().size() && doc.RelateWorst()[row] != NotFound)
            verdicts.push_back({doc.RelateWorst()[row], symptom, true});
        if (row < doc.RelateBest().size() && doc.RelateBest()[row] != NotFound)
            verdicts.push_back({doc.RelateBest()[row], symptom, false});
    }
    return verdicts;
}

std::vector<Verdict> EvidenceVerdicts(const CGastrologDoc& doc, const EvidenceReading& reading,
                                      bool someToo) {
    std::vector<Verdict> verdicts;
    for (const EvidenceEntry& entry : reading.entries)
        if (someToo ? IsStrongOrSome(entry.word) : entry.word == EvidenceWord::Strong)
            verdicts.push_back({doc.Foods()[static_cast<std::size_t>(entry.food)].m_name,
                                doc.Symptoms()[static_cast<std::size_t>(entry.symptom)].m_name,
                                entry.direction == EvidenceDirection::Worse});
    return verdicts;
}

// Links a reading could name: the lists name foods in one direction only.
bool Nameable(AssessedReading reading, const PlantedTrigger& trigger) {
    if (reading == AssessedReading::Exclusions) return trigger.worse;
    if (reading == AssessedReading::Inclusions) return !trigger.worse;
    return true;
}

void Tally(AssessedReading reading, const std::vector<Verdict>& verdicts,
           const std::vector<PlantedTrigger>& triggers, ReadingTally& tally) {
    for (const PlantedTrigger& trigger : triggers) {
        if (!Nameable(reading, trigger)) continue;
        ++tally.links;
        if (std::any_of(verdicts.begin(), verdicts.end(),
                        [&](const Verdict& verdict) { return Matches(verdict, trigger); }))
            ++tally.linksFound;
    }
    for (const Verdict& verdict : verdicts) {
        ++tally.verdicts;
        if (std::any_of(triggers.begin(), triggers.end(),
                        [&](const PlantedTrigger& trigger) { return Matches(verdict, trigger); }))
            ++tally.trueVerdicts;
        else if (!IsLinked(triggers, verdict.food))
            ++tally.harmlessVerdicts;
    }
    if (!verdicts.empty()) ++tally.diariesWithVerdict;
}

void AssessDiary(CGastrologDoc& doc, const std::vector<PlantedTrigger>& triggers,
                 ReadingTallies& tallies, Assessment& assessment) {
    // The lists judged are generated here, from the diary as it ends.
    doc.SetGeneratedLists(GenerateLists(doc));
    doc.SetRelationships(ComputeRelationships(doc));
    const EvidenceReading reading = ReadEvidence(doc);
    const auto at = [&](AssessedReading which) -> ReadingTally& {
        return tallies[static_cast<std::size_t>(which)];
    };
    Tally(AssessedReading::Exclusions, ListVerdicts(doc.Exclusions(), true), triggers,
          at(AssessedReading::Exclusions));
    Tally(AssessedReading::Inclusions, ListVerdicts(doc.Inclusions(), false), triggers,
          at(AssessedReading::Inclusions));
    Tally(AssessedReading::Relate, RelateVerdicts(doc), triggers, at(AssessedReading::Relate));
    Tally(AssessedReading::EvidenceStrong, EvidenceVerdicts(doc, reading, false), triggers,
          at(AssessedReading::EvidenceStrong));
    Tally(AssessedReading::EvidenceSome, EvidenceVerdicts(doc, reading, true), triggers,
          at(AssessedReading::EvidenceSome));
    for (const PlantedTrigger& trigger : triggers) {
        if (!trigger.worse) continue;
        ++assessment.worseningFoods;
        const auto& included = doc.Inclusions();
        if (std::any_of(included.begin(), included.end(),
                        [&](const CInclusion& entry) { return entry.m_name == trigger.food; }))
            ++assessment.worseningFoodsIncluded;
    }
}

// Every simulated day saves the diary, and a save waits for the disk; a folder in memory, where
// the system has one, spares hundreds of diaries that wait. The diaries are the same.
std::string MemoryFolder() {
    std::error_code error;
    return std::filesystem::is_directory("/dev/shm", error) && ::access("/dev/shm", W_OK) == 0
               ? "/dev/shm"
               : std::string();
}

SimulationOptions DiaryOptions(const AssessmentOptions& options, int seed, bool noLinks) {
    SimulationOptions simulation;
    simulation.days = options.days;
    simulation.seed = static_cast<std::uint32_t>(seed);
    simulation.foods = options.foods;
    simulation.symptoms = options.symptoms;
    simulation.trainLastDayOnly = true;
    simulation.noLinks = noLinks;
    simulation.workingFolder = MemoryFolder();
    return simulation;
}

}  // namespace

Result CheckAssessmentOptions(const AssessmentOptions& options) {
    if (options.seeds < 1 || options.seeds > MostSeeds)
        return {Result::Code::Invalid, "--seeds must be from 1 to " + std::to_string(MostSeeds)};
    return CheckSimulationOptions(DiaryOptions(options, 1, false));
}

std::string AssessedReadingName(AssessedReading reading) {
    switch (reading) {
        case AssessedReading::Exclusions:
            return "Exclusion list";
        case AssessedReading::Inclusions:
            return "Inclusion list";
        case AssessedReading::Relate:
            return "Relate Foods to Symptoms";
        case AssessedReading::EvidenceStrong:
            return "Evidence \"strong\"";
        case AssessedReading::EvidenceSome:
            return "Evidence \"strong\" or \"some\"";
    }
    return {};
}

Result RunAssessment(const AssessmentOptions& options, Assessment& assessment,
                     const std::function<void(int, int)>& progress) {
    if (Result problem = CheckAssessmentOptions(options); !problem.IsOk()) return problem;
    assessment = {};
    for (int seed = 1; seed <= options.seeds; ++seed) {
        for (const bool noLinks : {false, true}) {
            DiarySimulation simulation(DiaryOptions(options, seed, noLinks));
            if (const Result failure = simulation.Run(); !failure.IsOk())
                return {failure.GetCode(),
                        "seed " + std::to_string(seed) + ": " + failure.Message()};
            // Without links there are no triggers, so every verdict is on a harmless food.
            AssessDiary(simulation.Doc(), simulation.Triggers(),
                        noLinks ? assessment.withoutLinks : assessment.withLinks, assessment);
        }
        ++assessment.diaries;
        if (progress) progress(seed, options.seeds);
    }
    return Result::Success();
}

void WriteAssessment(const AssessmentOptions& options, const Assessment& assessment,
                     std::ostream& out) {
    const int diaries = assessment.diaries;
    out << "Assessed on " << diaries << " simulated diaries (seeds 1 to " << options.seeds
        << ") of " << options.days << " days, " << options.foods << " foods and "
        << options.symptoms << " symptoms each.\n\n";
    out << "Diaries with planted links (a link: a food that makes a symptom worse or better the "
           "next day):\n";
    TextTable linked;
    linked.AddRow(
        {"Reading", "Links found", "Verdicts that are links", "Harmless foods named per diary"});
    for (std::size_t index = 0; index < AssessedReadingCount; ++index) {
        const ReadingTally& tally = assessment.withLinks[index];
        linked.AddRow({AssessedReadingName(static_cast<AssessedReading>(index)),
                       PercentCell(tally.linksFound, tally.links, true),
                       PercentCell(tally.trueVerdicts, tally.verdicts, true),
                       PerDiaryCell(tally.harmlessVerdicts, diaries)});
    }
    linked.Write(out, "  ");
    out << "  Foods that make a symptom worse, put in the inclusion list: "
        << PercentCell(assessment.worseningFoodsIncluded, assessment.worseningFoods, true)
        << "\n\n";

    out << "The same diaries with every link cut (the symptoms follow a diet other than the one "
           "recorded, so no food does anything):\n";
    TextTable unlinked;
    unlinked.AddRow({"Reading", "Foods named per diary", "Diaries with any named"});
    for (std::size_t index = 0; index < AssessedReadingCount; ++index) {
        const ReadingTally& tally = assessment.withoutLinks[index];
        unlinked.AddRow({AssessedReadingName(static_cast<AssessedReading>(index)),
                         PerDiaryCell(tally.verdicts, diaries),
                         PercentCell(tally.diariesWithVerdict, diaries, true)});
    }
    unlinked.Write(out, "  ");
}
