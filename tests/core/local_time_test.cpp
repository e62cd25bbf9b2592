// Local calendar arithmetic: dates across daylight-saving changes and year ends, and dates
// written with English names.

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "diary/LocalTime.h"
#include "tests/support/FakePorts.h"

namespace {

class LocalTimeTest : public ::testing::Test {
protected:
    void SetUp() override { PinTimeZone(); }
};

TEST_F(LocalTimeTest, FormatsTheDayLabelWithEnglishNames) {
    EXPECT_EQ(calendar::Format(LocalTime(2005, 3, 7, 9), "%A, %B %d, %Y"),
              "Monday, March 07, 2005");
    EXPECT_EQ(calendar::Format(LocalTime(2024, 12, 31, 23, 59), "%a %b %j %H:%M %%A"),
              "Tue Dec 366 23:59 %A");
    EXPECT_EQ(calendar::Format(LocalTime(2024, 1, 1, 0), "%j"), "001");
    EXPECT_EQ(calendar::Format(LocalTime(2024, 1, 1, 0), ""), "");
}

TEST_F(LocalTimeTest, NamesStayEnglishInAnotherLocale) {
    const std::string previous = std::setlocale(LC_TIME, nullptr);
    if (!std::setlocale(LC_TIME, "de_DE.UTF-8") && !std::setlocale(LC_TIME, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no second locale installed";
    const std::string label = calendar::Format(LocalTime(2024, 3, 12, 10), "%A, %B %d, %Y");
    std::setlocale(LC_TIME, previous.c_str());
    EXPECT_EQ(label, "Tuesday, March 12, 2024");
}

TEST_F(LocalTimeTest, LocalDaysOrderByYearBeforeDayOfYear) {
    const calendar::LocalDay lastYear = calendar::DayOf(LocalTime(2023, 12, 31, 23, 30));
    const calendar::LocalDay newYear = calendar::DayOf(LocalTime(2024, 1, 1, 0, 30));
    EXPECT_EQ(lastYear.year, 2023);
    EXPECT_EQ(lastYear.dayOfYear, 364);
    EXPECT_EQ(newYear.dayOfYear, 0);
    EXPECT_LT(lastYear, newYear);
    // The same day of the year a year later, 2024 being a leap year.
    const calendar::LocalDay before = calendar::DayOf(LocalTime(2023, 3, 12, 12));
    const calendar::LocalDay after = calendar::DayOf(LocalTime(2024, 3, 11));
    EXPECT_EQ(before.dayOfYear, after.dayOfYear);
    EXPECT_LT(before, after);
}

TEST_F(LocalTimeTest, DaysBetweenCountsDatesNotSeconds) {
    EXPECT_EQ(calendar::DaysBetween(LocalTime(2024, 3, 11, 23), LocalTime(2024, 3, 12, 1)), 1);
    EXPECT_EQ(calendar::DaysBetween(LocalTime(2024, 3, 12, 1), LocalTime(2024, 3, 11, 23)), -1);
    EXPECT_EQ(calendar::DaysBetween(LocalTime(2023, 12, 30, 12), LocalTime(2024, 3, 1, 12)), 62);
    // Across both daylight-saving changes of 2024.
    EXPECT_EQ(calendar::DaysBetween(LocalTime(2024, 3, 30, 0, 30), LocalTime(2024, 4, 1, 0, 10)),
              2);
    EXPECT_EQ(calendar::DaysBetween(LocalTime(2024, 10, 26, 23, 50), LocalTime(2024, 10, 28, 0)),
              2);
}

TEST_F(LocalTimeTest, DaysEarlierKeepsTheClockTimeAcrossDaylightSaving) {
    EXPECT_EQ(calendar::DaysEarlier(LocalTime(2024, 4, 1, 0, 30), 1),
              LocalTime(2024, 3, 31, 0, 30));
    EXPECT_EQ(calendar::DaysEarlier(LocalTime(2024, 10, 28, 0, 30), 2),
              LocalTime(2024, 10, 26, 0, 30));
    EXPECT_EQ(calendar::DaysEarlier(LocalTime(2024, 2, 28, 12), -2), LocalTime(2024, 3, 1, 12));
    EXPECT_EQ(calendar::HourOf(LocalTime(2024, 7, 1, 3, 59)), 3);
}

}  // namespace
