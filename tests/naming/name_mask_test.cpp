#include "naming/name_mask.h"

#include "metadata/errors.h"
#include "tests/naming/clip_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

std::string expand(const std::string& mask, const std::string& streamFile = "00001.M2TS") {
    return expandMask(parseMask(mask), clipOf(streamFile));
}

// Sets TZ for one test and puts the suite's zone back afterwards.
class ZoneOverride {
public:
    explicit ZoneOverride(const char* zone) {
        const char* current = std::getenv("TZ");
        saved_ = current ? current : "UTC";
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ZoneOverride() {
        setenv("TZ", saved_.c_str(), 1);
        tzset();
    }
    ZoneOverride(const ZoneOverride&) = delete;
    ZoneOverride& operator=(const ZoneOverride&) = delete;

private:
    std::string saved_;
};

} // namespace

TEST(ParseMask, SplitsLiteralsAndFields) {
    const NameMask mask = parseMask("%Y_%m");
    ASSERT_EQ(mask.size(), 3u);
    EXPECT_EQ(mask[0].kind, Field);
    EXPECT_EQ(mask[0].field, YearFourDigits);
    EXPECT_EQ(mask[0].text, "");
    EXPECT_EQ(mask[1].kind, Literal);
    EXPECT_EQ(mask[1].text, "_");
    EXPECT_EQ(mask[1].field, 0);
    EXPECT_EQ(mask[2].field, MonthNumber);

    EXPECT_TRUE(parseMask("").empty());
    EXPECT_TRUE(parseMask("%").empty());
}

TEST(ParseMask, PercentSignsAndUnknownConversions) {
    const NameMask hundred = parseMask("100%%");
    ASSERT_EQ(hundred.size(), 2u);
    EXPECT_EQ(hundred[0].text, "100");
    EXPECT_EQ(hundred[1].text, "%");

    EXPECT_EQ(expand("100%%"), "100%");
    EXPECT_EQ(expand("a%qb"), "aqb");
    EXPECT_EQ(expand("abc%"), "abc");
    EXPECT_EQ(expand("%%Y"), "%Y");
    EXPECT_EQ(expand("%#d"), "#d");
    EXPECT_EQ(expand("%c%x%X"), "cxX");
    EXPECT_EQ(expand("%%%"), "%");
}

TEST(ParseMask, LetterCaseMattersExceptForThreePairs) {
    EXPECT_EQ(parseMask("%z")[0].field, TimeZone);
    EXPECT_EQ(parseMask("%Z")[0].field, TimeZone);
    EXPECT_EQ(parseMask("%F")[0].field, StreamStem);
    EXPECT_EQ(parseMask("%E")[0].field, StreamExtension);
    EXPECT_EQ(parseMask("%D")[0].kind, Literal);
    EXPECT_EQ(expand("%D"), "D");
    EXPECT_NE(expand("%m"), expand("%M"));
}

TEST(ExpandMask, DateAndTimeConversions) {
    EXPECT_EQ(expand("%Y_%m_%d"), "2026_12_05");
    EXPECT_EQ(expand("%H_%M_%S"), "18_45_03");
    EXPECT_EQ(expand("%I%p"), "06PM");
    EXPECT_EQ(expand("%y %b %B"), "26 Dec December");
    EXPECT_EQ(expand("%z"), "+0000");
    EXPECT_EQ(expand("%Z"), "+0000");
}

TEST(ExpandMask, WeekdayAndDayOfYearAreCompletedFromTheDate) {
    EXPECT_EQ(expand("%a"), "Sat");
    EXPECT_EQ(expand("%A"), "Saturday");
    EXPECT_EQ(expand("%j"), "339");
    EXPECT_EQ(expand("%w"), "6");
    EXPECT_EQ(expand("%U %W"), "48 48");
}

TEST(ExpandMask, StreamFileStemAndExtensionKeepTheirCase) {
    EXPECT_EQ(expand("%f|%e"), "00001|M2TS");
    EXPECT_EQ(expand("%F|%E"), "00001|M2TS");
    EXPECT_EQ(expand("%f|%e", "0000.m2ts"), "0000|m2ts");
    EXPECT_EQ(expand("%f|%e", "CLIP"), "CLIP|");
    EXPECT_EQ(expand("%f|%e", "a.b.M2TS"), "a.b|M2TS");
}

TEST(ExpandMask, RejectsTokensTheParserCannotMake) {
    const ClipRecord clip = clipOf("00001.M2TS");
    try {
        expandMask(NameMask{MaskToken{3, "x", 0}}, clip);
        FAIL() << "no exception";
    } catch (const GeneralException& error) {
        EXPECT_STREQ(error.what(), "Invalid token type.");
    }
    for (std::int32_t field : {0, 21, -1}) {
        try {
            expandMask(NameMask{MaskToken{Field, "", field}}, clip);
            FAIL() << "no exception for field " << field;
        } catch (const GeneralException& error) {
            EXPECT_STREQ(error.what(), "Invalid parameter.");
        }
    }
}

// The example time comes from the clock with its zone filled in, a card's
// recording time without: both must name the system's zone at their date.
TEST(ExpandMask, TimeZoneIsTheSystemsAtTheRecordingDate) {
    const ZoneOverride zone("CET-1CEST,M3.5.0,M10.5.0/3");
    EXPECT_EQ(expand("%z"), "+0100");
    EXPECT_EQ(expand("%Z"), "+0100");

    ClipRecord summer = clipOf("00001.M2TS");
    summer.recordingTime = recordedAt(2026, 7, 1, 12, 0, 0);
    EXPECT_EQ(expandMask(parseMask("%z"), summer), "+0200");

    const std::time_t now = std::time(nullptr);
    std::tm clock{};
    localtime_r(&now, &clock);
    ClipRecord fromClock;
    fromClock.recordingTime = clock;
    ClipRecord fromCard;
    fromCard.recordingTime = recordedAt(clock.tm_year + 1900, clock.tm_mon + 1, clock.tm_mday,
                                        clock.tm_hour, clock.tm_min, clock.tm_sec);
    EXPECT_EQ(expandMask(parseMask("%z"), fromClock), expandMask(parseMask("%z"), fromCard));
}
