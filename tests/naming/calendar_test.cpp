#include "naming/calendar.h"

#include "tests/naming/clip_fixture.h"

#include <gtest/gtest.h>

#include <climits>

namespace tandrel {

TEST(Calendar, WeekdayAndDayOfYearFromTheDate) {
    const std::tm completed = withCalendarFields(recordedAt(2026, 12, 5, 18, 45, 3));
    EXPECT_EQ(completed.tm_wday, 6);
    EXPECT_EQ(completed.tm_yday, 338);
    EXPECT_EQ(completed.tm_mday, 5);
    EXPECT_EQ(withCalendarFields(recordedAt(2024, 12, 31, 0, 0, 0)).tm_yday, 365);
    EXPECT_EQ(withCalendarFields(recordedAt(2100, 3, 1, 0, 0, 0)).tm_yday, 59);
    EXPECT_EQ(withCalendarFields(recordedAt(2000, 3, 1, 0, 0, 0)).tm_yday, 60);
    EXPECT_EQ(withCalendarFields(recordedAt(1969, 12, 31, 0, 0, 0)).tm_wday, 3);
}

// A crafted card can carry any date digits; the completed fields must stay in
// range so no conversion reads past its name tables.
TEST(Calendar, OutOfRangeDatesRollOverIntoRange) {
    const std::tm thirteenthMonth = withCalendarFields(recordedAt(2026, 13, 1, 0, 0, 0));
    EXPECT_EQ(thirteenthMonth.tm_wday, 5); // 1 January 2027
    EXPECT_EQ(thirteenthMonth.tm_yday, 0);
    EXPECT_EQ(withCalendarFields(recordedAt(2026, 12, 0, 0, 0, 0)).tm_yday, 333);
    EXPECT_EQ(withCalendarFields(recordedAt(2026, 0, 1, 0, 0, 0)).tm_yday, 334);

    for (int field : {INT_MIN, -1, 99, INT_MAX}) {
        std::tm extreme{};
        extreme.tm_year = extreme.tm_mon = extreme.tm_mday = field;
        const std::tm completed = withCalendarFields(extreme);
        EXPECT_TRUE(completed.tm_wday >= 0 && completed.tm_wday <= 6) << field;
        EXPECT_TRUE(completed.tm_yday >= 0 && completed.tm_yday <= 365) << field;
    }
}

} // namespace tandrel
