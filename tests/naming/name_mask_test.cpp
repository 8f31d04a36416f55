#include "naming/name_mask.h"

#include "metadata/errors.h"
#include "tests/naming/clip_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace tandrel {

namespace {

std::string expand(const std::string& mask, const std::string& streamFile = "00001.M2TS") {
    return expandMask(parseMask(mask), clipOf(streamFile));
}

} // namespace

TEST(ParseMask, Tokens) {
    const NameMask mask = parseMask("%Y_%m%%");
    ASSERT_EQ(mask.size(), 4u);
    EXPECT_EQ(mask[0].kind, MaskTokenKind::Field);
    EXPECT_EQ(mask[0].field, MaskField::YearFourDigits);
    EXPECT_EQ(mask[1].kind, MaskTokenKind::Literal);
    EXPECT_EQ(mask[1].text, "_");
    EXPECT_EQ(mask[2].field, MaskField::MonthNumber);
    EXPECT_EQ(mask[3].text, "%");
    EXPECT_TRUE(parseMask("").empty());
    EXPECT_TRUE(parseMask("%").empty());
}

TEST(ExpandMask, Conversions) {
    const struct {
        const char* mask;
        const char* streamFile;
        const char* expected;
    } cases[] = {
        {"100%%", "00001.M2TS", "100%"},
        {"a%qb", "00001.M2TS", "aqb"},
        {"abc%", "00001.M2TS", "abc"},
        {"%%Y", "00001.M2TS", "%Y"},
        {"%#d%c%D", "00001.M2TS", "#dcD"},
        {"%Y_%m_%d %H_%M_%S", "00001.M2TS", "2026_12_05 18_45_03"},
        {"%I%p %y %b %B", "00001.M2TS", "06PM 26 Dec December"},
        // Weekday and day of year arrive as 0 and are completed from the date.
        {"%a %A %j %w %U %W", "00001.M2TS", "Sat Saturday 339 6 48 48"},
        {"%z %Z", "00001.M2TS", "+0000 +0000"},
        {"%f|%e|%F|%E", "00001.M2TS", "00001|M2TS|00001|M2TS"},
        {"%f|%e", "0000.m2ts", "0000|m2ts"},
        {"%f|%e", "a.b.M2TS", "a.b|M2TS"},
        {"%f|%e", "CLIP", "CLIP|"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(expand(c.mask, c.streamFile), c.expected) << c.mask << " on " << c.streamFile;
    }
}

TEST(ExpandMask, RejectsTokensTheParserCannotMake) {
    const auto failure = [](const MaskToken& token) {
        try {
            expandMask(NameMask{token}, clipOf("00001.M2TS"));
        } catch (const GeneralException& error) {
            return std::string(error.what());
        }
        return std::string("no exception");
    };
    EXPECT_EQ(failure(MaskToken{static_cast<MaskTokenKind>(3), "x", {}}), "Invalid token type.");
    EXPECT_EQ(failure(MaskToken{MaskTokenKind::Field, "", {}}), "Invalid parameter.");
    EXPECT_EQ(failure(MaskToken{MaskTokenKind::Field, "", static_cast<MaskField>(21)}),
              "Invalid parameter.");
}

// The example time comes from the clock with its zone filled in, a card's
// recording time without: both must name the system's zone at their date.
TEST(ExpandMask, TimeZoneIsTheSystemsAtTheRecordingDate) {
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    EXPECT_EQ(expand("%z"), "+0100");
    ClipRecord clip = clipOf("00001.M2TS");
    clip.recordingTime = recordedAt(2026, 7, 1, 12, 0, 0);
    const std::string summer = expandMask(parseMask("%Z"), clip);

    const std::time_t now = std::time(nullptr);
    localtime_r(&now, &clip.recordingTime);
    const std::string fromClock = expandMask(parseMask("%z"), clip);
    const std::tm& clock = clip.recordingTime;
    clip.recordingTime = recordedAt(clock.tm_year + 1900, clock.tm_mon + 1, clock.tm_mday,
                                    clock.tm_hour, clock.tm_min, clock.tm_sec);
    const std::string fromCard = expandMask(parseMask("%z"), clip);
    setenv("TZ", "UTC", 1);
    tzset();

    EXPECT_EQ(summer, "+0200");
    EXPECT_EQ(fromClock, fromCard);
}

} // namespace tandrel
