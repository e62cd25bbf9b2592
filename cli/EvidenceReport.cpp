#include "cli/EvidenceReport.h"

#include <cstdio>
#include <ostream>

#include "cli/TextTable.h"
#include "diary/GastrologDoc.h"
#include "diary/NameRules.h"
#include "diary/Windows1252.h"
#include "engine/EvidenceWords.h"

namespace {

std::string FoodName(const CGastrologDoc& doc, int food) {
    return Windows1252ToUtf8(doc.Foods()[static_cast<std::size_t>(food)].m_name);
}

std::string SymptomName(const CGastrologDoc& doc, int symptom) {
    return Windows1252ToUtf8(doc.Symptoms()[static_cast<std::size_t>(symptom)].m_name);
}

bool Chosen(const EvidenceEntry& entry, const EvidenceReportOptions& options) {
    return options.symptom < 0 || entry.symptom == options.symptom;
}

bool Shown(const EvidenceEntry& entry, const EvidenceReportOptions& options) {
    return Chosen(entry, options) && (options.all || IsStrongOrSome(entry.word));
}

bool DefaultDelays(const EvidenceOptions& options) {
    return options.shortestDelay == 1 && options.longestDelay == 1;
}

EvidenceNames NamesOf(const CGastrologDoc& doc, const EvidenceEntry& entry) {
    return {FoodName(doc, entry.food), SymptomName(doc, entry.symptom)};
}

// The sentences of the strong and some links, worse first, each with the counts of its groups
// and blocks below it, then what to do and what "no clear link" means.
void WriteSentences(const CGastrologDoc& doc, const EvidenceReading& reading,
                    const EvidenceReportOptions& options, std::ostream& out) {
    int written = 0;
    for (const EvidenceEntry* link : RankedLinks(reading)) {
        if (!Chosen(*link, options)) continue;
        const EvidenceNames names = NamesOf(doc, *link);
        out << '\n' << EvidenceSentence(names, *link) << '\n';
        for (const EvidenceStratum& stratum : StrataOf(reading, *link))
            out << "    " << StratumSentence(names, stratum, reading.blocks > 1, link->delay)
                << '\n';
        ++written;
    }
    if (written > 0) out << '\n' << EvidenceWhatToDo << '\n';
    out << '\n' << NoClearLinkIsNotSafe << '\n';
}

// The period, the blocks and the delays when they are not the diary's plain 50 days.
void WritePeriod(const EvidenceReading& reading, std::ostream& out) {
    if (reading.livedDays > 0)
        out << "From " << lived::DateText(reading.firstDate) << " to "
            << lived::DateText(reading.lastDate) << ": " << reading.pairs << " pairs";
    if (reading.blocks > 1) out << " in " << reading.blocks << " four-week blocks";
    if (!DefaultDelays(reading.options))
        out << "; delays " << EvidenceDelaysText(reading.options) << " days";
    if (reading.livedDays > 0) out << ".\n";
}

// Two significant digits: 0.0012, 3.4e-07, 1.
std::string PText(double p) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2g", p);
    return text;
}

std::vector<std::string> Row(const CGastrologDoc& doc, const EvidenceEntry& entry,
                             bool delayColumn) {
    const std::string shares = SharedFoodNames(doc, entry);
    std::vector<std::string> cells{FoodName(doc, entry.food), SymptomName(doc, entry.symptom),
                                   std::string(EvidenceDirectionText(entry.direction))};
    if (delayColumn) cells.push_back(EvidenceDelayText(entry.delay));
    cells.insert(cells.end(),
                 {std::to_string(entry.daysEaten),
                  std::to_string(entry.nextWorse) + "/" + std::to_string(entry.nextBetter) + "/" +
                      std::to_string(entry.nextNoChange),
                  std::to_string(entry.otherDays),
                  std::to_string(entry.otherWorse) + "/" + std::to_string(entry.otherBetter),
                  PText(entry.p), std::string(EvidenceWordText(entry.word))});
    // No empty last cell, so that no line ends in blanks.
    if (!shares.empty()) cells.push_back(shares);
    return cells;
}

}  // namespace

int FindSymptom(const CGastrologDoc& doc, const std::string& name) {
    const auto wanted = Utf8ToWindows1252(name);
    if (!wanted) return -1;
    const auto& symptoms = doc.Symptoms();
    for (std::size_t index = 0; index < symptoms.size(); ++index)
        if (symptoms[index].m_name == *wanted) return static_cast<int>(index);
    for (std::size_t index = 0; index < symptoms.size(); ++index)
        if (name_rules::SameName(symptoms[index].m_name, *wanted)) return static_cast<int>(index);
    return -1;
}

std::string SharedFoodNames(const CGastrologDoc& doc, const EvidenceEntry& entry) {
    std::string names;
    for (int food : entry.sharesDaysWith)
        names += (names.empty() ? "" : ", ") + FoodName(doc, food);
    return names;
}

void WriteEvidenceText(const CGastrologDoc& doc, const EvidenceReading& reading,
                       const EvidenceReportOptions& options, std::ostream& out) {
    const bool plain = reading.options.plain;
    out << EvidenceExplanation(plain) << "\n\n";
    out << "Lived days: " << reading.livedDays << ".\n";
    if (!plain) {
        WritePeriod(reading, out);
        WriteSentences(doc, reading, options, out);
    }
    const bool delayColumn = !DefaultDelays(reading.options);
    TextTable table;
    std::vector<std::string> headings{"Food", "Symptom", "Next day"};
    if (delayColumn) headings.push_back("Delay");
    headings.insert(headings.end(),
                    {"Days eaten", "Next worse/better/same", "Other days", "Other worse/better",
                     "p", "Evidence", "Shares its days with"});
    table.AddRow(headings);
    int rows = 0;
    for (const EvidenceEntry& entry : reading.entries)
        if (Shown(entry, options)) {
            table.AddRow(Row(doc, entry, delayColumn));
            ++rows;
        }
    if (rows == 0) {
        out << (options.all ? "Nothing to show: the diary holds no foods or no symptoms.\n"
                            : "No food shows strong or some evidence (--all lists every food).\n");
        return;
    }
    out << '\n';
    table.Write(out);
}

Json EvidenceToJson(const CGastrologDoc& doc, const EvidenceReading& reading,
                    const EvidenceReportOptions& options) {
    Json entries = Json::array();
    for (const EvidenceEntry& entry : reading.entries) {
        if (!Chosen(entry, options)) continue;
        Json shares = Json::array();
        for (int food : entry.sharesDaysWith) shares.push_back(FoodName(doc, food));
        Json item;
        item["food"] = FoodName(doc, entry.food);
        item["symptom"] = SymptomName(doc, entry.symptom);
        item["direction"] = std::string(EvidenceDirectionText(entry.direction));
        item["days_eaten"] = entry.daysEaten;
        item["next_worse"] = entry.nextWorse;
        item["next_better"] = entry.nextBetter;
        item["next_no_change"] = entry.nextNoChange;
        item["other_days"] = entry.otherDays;
        item["other_worse"] = entry.otherWorse;
        item["other_better"] = entry.otherBetter;
        item["p"] = entry.p;
        item["word"] = std::string(EvidenceWordText(entry.word));
        item["shares_days_with"] = std::move(shares);
        if (!reading.options.plain) {  // the plain count's JSON stays as it always was
            item["delay"] = entry.delay;
            item["comparable_days"] = entry.comparableDays;
            item["comparable_outcome"] = entry.comparableOutcome;
        }
        entries.push_back(std::move(item));
    }
    Json result;
    result["lived_days"] = reading.livedDays;
    if (!reading.options.plain) {
        result["rule"] = "adjusted";
        result["pairs"] = reading.pairs;
        result["blocks"] = reading.blocks;
        result["delays"] = EvidenceDelaysText(reading.options);
        if (reading.livedDays > 0) {
            result["from"] = lived::DateText(reading.firstDate);
            result["to"] = lived::DateText(reading.lastDate);
        }
    }
    result["entries"] = std::move(entries);
    return result;
}
