#include "cli/EvidenceReport.h"

#include <cstdio>
#include <ostream>

#include "cli/TextTable.h"
#include "diary/GastrologDoc.h"
#include "diary/NameRules.h"
#include "diary/Windows1252.h"

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
    return Chosen(entry, options) &&
           (options.all || entry.word == EvidenceWord::Strong || entry.word == EvidenceWord::Some);
}

// Two significant digits: 0.0012, 3.4e-07, 1.
std::string PText(double p) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2g", p);
    return text;
}

std::vector<std::string> Row(const CGastrologDoc& doc, const EvidenceEntry& entry) {
    const std::string shares = SharedFoodNames(doc, entry);
    std::vector<std::string> cells{
        FoodName(doc, entry.food),
        SymptomName(doc, entry.symptom),
        std::string(EvidenceDirectionText(entry.direction)),
        std::to_string(entry.daysEaten),
        std::to_string(entry.nextWorse) + "/" + std::to_string(entry.nextBetter) + "/" +
            std::to_string(entry.nextNoChange),
        std::to_string(entry.otherDays),
        std::to_string(entry.otherWorse) + "/" + std::to_string(entry.otherBetter),
        PText(entry.p),
        std::string(EvidenceWordText(entry.word))};
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
    out << EvidenceExplanation << "\n\n";
    out << "Lived days: " << reading.livedDays << ".\n";
    TextTable table;
    table.AddRow({"Food", "Symptom", "Next day", "Days eaten", "Next worse/better/same",
                  "Other days", "Other worse/better", "p", "Evidence", "Shares its days with"});
    int rows = 0;
    for (const EvidenceEntry& entry : reading.entries)
        if (Shown(entry, options)) {
            table.AddRow(Row(doc, entry));
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
        entries.push_back(std::move(item));
    }
    Json result;
    result["lived_days"] = reading.livedDays;
    result["entries"] = std::move(entries);
    return result;
}
