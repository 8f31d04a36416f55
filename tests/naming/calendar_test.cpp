#include "naming/calendar.h"

#include "tests/naming/clip_fixture.h"

#include <gtest/gtest.h>

#include <climits>

TEST(Calendar, CompletesWeekdayAndDayOfYearOnly) {
    const std::tm recorded = recordedAt(2026, 12, 5, 18, 45, 3);
    const std::tm completed = withCalendarFields(recorded);
    EXPECT_EQ(completed.tm_wday, 6);
    EXPECT_EQ(completed.tm_yday, 338);
    EXPECT_EQ(completed.tm_year, recorded.tm_year);
    EXPECT_EQ(completed.tm_mon, recorded.tm_mon);
    EXPECT_EQ(completed.tm_mday, recorded.tm_mday);
    EXPECT_EQ(completed.tm_hour, recorded.tm_hour);
    EXPECT_EQ(completed.tm_isdst, 0);
}

TEST(Calendar, LeapYearsAndYearEnds) {
    EXPECT_EQ(withCalendarFields(recordedAt(2024, 2, 29, 0, 0, 0)).tm_yday, 59);
    EXPECT_EQ(withCalendarFields(recordedAt(2024, 2, 29, 0, 0, 0)).tm_wday, 4);
    EXPECT_EQ(withCalendarFields(recordedAt(2024, 12, 31, 0, 0, 0)).tm_yday, 365);
    EXPECT_EQ(withCalendarFields(recordedAt(2100, 3, 1, 0, 0, 0)).tm_yday, 59);
    EXPECT_EQ(withCalendarFields(recordedAt(2000, 3, 1, 0, 0, 0)).tm_yday, 60);
    EXPECT_EQ(withCalendarFields(recordedAt(2026, 1, 1, 0, 0, 0)).tm_yday, 0);
    EXPECT_EQ(withCalendarFields(recordedAt(1969, 12, 31, 0, 0, 0)).tm_wday, 3);
}

// A crafted card can carry any date digits; the completed fields must stay in
// range so no conversion reads past its name tables.
TEST(Calendar, OutOfRangeDatesRollOverIntoRange) {
    const std::tm thirteenthMonth = withCalendarFields(recordedAt(2026, 13, 1, 0, 0, 0));
    EXPECT_EQ(thirteenthMonth.tm_wday, 5); // 1 January 2027
    EXPECT_EQ(thirteenthMonth.tm_yday, 0);
    EXPECT_EQ(thirteenthMonth.tm_mon, 12);

    const std::tm dayZero = withCalendarFields(recordedAt(2026, 12, 0, 0, 0, 0));
    EXPECT_EQ(dayZero.tm_wday, 1); // 30 November 2026
    EXPECT_EQ(dayZero.tm_yday, 333);

    const std::tm monthBeforeJanuary = withCalendarFields(recordedAt(2026, 0, 1, 0, 0, 0));
    EXPECT_EQ(monthBeforeJanuary.tm_yday, 334); // 1 December 2025

    for (int field : {INT_MIN, -1, 99, INT_MAX}) {
        std::tm extreme{};
        extreme.tm_year = field;
        extreme.tm_mon = field;
        extreme.tm_mday = field;
        const std::tm completed = withCalendarFields(extreme);
        EXPECT_GE(completed.tm_wday, 0);
        EXPECT_LE(completed.tm_wday, 6);
        EXPECT_GE(completed.tm_yday, 0);
        EXPECT_LE(completed.tm_yday, 365);
    }
}
