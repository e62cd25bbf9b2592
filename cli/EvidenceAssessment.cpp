#include "cli/EvidenceAssessment.h"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <string>
#include <utility>

#include "cli/EvidenceWorld.h"
#include "cli/TextTable.h"
#include "engine/Evidence.h"

namespace {

constexpr int MostSeeds = 10000;
constexpr int LongestLength = 3000;

struct Rule {
    const char* name;
    EvidenceOptions options;
};

constexpr std::size_t DefaultRule = 3;            // the adjusted tally, the day after
constexpr int DiariesPerAllowedFalseStrong = 10;  // the goal: at most 0.1 per diary

// The p values behind one rule's words, for the threshold calibrated on other seeds.
struct RulePValues {
    std::vector<double> clearLinks;  // of the clear worsening links
    std::vector<double> linkFree;    // of every reading of a link-free diary
};

std::vector<Rule> Rules() {
    EvidenceOptions plainAllDays, plain, plainLater, adjusted, adjustedLater;
    plainAllDays.plain = plain.plain = plainLater.plain = true;
    plainAllDays.blocks = false;
    for (EvidenceOptions* later : {&plainLater, &adjustedLater}) {
        later->shortestDelay = 0;
        later->longestDelay = 3;
    }
    return {{"Plain, all days", plainAllDays},
            {"Plain", plain},
            {"Plain, delays 0-3", plainLater},
            {"Adjusted", adjusted},
            {"Adjusted, delays 0-3", adjustedLater}};
}

bool IsLinkedFood(const EvidenceWorld& world, int food) {
    return std::any_of(world.links.begin(), world.links.end(),
                       [&](const WorldLink& link) { return link.food == food; });
}

bool Strong(const EvidenceReading& reading, const WorldLink& link) {
    return std::any_of(reading.entries.begin(), reading.entries.end(), [&](const EvidenceEntry& e) {
        return e.food == link.food && e.symptom == link.symptom &&
               (e.direction == EvidenceDirection::Worse) == link.worse &&
               e.word == EvidenceWord::Strong;
    });
}

// "strong" on foods without a link, and of them on foods that ride with a linked one.
std::pair<int, int> HarmlessStrong(const EvidenceWorld& world, const EvidenceReading& reading) {
    int harmless = 0, riders = 0;
    for (const EvidenceEntry& entry : reading.entries)
        if (entry.word == EvidenceWord::Strong && !IsLinkedFood(world, entry.food)) {
            ++harmless;
            riders += RidesWithLinkedFood(world, entry.food);
        }
    return {harmless, riders};
}

struct SeedWorlds {
    EvidenceWorld linked, linkFree, steady, later;
};

SeedWorlds WorldsOf(const EvidenceAssessmentOptions& options, int length, std::uint32_t seed) {
    EvidenceWorldOptions world{length, seed, options.foods, options.symptoms, WorldDelays::NextDay,
                               false,  false};
    SeedWorlds worlds;
    worlds.linked = MakeEvidenceWorld(world);
    world.noLinks = true;
    worlds.linkFree = MakeEvidenceWorld(world);
    world.steady = true;
    worlds.steady = MakeEvidenceWorld(world);
    world.noLinks = world.steady = false;
    world.delays = WorldDelays::Mixed;
    worlds.later = MakeEvidenceWorld(world);
    return worlds;
}

double POf(const EvidenceReading& reading, const WorldLink& link) {
    for (const EvidenceEntry& e : reading.entries)
        if (e.food == link.food && e.symptom == link.symptom &&
            (e.direction == EvidenceDirection::Worse) == link.worse)
            return e.p;
    return 1.0;
}

void AddLinkFreePValues(const EvidenceReading& reading, std::vector<double>& values) {
    for (const EvidenceEntry& entry : reading.entries) values.push_back(entry.p);
}

void TallyLinked(const EvidenceWorld& world, const EvidenceReading& reading,
                 EvidenceRuleTally& tally, RulePValues& values) {
    for (const WorldLink& link : world.links) {
        if (!link.worse) continue;
        const bool found = Strong(reading, link);
        ++tally.worseningLinks;
        tally.worseningFound += found;
        if (!IsClearLink(world, link)) continue;
        ++tally.clearLinks;
        tally.clearFound += found;
        values.clearLinks.push_back(POf(reading, link));
    }
    const auto [harmless, riders] = HarmlessStrong(world, reading);
    tally.linkedDiaryFalseStrong += harmless;
    tally.riderStrong += riders;
}

void AssessSeed(const EvidenceAssessmentOptions& options, int length, std::uint32_t seed,
                std::vector<EvidenceRuleTally>& tallies, std::vector<RulePValues>& values) {
    const SeedWorlds worlds = WorldsOf(options, length, seed);
    const std::vector<Rule> rules = Rules();
    for (std::size_t r = 0; r < rules.size(); ++r) {
        EvidenceRuleTally& tally = tallies[r];
        TallyLinked(worlds.linked, ReadEvidence(worlds.linked.input, rules[r].options), tally,
                    values[r]);
        const EvidenceReading linkFree = ReadEvidence(worlds.linkFree.input, rules[r].options);
        AddLinkFreePValues(linkFree, values[r].linkFree);
        const int falseStrong = HarmlessStrong(worlds.linkFree, linkFree).first;
        tally.linkFreeStrong += falseStrong;
        tally.linkFreeDiariesWithStrong += falseStrong > 0;
        tally.steadyStrong +=
            HarmlessStrong(worlds.steady, ReadEvidence(worlds.steady.input, rules[r].options))
                .first;
        const EvidenceReading laterReading = ReadEvidence(worlds.later.input, rules[r].options);
        for (const WorldLink& link : worlds.later.links) {
            if (!link.worse || (link.delay == 1 && !link.spread) ||
                !IsClearLink(worlds.later, link))
                continue;
            ++tally.laterLinks;
            tally.laterFound += Strong(laterReading, link);
        }
    }
}

// The p values of every reading of a link-free diary of another seed.
void AddCalibrationPValues(const EvidenceAssessmentOptions& options, int length, std::uint32_t seed,
                           std::vector<std::vector<double>>& values) {
    EvidenceWorldOptions world{length, seed, options.foods, options.symptoms, WorldDelays::NextDay,
                               true,   false};
    const EvidenceWorld linkFree = MakeEvidenceWorld(world);
    const std::vector<Rule> rules = Rules();
    for (std::size_t r = 0; r < rules.size(); ++r)
        AddLinkFreePValues(ReadEvidence(linkFree.input, rules[r].options), values[r]);
}

// The p below which at most one reading in DiariesPerAllowedFalseStrong diaries falls.
double CalibratedThreshold(std::vector<double> values, int diaries) {
    std::sort(values.begin(), values.end());
    const auto allowed = static_cast<std::size_t>(diaries / DiariesPerAllowedFalseStrong);
    return allowed < values.size() ? values[allowed] : 1.0;
}

int CountBelow(const std::vector<double>& values, double threshold) {
    return static_cast<int>(
        std::count_if(values.begin(), values.end(), [&](double p) { return p < threshold; }));
}

// Every rule at one length, with the threshold calibrated on seeds N + 1 to 2N.
std::vector<EvidenceRuleTally> TallyLength(const EvidenceAssessmentOptions& options, int length,
                                           std::size_t rules) {
    std::vector<EvidenceRuleTally> tallies(rules);
    std::vector<RulePValues> values(rules);
    std::vector<std::vector<double>> calibration(rules);
    for (int seed = 1; seed <= options.seeds; ++seed) {
        AssessSeed(options, length, static_cast<std::uint32_t>(seed), tallies, values);
        AddCalibrationPValues(options, length, static_cast<std::uint32_t>(options.seeds + seed),
                              calibration);
    }
    for (std::size_t r = 0; r < rules; ++r) {
        EvidenceRuleTally& tally = tallies[r];
        tally.calibratedStrongBelow = CalibratedThreshold(calibration[r], options.seeds);
        tally.clearFoundCalibrated = CountBelow(values[r].clearLinks, tally.calibratedStrongBelow);
        tally.linkFreeStrongCalibrated =
            CountBelow(values[r].linkFree, tally.calibratedStrongBelow);
    }
    return tallies;
}

std::string Number(double value, const char* format) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string PerDiary(int count, int diaries) {
    return Number(diaries > 0 ? static_cast<double>(count) / diaries : 0.0, "%.2f");
}

struct FigureRow {
    const char* label;
    std::string (*cell)(const EvidenceRuleTally& tally, int diaries);
};

// The figures of one length, a row each.
constexpr FigureRow FigureRows[] = {
    {"Clear worsening links found",
     [](const EvidenceRuleTally& t, int) { return PercentCell(t.clearFound, t.clearLinks); }},
    {"All worsening links found",
     [](const EvidenceRuleTally& t, int) {
         return PercentCell(t.worseningFound, t.worseningLinks);
     }},
    {"False strong, diary with links",
     [](const EvidenceRuleTally& t, int d) { return PerDiary(t.linkedDiaryFalseStrong, d); }},
    {"  of them on riders",
     [](const EvidenceRuleTally& t, int d) { return PerDiary(t.riderStrong, d); }},
    {"False strong, link-free diary",
     [](const EvidenceRuleTally& t, int d) { return PerDiary(t.linkFreeStrong, d); }},
    {"Link-free diaries with one",
     [](const EvidenceRuleTally& t, int d) { return PercentCell(t.linkFreeDiariesWithStrong, d); }},
    {"False strong, steady diary",
     [](const EvidenceRuleTally& t, int d) { return PerDiary(t.steadyStrong, d); }},
    {"Clear later links found",
     [](const EvidenceRuleTally& t, int) { return PercentCell(t.laterFound, t.laterLinks); }},
    {"For 0.1 false strong: p below",
     [](const EvidenceRuleTally& t, int) { return Number(t.calibratedStrongBelow, "%.2g"); }},
    {"  clear links found at it",
     [](const EvidenceRuleTally& t, int) {
         return PercentCell(t.clearFoundCalibrated, t.clearLinks);
     }},
    {"  false strong, link-free",
     [](const EvidenceRuleTally& t, int d) { return PerDiary(t.linkFreeStrongCalibrated, d); }},
};

void WriteLengthTable(const EvidenceAssessment& assessment,
                      const std::vector<EvidenceRuleTally>& tallies, std::ostream& out) {
    TextTable table;
    std::vector<std::string> heading{""};
    for (const std::string& rule : assessment.rules) heading.push_back(rule);
    table.AddRow(heading);
    for (const FigureRow& row : FigureRows) {
        std::vector<std::string> cells{row.label};
        for (const EvidenceRuleTally& tally : tallies)
            cells.push_back(row.cell(tally, assessment.diaries));
        table.AddRow(cells);
    }
    table.Write(out, "  ");
}

void WriteExplanation(const EvidenceAssessment& assessment, std::ostream& out) {
    out << "\n\"Found\": read \"strong\". Clear links: at least " << ClearLinkSize
        << " noise deviation, the food eaten on at least " << ClearLinkPairs
        << " of the pairs of days and left out on at least " << ClearLinkPairs
        << "; all links: every next-day worsening link planted. False strong: on foods without "
           "a link, per diary; riders: foods mostly eaten with a linked food. Link-free diaries: "
           "the same days with every link cut. Steady diaries: link-free, without bad spells, "
           "foods that come and go or foods eaten together: what luck alone gives among the "
           "diary's readings (foods x symptoms x two directions). Later links: in diaries where "
           "each link acts the same day, the next, two days later or spread over one to three "
           "days, the clear worsening links that do not act the next day alone. For 0.1 false "
           "strong: the p below which \"strong\" would have to lie for at most 0.1 false "
           "\"strong\" per link-free diary, calibrated on the link-free diaries of seeds "
        << assessment.diaries + 1 << " to " << 2 * assessment.diaries
        << " (the words themselves stay at p below 0.001), and the clear links found and false "
           "\"strong\" per link-free diary at that threshold on the seeds above.\n";
}

}  // namespace

bool ParseAssessedLengths(const std::string& text, std::vector<int>& lengths) {
    std::vector<int> read;
    int value = -1;
    for (const char c : text + "/") {
        if (c >= '0' && c <= '9') {
            value = (value < 0 ? 0 : value) * 10 + (c - '0');
            if (value > LongestLength) return false;
        } else if ((c == '/' || c == ',') && value >= 2) {
            read.push_back(value);
            value = -1;
        } else {
            return false;
        }
    }
    if (read.empty()) return false;
    lengths = read;
    return true;
}

Result RunEvidenceAssessment(const EvidenceAssessmentOptions& options,
                             EvidenceAssessment& assessment) {
    if (options.seeds < 1 || options.seeds > MostSeeds)
        return {Result::Code::Invalid, "--seeds must be from 1 to " + std::to_string(MostSeeds)};
    if (options.foods < 5 || options.foods > 1000 || options.symptoms < 1 || options.symptoms > 50)
        return {Result::Code::Invalid,
                "--foods must be from 5 to 1000 and --symptoms from 1 to 50"};
    assessment = {};
    assessment.diaries = options.seeds;
    assessment.lengths = options.lengths;
    for (const Rule& rule : Rules()) assessment.rules.push_back(rule.name);
    for (const int length : options.lengths)
        assessment.tallies.push_back(TallyLength(options, length, assessment.rules.size()));
    return Result::Success();
}

std::vector<EvidenceGoal> EvidenceGoals(const EvidenceAssessment& assessment) {
    std::vector<EvidenceGoal> goals;
    for (std::size_t l = 0; l < assessment.lengths.size(); ++l) {
        if (assessment.tallies[l].size() <= DefaultRule) continue;
        const int length = assessment.lengths[l];
        const EvidenceRuleTally& t = assessment.tallies[l][DefaultRule];
        const std::string days = std::to_string(length) + " days: ";
        const int foundGoal = length == 50 ? 50 : length == 180 ? 75 : 0;
        if (foundGoal > 0 && t.clearLinks > 0) {
            const double found = 100.0 * t.clearFound / t.clearLinks;
            goals.push_back(
                {days + "at least " + std::to_string(foundGoal) +
                     " % of clear worsening links \"strong\": " + Number(found, "%.0f") + " %",
                 found >= foundGoal});
        }
        const double linkFree = static_cast<double>(t.linkFreeStrong) / assessment.diaries;
        const double linked = static_cast<double>(t.linkedDiaryFalseStrong) / assessment.diaries;
        goals.push_back({days + "false \"strong\" at most 0.10 per link-free diary: " +
                             PerDiary(t.linkFreeStrong, assessment.diaries),
                         linkFree <= 0.1});
        goals.push_back({days + "false \"strong\" at most 0.10 per diary with links: " +
                             PerDiary(t.linkedDiaryFalseStrong, assessment.diaries),
                         linked <= 0.1});
    }
    return goals;
}

void WriteEvidenceAssessment(const EvidenceAssessment& assessment, std::ostream& out) {
    out << "The evidence on " << assessment.diaries << " simulated diaries per length (seeds 1 to "
        << assessment.diaries
        << "): several foods act on each symptom, two making it worse and one better, of sizes "
           "0.8 to 2 noise deviations; foods come and go, symptoms have bad spells, some foods "
           "are mostly eaten with another. Each column is a rule: the plain count (all days "
           "compared, or in four-week blocks) and the adjusted tally, the day after or with "
           "delays 0-3.\n";
    for (std::size_t l = 0; l < assessment.lengths.size(); ++l) {
        out << "\n" << assessment.lengths[l] << " days:\n";
        WriteLengthTable(assessment, assessment.tallies[l], out);
    }
    WriteExplanation(assessment, out);
    const std::vector<EvidenceGoal> goals = EvidenceGoals(assessment);
    if (goals.empty()) return;
    out << "\nGoals for the adjusted tally, the day after:\n";
    for (const EvidenceGoal& goal : goals)
        out << "  " << goal.text << (goal.met ? " (met)" : " (not met)") << "\n";
}
