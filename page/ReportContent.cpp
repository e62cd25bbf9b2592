#include "page/ReportContent.h"

#include <algorithm>
#include <cstdio>

#include "diary/DiaryConstants.h"
#include "diary/GastrologDoc.h"
#include "diary/LocalTime.h"
#include "page/DayAxis.h"
#include "page/HowSureFigures.h"

namespace {


int DaysEaten(const PeriodHistories& histories, int food) {
    const std::string& history = histories.foods[static_cast<std::size_t>(food)];
    return static_cast<int>(std::count(history.begin(), history.end(), diary::Eaten));
}

std::string PText(double p) {
    if (p < 0.0001) return "p < 0.0001";
    char text[32];
    std::snprintf(text, sizeof text, "p = %.4f", p);
    return text;
}

}  // namespace

std::string PeriodText(const DayAxis& axis) {
    if (axis.LivedDays() == 0) return {};
    return calendar::Format(axis.DateOf(0), calendar::DateFormat) + " to " +
           calendar::Format(axis.DateOf(axis.LivedDays() - 1), calendar::DateFormat);
}

int DaysWithEntries(const PeriodHistories& histories) {
    int days = 0;
    for (std::size_t position = 0; position < static_cast<std::size_t>(histories.days);
         ++position) {
        const bool eaten =
            std::any_of(histories.foods.begin(), histories.foods.end(),
                        [&](const std::string& food) { return food[position] == diary::Eaten; });
        const bool rated = std::any_of(
            histories.symptoms.begin(), histories.symptoms.end(), [&](const std::string& symptom) {
                return symptom[position] == diary::Better || symptom[position] == diary::Worse;
            });
        days += eaten || rated;
    }
    return days;
}

std::string FoodLinkWord(const EvidenceReading& reading, int food) {
    const EvidenceWord word = StrongestWordOf(reading, food);
    return IsStrongOrSome(word) ? std::string(EvidenceWordText(word)) : std::string();
}

std::vector<int> FoodsByEvidence(const CGastrologDoc& doc, const EvidenceReading& reading) {
    return FoodsByEvidence(doc, reading, HistoriesOfPeriod(doc, {}));
}

std::vector<int> FoodsByEvidence(const CGastrologDoc& doc, const EvidenceReading& reading,
                                 const PeriodHistories& histories) {
    const int foods = static_cast<int>(doc.Foods().size());
    std::vector<int> rank(static_cast<std::size_t>(foods));
    for (int food = 0; food < foods; ++food)
        rank[static_cast<std::size_t>(food)] = EvidenceWordRank(StrongestWordOf(reading, food));
    std::vector<int> eaten(static_cast<std::size_t>(foods));
    std::vector<int> order(static_cast<std::size_t>(foods));
    for (int food = 0; food < foods; ++food) {
        eaten[static_cast<std::size_t>(food)] = DaysEaten(histories, food);
        order[static_cast<std::size_t>(food)] = food;
    }
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const auto i = static_cast<std::size_t>(a), j = static_cast<std::size_t>(b);
        if (rank[i] != rank[j]) return rank[i] < rank[j];
        return eaten[i] > eaten[j];
    });
    return order;
}

std::vector<const EvidenceEntry*> StrongAndSomeLinks(const EvidenceReading& reading) {
    return RankedLinks(reading);
}

std::string LinkText(const CGastrologDoc& doc, const EvidenceEntry& entry) {
    EvidenceNames names{doc.Foods()[static_cast<std::size_t>(entry.food)].m_name,
                        doc.Symptoms()[static_cast<std::size_t>(entry.symptom)].m_name};
    // The page's text is Windows-1252, which has no arrow.
    names.arrow = "->";
    std::string text = EvidenceSentence(names, entry);
    text.pop_back();  // the full stop, so that p joins the sentence
    text += " (" + PText(entry.p) + ")";
    if (!entry.sharesDaysWith.empty()) {
        text += "; shares its days with ";
        for (std::size_t i = 0; i < entry.sharesDaysWith.size(); ++i)
            text += (i ? ", " : "") +
                    doc.Foods()[static_cast<std::size_t>(entry.sharesDaysWith[i])].m_name;
    }
    return text + ".";
}

std::string ListsExplanation() {
    using namespace how_sure;
    const auto number = [](int value) { return std::to_string(value); };
    return "The lists come from Gastrolog's neural network, trained on your kept history: foods "
           "that can be included, foods that should be excluded, and foods not eaten within the "
           "history (not classified). They are a rough first sort, not findings. On " +
           number(SimulatedDiaries) + " simulated diaries of " + number(FoodsPerDiary) +
           " foods, the exclusion list held " + number(HarmfulFoodsExcludedPercent) +
           " % of the foods that really made a symptom worse, but those were only " +
           number(ExcludedFoodsHarmfulPercent) + " % of what it listed: it also excluded " +
           number(HarmlessFoodsExcludedPerDiary) + " harmless foods per diary, and " +
           number(HarmfulFoodsIncludedPercent) +
           " % of the foods that made a symptom worse were on the inclusion list. When no food "
           "had anything to do with the symptoms, it still excluded " +
           std::string(ExcludedWithoutLinksPerDiary) +
           " foods per diary. Check any food on the lists against the day-after tally above "
           "before changing your diet.";
}

std::vector<std::string> WrapText(std::string_view text, int width) {
    const auto limit = static_cast<std::size_t>(std::max(width, 1));
    std::vector<std::string> lines;
    std::string line;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        std::string word(text.substr(at, end - at));
        at = end + 1;
        if (word.empty()) continue;
        if (word.size() > limit) word = word.substr(0, limit);
        if (!line.empty() && line.size() + 1 + word.size() > limit) {
            lines.push_back(line);
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}
