#include "metadata/errors.h"
#include "metadata/playlist_stream.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace tandrel {

namespace {

struct PlaylistStreamTest : ::testing::Test {
    PlaylistStream open(const std::string& content) {
        writeFile(file, content);
        return PlaylistStream(file);
    }
    TempDir dir;
    boost::filesystem::path file = dir / "00000.MPLS";
};

} // namespace

TEST_F(PlaylistStreamTest, ReadsPackedDecimalDigitsUpToTheFirstNonDigit) {
    PlaylistStream stream = open(std::string("\x20\x26\x07\x1A\x20\xA6\x00\x09", 8));
    EXPECT_EQ(stream.readBcd(2), 2026);
    EXPECT_EQ(stream.readBcd(1), 7);
    EXPECT_EQ(stream.readBcd(1), 1);
    EXPECT_EQ(stream.readBcd(2), 20);
    EXPECT_EQ(stream.readBcd(2), 9);

    PlaylistStream bad = open("\xB0");
    try {
        bad.readBcd(1);
        FAIL() << "no exception";
    } catch (const MetaDataException& error) {
        EXPECT_STREQ(error.what(), "Error: String conversion failed.");
    }
}

TEST_F(PlaylistStreamTest, KeepsTheEndOnceReached) {
    PlaylistStream stream = open(std::string("AB\0CD", 5));
    EXPECT_EQ(stream.readText(), "AB");
    EXPECT_EQ(stream.position(), 3u);
    EXPECT_EQ(stream.readFixed(4), std::string("CD\0\0", 4));
    stream.seek(0);
    EXPECT_EQ(stream.readByte(), 0);
    EXPECT_EQ(stream.readText(), "");
    EXPECT_EQ(stream.readBcd(2), 0);
    EXPECT_EQ(stream.findEntryEnd(), -1);

    PlaylistStream skipped = open("ABCD");
    skipped.skip(5);
    skipped.seek(0);
    EXPECT_EQ(skipped.readByte(), 0);

    // Up to the last byte the stream is still inside the file.
    PlaylistStream exact = open("ABCD");
    exact.skip(4);
    exact.seek(1);
    EXPECT_EQ(exact.readByte(), 'B');
}

TEST_F(PlaylistStreamTest, FindsTheFirstWholeMarker) {
    std::string content = "xx" + std::string("\xFF\x00\xFF\xFF\xFF\xFF\xFF", 7);
    PlaylistStream stream = open(content);
    stream.skip(1);
    EXPECT_EQ(stream.findEntryEnd(), 4);
    stream.seek(8);
    EXPECT_EQ(stream.readByte(), 0xFF);

    // A marker across the search buffer's boundary.
    std::string longContent(5000, 'a');
    longContent.replace(4094, 4, "\xFF\xFF\xFF\xFF");
    PlaylistStream across = open(longContent);
    EXPECT_EQ(across.findEntryEnd(), 4094);

    // The end met during the search ends the entry there.
    PlaylistStream partial = open("abc\xFF\xFF");
    EXPECT_EQ(partial.findEntryEnd(), 5);
    EXPECT_EQ(partial.findEntryEnd(), -1);
}

// A longer text is read to its zero byte, so what follows it is read from
// the right place, while only its first part is kept.
TEST_F(PlaylistStreamTest, BoundsTexts) {
    const std::string longest(PlaylistStream::maxTextLength, 'x');
    PlaylistStream stream = open(longest + "yz" + std::string(1, '\0') + "after");
    EXPECT_EQ(stream.readText(), longest);
    EXPECT_EQ(stream.readText(), "after");
}

TEST_F(PlaylistStreamTest, ReportsProblemsWithTheFileName) {
    PlaylistStream stream = open("x");
    try {
        stream.fail();
    } catch (const MetaDataException& error) {
        EXPECT_EQ(error.what(), "Problem parsing the file " + file.string() + ".\n");
    }
    try {
        PlaylistStream missing(dir / "missing.MPLS");
        FAIL() << "opened a missing file";
    } catch (const MetaDataException& error) {
        EXPECT_EQ(error.what(), "Unable to open file " + (dir / "missing.MPLS").string() + ".\n");
    }
}

} // namespace tandrel
