#include "page/ReportContent.h"

#include <algorithm>
#include <cstdio>

#include "diary/GastrologDoc.h"
#include "diary/LocalTime.h"
#include "page/DayAxis.h"
#include "page/HowSureFigures.h"

namespace {

int WordRank(EvidenceWord word) {
    return word == EvidenceWord::Strong ? 0 : word == EvidenceWord::Some ? 1 : 2;
}

int DaysEaten(const CGastrologDoc& doc, const DayAxis& axis, int food) {
    const std::string& history = doc.Foods()[static_cast<std::size_t>(food)].m_history;
    int eaten = 0;
    for (int day = 0; day < axis.LivedDays(); ++day) {
        const char code = history[static_cast<std::size_t>(axis.HistoryPosition(day))];
        eaten += diary::IsEaten(code);
    }
    return eaten;
}

std::string PText(double p) {
    if (p < 0.0001) return "p < 0.0001";
    char text[32];
    std::snprintf(text, sizeof text, "p = %.4f", p);
    return text;
}

}  // namespace

std::string PeriodText(const CGastrologDoc& doc) {
    const DayAxis axis = DayAxis::ForDiary(doc, 0, 1);
    if (axis.LivedDays() == 0) return {};
    return calendar::Format(axis.DateOf(0), calendar::DateFormat) + " to " +
           calendar::Format(axis.DateOf(axis.LivedDays() - 1), calendar::DateFormat);
}

int DaysWithEntries(const CGastrologDoc& doc) {
    const DayAxis axis = DayAxis::ForDiary(doc, 0, 1);
    int days = 0;
    for (int day = 0; day < axis.LivedDays(); ++day) {
        const auto position = static_cast<std::size_t>(axis.HistoryPosition(day));
        const bool eaten = std::any_of(doc.Foods().begin(), doc.Foods().end(), [&](const CFood& f) {
            return diary::IsEaten(f.m_history[position]);
        });
        const bool rated =
            std::any_of(doc.Symptoms().begin(), doc.Symptoms().end(), [&](const CSymptom& s) {
                return s.m_history[position] == diary::Better ||
                       s.m_history[position] == diary::Worse;
            });
        days += eaten || rated;
    }
    return days;
}

std::string FoodLinkWord(const EvidenceReading& reading, int food) {
    int best = 2;
    for (const EvidenceEntry& entry : reading.entries)
        if (entry.food == food) best = std::min(best, WordRank(entry.word));
    return best == 0 ? "strong" : best == 1 ? "some" : "";
}

std::vector<int> FoodsByEvidence(const CGastrologDoc& doc, const EvidenceReading& reading) {
    const int foods = static_cast<int>(doc.Foods().size());
    std::vector<int> rank(static_cast<std::size_t>(foods), 2);
    for (const EvidenceEntry& entry : reading.entries)
        if (entry.food >= 0 && entry.food < foods)
            rank[static_cast<std::size_t>(entry.food)] =
                std::min(rank[static_cast<std::size_t>(entry.food)], WordRank(entry.word));
    const DayAxis axis = DayAxis::ForDiary(doc, 0, 1);
    std::vector<int> eaten(static_cast<std::size_t>(foods));
    std::vector<int> order(static_cast<std::size_t>(foods));
    for (int food = 0; food < foods; ++food) {
        eaten[static_cast<std::size_t>(food)] = DaysEaten(doc, axis, food);
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
    std::vector<const EvidenceEntry*> links;
    for (EvidenceWord word : {EvidenceWord::Strong, EvidenceWord::Some})
        for (const EvidenceEntry& entry : reading.entries)
            if (entry.word == word) links.push_back(&entry);
    return links;
}

std::string LinkText(const CGastrologDoc& doc, const EvidenceEntry& entry) {
    const std::string& food = doc.Foods()[static_cast<std::size_t>(entry.food)].m_name;
    const std::string& symptom = doc.Symptoms()[static_cast<std::size_t>(entry.symptom)].m_name;
    std::string text =
        std::string(EvidenceWordText(entry.word)) + ": " + food + " before " + symptom + " " +
        std::string(EvidenceDirectionText(entry.direction)) + ": eaten on " +
        std::to_string(entry.daysEaten) + " days, next day " + std::to_string(entry.nextWorse) +
        " worse, " + std::to_string(entry.nextBetter) + " better, " +
        std::to_string(entry.nextNoChange) + " no change; on the other " +
        std::to_string(entry.otherDays) + " days " + std::to_string(entry.otherWorse) + " worse, " +
        std::to_string(entry.otherBetter) + " better; " + PText(entry.p);
    if (!entry.sharesDaysWith.empty()) {
        text += "; shares its days with ";
        for (std::size_t i = 0; i < entry.sharesDaysWith.size(); ++i)
            text += (i ? ", " : "") +
                    doc.Foods()[static_cast<std::size_t>(entry.sharesDaysWith[i])].m_name;
    }
    return text;
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
