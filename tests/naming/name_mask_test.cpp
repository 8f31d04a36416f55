#include "naming/name_mask.h"

#include "metadata/errors.h"
#include "tests/naming/clip_fixture.h"

#include <gtest/gtest.h>

namespace {

std::string expand(const std::string& mask, const std::string& streamFile = "00001.M2TS") {
    return expandMask(parseMask(mask), clipOf(streamFile));
}

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
    EXPECT_EQ(expand("%z"), expand("%Z"));
    EXPECT_FALSE(expand("%z").empty());
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
