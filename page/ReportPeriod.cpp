#include "page/ReportPeriod.h"

#include <algorithm>
#include <limits>
#include <map>

#include "diary/DiaryConstants.h"
#include "diary/GastrologDoc.h"

lived::LivedDays DaysOfPeriod(const lived::LivedDays& days, const ReportPeriod& period) {
    if (days.empty()) return {};
    lived::Date first = period.from.value_or(std::numeric_limits<lived::Date>::min());
    const lived::Date last = period.to.value_or(std::numeric_limits<lived::Date>::max());
    // "The last 50 days" counts calendar days back from the newest lived day, gaps included.
    if (period.lastDays > 0) first = std::max(first, days.back().date - (period.lastDays - 1));
    return lived::Between(days, first, last);
}

namespace {

template <typename Record>
std::map<std::string, std::size_t> IndexByName(const std::vector<Record>& records) {
    std::map<std::string, std::size_t> index;
    for (std::size_t i = 0; i < records.size(); ++i) index.emplace(records[i].m_name, i);
    return index;
}

}  // namespace

PeriodHistories HistoriesOf(const CGastrologDoc& doc, const lived::LivedDays& days) {
    PeriodHistories histories;
    if (days.empty()) {
        histories.foods.assign(doc.Foods().size(), {});
        histories.symptoms.assign(doc.Symptoms().size(), {});
        return histories;
    }
    histories.first = days.front().date;
    histories.days = days.back().date - days.front().date + 1;
    histories.lived = static_cast<int>(days.size());
    const auto length = static_cast<std::size_t>(histories.days);
    histories.foods.assign(doc.Foods().size(), std::string(length, NotLived));
    histories.symptoms.assign(doc.Symptoms().size(), std::string(length, NotLived));
    const auto foods = IndexByName(doc.Foods());
    const auto symptoms = IndexByName(doc.Symptoms());
    for (const lived::LivedDay& day : days) {
        const auto position = static_cast<std::size_t>(day.date - histories.first);
        for (std::string& food : histories.foods) food[position] = diary::NotEaten;
        for (std::string& symptom : histories.symptoms) symptom[position] = NotRated;
        for (const std::string& name : day.eaten)
            if (const auto found = foods.find(name); found != foods.end())
                histories.foods[found->second][position] = diary::Eaten;
        for (const auto& [name, code] : day.ratings)
            if (const auto found = symptoms.find(name); found != symptoms.end())
                histories.symptoms[found->second][position] = code;
    }
    return histories;
}

PeriodHistories HistoriesOfPeriod(const CGastrologDoc& doc, const ReportPeriod& period) {
    return HistoriesOf(doc, DaysOfPeriod(lived::EveryLivedDay(doc), period));
}
