#include "page/ReportContent.h"

#include <algorithm>
#include <cstdio>

#include "diary/GastrologDoc.h"
#include "diary/LocalTime.h"
#include "page/DayAxis.h"
#include "page/HowSureFigures.h"

namespace {


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
    const EvidenceWord word = StrongestWordOf(reading, food);
    return IsStrongOrSome(word) ? std::string(EvidenceWordText(word)) : std::string();
}

std::vector<int> FoodsByEvidence(const CGastrologDoc& doc, const EvidenceReading& reading) {
    const int foods = static_cast<int>(doc.Foods().size());
    std::vector<int> rank(static_cast<std::size_t>(foods));
    for (int food = 0; food < foods; ++food)
        rank[static_cast<std::size_t>(food)] = EvidenceWordRank(StrongestWordOf(reading, food));
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
