#include "cli/ListsReport.h"

#include <ostream>

#include "cli/TextTable.h"
#include "diary/GastrologDoc.h"
#include "diary/Windows1252.h"
#include "page/PageOrder.h"
#include "page/ScoreFormat.h"

namespace {

// The page shows a score multiplied by this.
constexpr double ScoreScale = 10000.0;

template <class Entry>
void WriteList(const std::vector<Entry>& entries, const char* singular, const char* plural,
               std::ostream& out) {
    if (entries.empty()) return;  // as on the page: an empty list has no title
    out << ListTitle(entries.size(), singular, plural) << '\n';
    for (const Entry& entry : entries) out << "  " << Windows1252ToUtf8(entry.m_name) << '\n';
    out << '\n';
}

template <class Entry>
Json Names(const std::vector<Entry>& entries) {
    Json names = Json::array();
    for (const Entry& entry : entries) names.push_back(Windows1252ToUtf8(entry.m_name));
    return names;
}

void WriteScores(const CGastrologDoc& doc, double baseline, std::ostream& out) {
    TextTable table;
    table.AddRow({"Food", "Score"});
    for (const CFood* food : FoodsInPageOrder(doc.Foods(), SortFoodsByName))
        table.AddRow({Windows1252ToUtf8(food->m_name),
                      FormatScore(static_cast<double>(food->m_score) * ScoreScale)});
    table.Write(out);
    out << "\nAverage score (the line between inclusion and exclusion): "
        << FormatScore(baseline * ScoreScale) << '\n';
}

}  // namespace

std::string ListTitle(std::size_t count, const char* singular, const char* plural) {
    return std::to_string(count) + (count == 1 ? singular : plural);
}

void WriteListsText(const CGastrologDoc& doc, double baseline, std::ostream& out) {
    if (doc.Foods().empty()) {
        out << "The diary holds no foods.\n";
        return;
    }
    WriteList(doc.Inclusions(), " food that can be included:", " foods that can be included:", out);
    WriteList(doc.Over50Days(), " food that is not currently classified:",
              " foods that are not currently classified:", out);
    WriteList(doc.Exclusions(),
              " food that should be excluded:", " foods that should be excluded:", out);
    WriteScores(doc, baseline, out);
}

Json ListsToJson(const CGastrologDoc& doc, double baseline) {
    Json lists;
    lists["baseline"] = float_json::FromDouble(baseline);
    lists["inclusions"] = Names(doc.Inclusions());
    lists["exclusions"] = Names(doc.Exclusions());
    lists["unclassified"] = Names(doc.Over50Days());
    Json foods = Json::array();
    for (const CFood& food : doc.Foods()) {
        Json entry;
        entry["name"] = Windows1252ToUtf8(food.m_name);
        entry["score"] = float_json::FromFloat(food.m_score);
        foods.push_back(std::move(entry));
    }
    lists["foods"] = std::move(foods);
    return lists;
}
