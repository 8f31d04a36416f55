#include "common/date_time.h"
#include "tests/support/recorded_time.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <sstream>
#include <stdexcept>
#include <streambuf>

namespace tandrel {

namespace {

// 5 December 2026, 18:45:03, as the playlist reader delivers it: weekday and
// day of year left 0.
std::tm recordingTime() {
    return recordedAt(2026, 12, 5, 18, 45, 3);
}

// A stream buffer that takes `room` characters and then refuses.
class FullBuffer : public std::streambuf {
public:
    explicit FullBuffer(int room) : room_(room) {}
    std::string taken;

protected:
    int_type overflow(int_type c) override {
        if (room_ == 0) {
            return traits_type::eof();
        }
        --room_;
        taken += traits_type::to_char_type(c);
        return c;
    }

private:
    int room_;
};

} // namespace

TEST(DateTime, FormatsTheMaskPatterns) {
    const std::tm time = recordingTime();
    EXPECT_EQ(dateTimeToString(time, "%Y_%m_%d"), "2026_12_05");
    EXPECT_EQ(dateTimeToString(time, "%H_%M_%S"), "18_45_03");
    EXPECT_EQ(dateTimeToString(time, "%d/%m/%y - %X"), "05/12/26 - 18:45:03");
    EXPECT_EQ(dateTimeToString(time, "%I %p %B %b"), "06 PM December Dec");
    EXPECT_EQ(dateTimeToString(time, "100%%"), "100%");
}

TEST(DateTime, LiteralAndEmptyFormatsPassThrough) {
    const std::tm time = recordingTime();
    EXPECT_EQ(dateTimeToString(time, "clip 01 (copy)"), "clip 01 (copy)");
    EXPECT_EQ(dateTimeToString(time, ""), "");
}

TEST(DateTime, NothingIsNormalised) {
    std::tm time = recordingTime();
    // 5 December 2026 is a Saturday, but the fields are taken as they are.
    EXPECT_EQ(dateTimeToString(time, "%a %A %j"), "Sun Sunday 001");
    time.tm_wday = 3;
    time.tm_yday = 41;
    EXPECT_EQ(dateTimeToString(time, "%a %j"), "Wed 042");
}

TEST(DateTime, FormatDateTimeWritesIntoTheStreamAndReturnsIt) {
    std::ostringstream stream;
    stream << "at ";
    std::ostream& result = formatDateTime(stream, recordingTime(), "%H:%M");
    EXPECT_EQ(&result, &stream);
    EXPECT_EQ(stream.str(), "at 18:45");
}

TEST(DateTime, RefusedCharacterThrows) {
    FullBuffer buffer(4);
    std::ostream stream(&buffer);
    try {
        formatDateTime(stream, recordingTime(), "%Y_%m_%d");
        FAIL() << "a full buffer must throw";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Error: failed to format date time.");
    }
    EXPECT_EQ(buffer.taken, "2026");
    // The stream's own state is left alone.
    EXPECT_TRUE(stream.good());
}

TEST(DateTime, TimeNowIsTheCompleteLocalTime) {
    const std::time_t before = std::time(nullptr);
    std::tm now = timeNow();
    const std::time_t after = std::time(nullptr);
    // TZ is UTC for the tests, so the local time has no daylight saving.
    EXPECT_EQ(now.tm_isdst, 0);
    std::tm copy = now;
    const std::time_t back = timegm(&copy);
    EXPECT_GE(back, before);
    EXPECT_LE(back, after);
    // timegm recomputes weekday and day of year: timeNow must have filled them.
    EXPECT_EQ(copy.tm_wday, now.tm_wday);
    EXPECT_EQ(copy.tm_yday, now.tm_yday);
}

} // namespace tandrel
