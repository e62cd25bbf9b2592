#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "diary/GastrologDoc.h"
#include "page/ReportPeriod.h"
#include "tests/support/DocumentTestAccess.h"

namespace {

lived::LivedDays DaysOn(const std::vector<lived::Date>& dates) {
    lived::LivedDays days;
    for (lived::Date date : dates) days.push_back({date, false, {}, {}});
    return days;
}

std::vector<lived::Date> DatesOf(const lived::LivedDays& days) {
    std::vector<lived::Date> dates;
    for (const lived::LivedDay& day : days) dates.push_back(day.date);
    return dates;
}

}  // namespace

// Lived on 100, 101, 103, 104 and 110: the last days count calendar days back from the newest
// lived day, so a gap shortens them; from-to takes what lies between, either end open.
TEST(ReportPeriod, TakesTheLivedDaysOfThePeriod) {
    const lived::LivedDays lived = DaysOn({100, 101, 103, 104, 110});
    const struct {
        ReportPeriod period;
        std::vector<lived::Date> taken;
    } cases[] = {
        {{}, {100, 101, 103, 104, 110}},
        {{5, {}, {}}, {110}},
        {{7, {}, {}}, {104, 110}},
        {{11, {}, {}}, {100, 101, 103, 104, 110}},
        {{500, {}, {}}, {100, 101, 103, 104, 110}},
        {{0, 101, 104}, {101, 103, 104}},
        {{0, 102, {}}, {103, 104, 110}},
        {{0, {}, 101}, {100, 101}},
        {{0, 105, 109}, {}},
        {{0, 111, 120}, {}},
        {{0, 104, 101}, {}},
        {{7, 90, 104}, {104}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DatesOf(DaysOfPeriod(lived, c.period)), c.taken)
            << c.period.lastDays << " " << c.period.from.value_or(-1) << " "
            << c.period.to.value_or(-1);
    EXPECT_TRUE(DaysOfPeriod({}, {50, {}, {}}).empty());
}

// One code a calendar day for each of the diary's foods and symptoms, a blank on a day not
// lived; a food no longer in the diary is left out; a symptom is not rated on the days before
// it existed, which are not "no change".
TEST(ReportPeriod, HistoriesHoldACodeADayAndLeaveGapsBlank) {
    CGastrologDoc doc;
    Members(doc).m_foods = {CFood("Milk"), CFood("Tea")};
    Members(doc).m_symptoms = {CSymptom("Headache"), CSymptom("Nausea")};
    lived::LivedDays days = DaysOn({200, 201, 204, 205});
    days[0].eaten = {"Milk", "Bread"};
    days[0].ratings = {{"Headache", 'w'}};
    days[1].eaten = {"Tea"};
    days[1].ratings = {{"Headache", 'n'}};
    days[2].eaten = {"Milk", "Tea"};
    days[2].ratings = {{"Headache", 'b'}, {"Nausea", 'n'}};
    days[3].ratings = {{"Nausea", 'w'}};
    const PeriodHistories histories = HistoriesOf(doc, days);
    EXPECT_EQ(histories.first, 200);
    EXPECT_EQ(histories.days, 6);
    EXPECT_EQ(histories.lived, 4);
    EXPECT_EQ(histories.foods, (std::vector<std::string>{"yn  yn", "ny  yn"}));
    EXPECT_EQ(histories.symptoms, (std::vector<std::string>{"wn  b-", "--  nw"}));
    const PeriodHistories none = HistoriesOf(doc, {});
    EXPECT_EQ(none.days, 0);
    EXPECT_EQ(none.foods.size(), 2u);
}
