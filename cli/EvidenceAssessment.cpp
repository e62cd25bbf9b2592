#include "cli/EvidenceAssessment.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

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

std::vector<Rule> Rules() {
    EvidenceOptions plainAllDays, plainBlocks, adjusted, adjustedLater;
    plainAllDays.plain = plainBlocks.plain = true;
    plainAllDays.blocks = false;
    adjustedLater.shortestDelay = 0;
    adjustedLater.longestDelay = 3;
    return {{"Plain count, all days compared", plainAllDays},
            {"Plain count, four-week blocks", plainBlocks},
            {"Adjusted tally (blocks)", adjusted},
            {"Adjusted tally, delays 0-3", adjustedLater}};
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

int HarmlessStrong(const EvidenceWorld& world, const EvidenceReading& reading) {
    int count = 0;
    for (const EvidenceEntry& entry : reading.entries)
        if (entry.word == EvidenceWord::Strong && !IsLinkedFood(world, entry.food)) ++count;
    return count;
}

void AssessSeed(const EvidenceAssessmentOptions& options, int length, std::uint32_t seed,
                std::vector<EvidenceRuleTally>& tallies) {
    EvidenceWorldOptions world{length, seed, options.foods, options.symptoms, WorldDelays::NextDay,
                               false};
    const EvidenceWorld linked = MakeEvidenceWorld(world);
    world.noLinks = true;
    const EvidenceWorld linkFree = MakeEvidenceWorld(world);
    world.noLinks = false;
    world.delays = WorldDelays::Mixed;
    const EvidenceWorld later = MakeEvidenceWorld(world);
    const std::vector<Rule> rules = Rules();
    for (std::size_t r = 0; r < rules.size(); ++r) {
        EvidenceRuleTally& tally = tallies[r];
        const EvidenceReading reading = ReadEvidence(linked.input, rules[r].options);
        for (const WorldLink& link : linked.links) {
            if (!link.worse) continue;
            ++tally.worseningLinks;
            tally.worseningFound += Strong(reading, link);
        }
        tally.linkedDiaryFalseStrong += HarmlessStrong(linked, reading);
        const int falseStrong =
            HarmlessStrong(linkFree, ReadEvidence(linkFree.input, rules[r].options));
        tally.linkFreeStrong += falseStrong;
        tally.linkFreeDiariesWithStrong += falseStrong > 0;
        const EvidenceReading laterReading = ReadEvidence(later.input, rules[r].options);
        for (const WorldLink& link : later.links) {
            if (!link.worse || (link.delay == 1 && !link.spread)) continue;
            ++tally.laterLinks;
            tally.laterFound += Strong(laterReading, link);
        }
    }
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
    for (const int length : options.lengths) {
        std::vector<EvidenceRuleTally> tallies(assessment.rules.size());
        for (int seed = 1; seed <= options.seeds; ++seed)
            AssessSeed(options, length, static_cast<std::uint32_t>(seed), tallies);
        assessment.tallies.push_back(tallies);
    }
    return Result::Success();
}

void WriteEvidenceAssessment(const EvidenceAssessment& assessment, std::ostream& out) {
    out << "The evidence on " << assessment.diaries << " simulated diaries per length (seeds 1 to "
        << assessment.diaries
        << "): several foods act on each symptom, two making it worse and one better, of sizes "
           "0.8 to 2 noise deviations; foods come and go, symptoms have bad spells. \"Found\": "
           "read \"strong\". False \"strong\": on foods that do nothing.\n";
    for (std::size_t l = 0; l < assessment.lengths.size(); ++l) {
        out << "\n" << assessment.lengths[l] << " days:\n";
        TextTable table;
        table.AddRow({"Rule", "Next-day worsening links found", "False strong per diary",
                      "False strong per link-free diary", "Link-free diaries with one",
                      "Later links found"});
        for (std::size_t r = 0; r < assessment.rules.size(); ++r) {
            const EvidenceRuleTally& t = assessment.tallies[l][r];
            table.AddRow({assessment.rules[r], PercentCell(t.worseningFound, t.worseningLinks),
                          PerDiaryCell(t.linkedDiaryFalseStrong, assessment.diaries),
                          PerDiaryCell(t.linkFreeStrong, assessment.diaries),
                          PercentCell(t.linkFreeDiariesWithStrong, assessment.diaries),
                          PercentCell(t.laterFound, t.laterLinks)});
        }
        table.Write(out, "  ");
    }
    out << "\nLater links: in diaries where each link acts the same day, the next, two days "
           "later or spread over one to three days, the worsening links that do not act the "
           "next day alone.\n";
}
