#include "metadata/errors.h"
#include "metadata/playlist_reader.h"
#include "metadata/recordings.h"
#include "tests/support/card_writer.h"
#include "tests/support/temp_dir.h"
#include "tests/support/unprivileged.h"

#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

namespace tandrel {

namespace fs = boost::filesystem;

namespace {

CardPlaylist onePlaylist(int clipCount) {
    return simpleCard(1, clipCount).playlists.front();
}

PlaylistSet readFolder(const fs::path& folder) {
    PlaylistSet result;
    readPlaylists(folder, result, ".MPLS");
    return result;
}

// The message of the MetaDataException that reading `folder` throws.
std::string readFailure(const fs::path& folder, PlaylistSet& result) {
    try {
        readPlaylists(folder, result, ".MPLS");
    } catch (const MetaDataException& error) {
        return error.what();
    }
    return "no failure";
}

std::string readFailure(const fs::path& folder) {
    PlaylistSet result;
    return readFailure(folder, result);
}

std::string problemWith(const fs::path& file) {
    return "Problem parsing the file " + file.string() + ".\n";
}

std::uint8_t byteAt(const std::string& bytes, std::size_t offset) {
    return static_cast<std::uint8_t>(bytes.at(offset));
}

} // namespace

TEST(PlaylistReader, ReadsTheUsualLayoutAtItsOffsets) {
    CardPlaylist playlist;
    CardClip clip;
    clip.entryText = "ENTRY";
    playlist.clips.push_back(clip);
    playlist.playlistText = "MAKER TEXT";
    const std::string bytes = playlistBytes(playlist);

    // The writer lays the file out as cameras do.
    EXPECT_EQ(bytes.substr(70, 5), "00001");
    EXPECT_EQ(bytes.substr(75, 4), "M2TS");
    EXPECT_EQ(byteAt(bytes, 79), 0);
    EXPECT_EQ(bytes.substr(147, 3), "eng");
    EXPECT_EQ(byteAt(bytes, 159), 0);
    EXPECT_EQ(bytes.substr(164, 2), "\xFF\xFF");
    EXPECT_EQ(bytes.substr(249, 7), "\x20\x26\x12\x05\x18\x45\x03");
    EXPECT_EQ(bytes.substr(259, 10), "MAKER TEXT");
    EXPECT_EQ(byteAt(bytes, 531), 1);
    EXPECT_EQ(byteAt(bytes, 533), 0);
    EXPECT_EQ(bytes.substr(535, 7), "\x20\x26\x12\x05\x18\x45\x03");
    EXPECT_EQ(bytes.substr(544, 5), "ENTRY");

    TempDir dir;
    writeFile(dir / "00000.MPLS", bytes);
    const PlaylistSet result = readFolder(dir.path());
    ASSERT_EQ(result.playlists.size(), 1u);
    const PlaylistRecord& record = result.playlists[0];
    EXPECT_EQ(record.typeIndicator, "MPLS");
    EXPECT_EQ(record.versionNumber, "0100");
    EXPECT_EQ(record.clipCount, 1u);
    EXPECT_EQ(record.playlistText, "MAKER TEXT");
    EXPECT_EQ(record.recordingTime.tm_year, 126);
    ASSERT_EQ(record.clips.size(), 1u);
    const ClipRecord& read = record.clips[0];
    EXPECT_EQ(read.streamFile, fs::path("00001.M2TS"));
    EXPECT_EQ(read.streamText, "\x31"
                               "eng");
    EXPECT_TRUE(read.markFlag);
    EXPECT_EQ(read.entryText, "ENTRY");
    const std::tm& time = read.recordingTime;
    EXPECT_EQ(time.tm_year, 126);
    EXPECT_EQ(time.tm_mon, 11);
    EXPECT_EQ(time.tm_mday, 5);
    EXPECT_EQ(time.tm_hour, 18);
    EXPECT_EQ(time.tm_min, 45);
    EXPECT_EQ(time.tm_sec, 3);
    EXPECT_EQ(time.tm_wday, 0);
    EXPECT_EQ(time.tm_yday, 0);
    EXPECT_EQ(time.tm_isdst, 0);
    EXPECT_EQ(result.clipTotal, 1);
    EXPECT_EQ(result.markIndex, 1);
    EXPECT_EQ(result.entryIndex, 1);
}

TEST(PlaylistReader, TakesEachValueFromItsByte) {
    CardPlaylist playlist;
    playlist.clips.push_back(CardClip{});
    std::string bytes = playlistBytes(playlist);
    bytes.replace(70, 9, "abc12MTS2");
    bytes[531] = 0;
    bytes.replace(535, 7, std::string("\x19\x99\x01\x31\x00\x07\x59", 7));
    bytes.replace(249, 7, std::string("\x00\x00\x00\x01\x02\x03\x04", 7));

    TempDir dir;
    writeFile(dir / "00000.MPLS", bytes);
    const PlaylistSet result = readFolder(dir.path());
    const ClipRecord& clip = result.playlists.at(0).clips.at(0);
    EXPECT_EQ(clip.streamFile.string(), "abc12.MTS2");
    EXPECT_FALSE(clip.markFlag);
    EXPECT_EQ(clip.recordingTime.tm_year, 99);
    EXPECT_EQ(clip.recordingTime.tm_mon, 0);
    EXPECT_EQ(clip.recordingTime.tm_mday, 31);
    EXPECT_EQ(clip.recordingTime.tm_hour, 0);
    EXPECT_EQ(clip.recordingTime.tm_min, 7);
    EXPECT_EQ(clip.recordingTime.tm_sec, 59);
    // Stored as written: a zero year and month are not corrected.
    const std::tm& date = result.playlists[0].recordingTime;
    EXPECT_EQ(date.tm_year, -1900);
    EXPECT_EQ(date.tm_mon, -1);
    EXPECT_EQ(date.tm_mday, 1);
}

TEST(PlaylistReader, SelectsFilesByExtensionInByteOrder) {
    TempDir dir;
    EXPECT_TRUE(readFolder(dir.path()).playlists.empty());

    CardSpec card = simpleCard(3, 1);
    card.playlists[0].fileName = "b.mpls";
    card.playlists[1].fileName = "B.Mpls";
    card.playlists[2].fileName = "a.MPLS";
    writeCard(dir.path(), card);
    const fs::path folder = cardPlaylistFolder(dir.path());
    writeFile(folder / "c.MPL", "not a playlist");
    writeFile(folder / "c.MPLS2", "not a playlist");
    fs::create_directory(folder / "d.MPLS");

    const PlaylistSet result = readFolder(folder);
    ASSERT_EQ(result.playlists.size(), 3u);
    // "B.Mpls" < "a.MPLS" < "b.mpls" byte by byte.
    EXPECT_EQ(result.playlists[0].clips[0].streamFile, fs::path("00001.M2TS"));
    EXPECT_EQ(result.playlists[1].clips[0].streamFile, fs::path("00002.M2TS"));
    EXPECT_EQ(result.playlists[2].clips[0].streamFile, fs::path("00000.M2TS"));
}

TEST(PlaylistReader, TakesTheCountFromTheLowByteOnly) {
    TempDir dir;
    CardPlaylist none;
    writeFile(dir / "0.MPLS", playlistBytes(none));
    CardPlaylist wrapped = onePlaylist(256);
    wrapped.playItemCount = 256;
    writeFile(dir / "1.MPLS", playlistBytes(wrapped));

    const PlaylistSet result = readFolder(dir.path());
    ASSERT_EQ(result.playlists.size(), 2u);
    EXPECT_EQ(result.playlists[0].clipCount, 0u);
    EXPECT_TRUE(result.playlists[0].clips.empty());
    EXPECT_EQ(result.playlists[1].clipCount, 0u);
    EXPECT_TRUE(result.playlists[1].clips.empty());
}

TEST(PlaylistReader, NumbersEntriesAcrossTheWholeCard) {
    TempDir dir;
    const CardSpec card = simpleCard(3, 4);
    writeCard(dir.path(), card);
    const PlaylistSet result = readFolder(cardPlaylistFolder(dir.path()));
    ASSERT_EQ(result.playlists.size(), 3u);
    EXPECT_EQ(result.clipTotal, 12);
    EXPECT_EQ(result.entryIndex, 12);
    EXPECT_EQ(result.markIndex, 4);
    EXPECT_EQ(result.playlists[2].clips[3].streamFile, fs::path("00011.M2TS"));
    EXPECT_EQ(result.playlists[2].clips[3].recordingTime.tm_min, 11);

    // Both files number from 0: the first reads, the second fails at its
    // first entry and the first record stays.
    TempDir restart;
    const CardPlaylist two = onePlaylist(2);
    writeFile(restart / "00000.MPLS", playlistBytes(two, 0));
    writeFile(restart / "00001.MPLS", playlistBytes(two, 0));
    PlaylistSet partial;
    EXPECT_EQ(readFailure(restart.path(), partial), problemWith(restart / "00001.MPLS"));
    EXPECT_EQ(partial.playlists.size(), 1u);
    EXPECT_EQ(partial.entryIndex, 2);
}

TEST(PlaylistReader, ComparesEntryNumbersByTheirLowByteOnCardsOf256ClipsOrMore) {
    TempDir dir;
    writeCard(dir.path(), simpleCard(2, 200));
    const PlaylistSet result = readFolder(cardPlaylistFolder(dir.path()));
    EXPECT_EQ(result.clipTotal, 400);
    EXPECT_EQ(result.entryIndex, 400);

    TempDir wrong;
    CardPlaylist late = onePlaylist(1);
    writeFile(wrong / "00000.MPLS", playlistBytes(late, 256 + 7));
    PlaylistSet running;
    running.entryIndex = 256;
    EXPECT_EQ(readFailure(wrong.path(), running), problemWith(wrong / "00000.MPLS"));
}

TEST(PlaylistReader, KeepsDuplicateStreamsOfDifferentFiles) {
    TempDir dir;
    CardSpec card = simpleCard(2, 1);
    card.playlists[1].clips[0].clipName = "00000";
    writeCard(dir.path(), card);
    const PlaylistSet result = readFolder(cardPlaylistFolder(dir.path()));
    ASSERT_EQ(result.playlists.size(), 2u);
    EXPECT_EQ(result.playlists[0].clips[0].streamFile, result.playlists[1].clips[0].streamFile);
}

TEST(PlaylistReader, FailsFilesThatBreakTheLayout) {
    const auto failureOf = [](const CardPlaylist& playlist) {
        TempDir dir;
        writeFile(dir / "00000.MPLS", playlistBytes(playlist));
        const std::string message = readFailure(dir.path());
        return message == problemWith(dir / "00000.MPLS") ? std::string("problem") : message;
    };
    CardPlaylist playlist = onePlaylist(2);

    CardPlaylist markReference = playlist;
    markReference.clips[1].markReference = 0;
    EXPECT_EQ(failureOf(markReference), "problem");

    CardPlaylist markStream = playlist;
    markStream.clips[0].markStreamId = std::string(2, '\0');
    EXPECT_EQ(failureOf(markStream), "problem");

    CardPlaylist entryNumber = playlist;
    entryNumber.clips[1].entryNumber = 5;
    EXPECT_EQ(failureOf(entryNumber), "problem");

    CardPlaylist noMarker = playlist;
    noMarker.clips[0].omitEntryMarker = true;
    EXPECT_EQ(failureOf(noMarker), "problem");

    CardPlaylist insideText = onePlaylist(1);
    const std::size_t textOffset = playlistBytes(insideText).size() - 4 - 3;
    insideText.truncateAt = textOffset;
    EXPECT_EQ(failureOf(insideText), "problem");

    CardPlaylist badDate = onePlaylist(1);
    badDate.clips[0].recorded[3] = 0xA1;
    EXPECT_EQ(failureOf(badDate), "Error: String conversion failed.");
}

TEST(PlaylistReader, FindsTheEntryMarkerAfterAShorterRunOfFF) {
    TempDir dir;
    CardPlaylist playlist = onePlaylist(2);
    playlist.clips[0].entryTail = std::string("\xFF\x00\xFF\xFF\x00", 5);
    writeFile(dir / "00000.MPLS", playlistBytes(playlist));
    const PlaylistSet result = readFolder(dir.path());
    EXPECT_EQ(result.playlists.at(0).clips.at(1).recordingTime.tm_min, 1);
    EXPECT_EQ(result.entryIndex, 2);
}

TEST(PlaylistReader, AcceptsALastEntryThatEndsWithTheFile) {
    TempDir dir;
    CardPlaylist playlist = onePlaylist(2);
    playlist.clips[1].omitEntryMarker = true;
    playlist.clips[1].entryTail = "\xFF\xFF";
    writeFile(dir / "00000.MPLS", playlistBytes(playlist));
    const PlaylistSet result = readFolder(dir.path());
    EXPECT_EQ(result.playlists.at(0).clips.at(1).entryText, "AVCHD");
}

TEST(PlaylistReader, ReadsZerosPastTheEndOfATruncatedFile) {
    TempDir dir;
    // Cut right after the count byte: the PlayItem reads as an empty text.
    CardPlaylist cutAtItems = onePlaylist(1);
    cutAtItems.truncateAt = 66;
    writeFile(dir / "00000.MPLS", playlistBytes(cutAtItems));
    EXPECT_EQ(readFailure(dir.path()), problemWith(dir / "00000.MPLS"));

    // No clips: whatever lies beyond the end reads as zeros and is kept.
    TempDir empty;
    CardPlaylist noClips;
    noClips.truncateAt = 100;
    writeFile(empty / "00000.MPLS", playlistBytes(noClips));
    const PlaylistSet result = readFolder(empty.path());
    EXPECT_EQ(result.playlists.at(0).recordingTime.tm_year, -1900);
    EXPECT_EQ(result.playlists.at(0).playlistText, "");
}

TEST(PlaylistReader, RejectsStreamNamesThatAreNotPlainFileNames) {
    const auto failureFor = [](const std::string& clipName, const std::string& codecId) {
        TempDir dir;
        CardPlaylist playlist = onePlaylist(1);
        playlist.clips[0].clipName = clipName;
        playlist.clips[0].codecId = codecId;
        writeFile(dir / "00000.MPLS", playlistBytes(playlist));
        return readFailure(dir.path()) == problemWith(dir / "00000.MPLS");
    };
    EXPECT_TRUE(failureFor("../..", "M2TS"));
    EXPECT_TRUE(failureFor("a/b/c", "M2TS"));
    EXPECT_TRUE(failureFor("..\\..", "M2TS"));
    EXPECT_TRUE(failureFor("00001", "/etc"));
    // A zero byte right at the clip name leaves a text too short for a name.
    EXPECT_TRUE(failureFor("", "M2TS"));
    EXPECT_TRUE(failureFor("abc", ""));
    EXPECT_FALSE(failureFor("..abc", "M2TS"));
}

TEST(PlaylistReader, ReportsFolderFailures) {
    TempDir dir;
    const fs::path missing = dir / "missing";
    EXPECT_EQ(readFailure(missing), "The directory \"" + missing.string() + "\" does not exist.");

    const fs::path file = dir / "file.MPLS";
    writeFile(file, "x");
    EXPECT_EQ(readFailure(file), file.generic_string() + " is not a valid playlist folder.\n");
}

TEST(PlaylistReader, ReportsAFileThatCannotBeOpened) {
    TempDir dir;
    const fs::path file = dir / "00000.MPLS";
    writeFile(file, playlistBytes(onePlaylist(1)));
    fs::permissions(file, fs::no_perms);
    const std::string expected = "Unable to open file " + file.string() + ".\n";
    EXPECT_EQ(runUnprivileged([&] { return readFailure(dir.path()) == expected ? 0 : 1; }), 0);
}

// A text longer than any camera writes is read past to its end, so the
// entries after it are read from their places; only its start is kept.
TEST(PlaylistReader, KeepsTheStartOfALongText) {
    TempDir dir;
    CardPlaylist playlist = onePlaylist(2);
    playlist.clips[0].entryText = std::string(70000, 'x');
    writeFile(dir / "00000.MPLS", playlistBytes(playlist));
    const PlaylistSet result = readFolder(dir.path());
    EXPECT_EQ(result.playlists.at(0).clips.at(0).entryText, std::string(4096, 'x'));
    EXPECT_EQ(result.playlists.at(0).clips.at(1).entryText, "AVCHD");
}

// A crafted file whose last entry never ends is scanned to its end; a stop
// must end that scan, not wait for it.
TEST(PlaylistReader, AStopEndsTheScanOfAHugeFile) {
    TempDir dir;
    CardPlaylist playlist = onePlaylist(1);
    playlist.clips[0].omitEntryMarker = true;
    const fs::path file = dir / "00000.MPLS";
    writeFile(file, playlistBytes(playlist));
    fs::resize_file(file, 256 * 1024 * 1024);
    int checks = 0;
    PlaylistSet result;
    EXPECT_THROW(readPlaylists(dir.path(), result, ".MPLS",
                               {nullptr,
                                [&] {
                                    return ++checks > 3;
                                }}),
                 OperationStopped);
}

TEST(PlaylistReader, FindsTheStreamsTheCardWriterWrites) {
    CardClip unsafe;
    unsafe.clipName = "../ab";
    EXPECT_EQ(streamFileName(unsafe), "");
    CardClip shortName;
    shortName.clipName = "abc";
    EXPECT_EQ(streamFileName(shortName), "");

    TempDir dir;
    CardSpec card = simpleCard(2, 2, 1000);
    card.playlists[1].clips[0].clipName = "LONGER NAME";
    EXPECT_EQ(streamFileName(card.playlists[1].clips[0]), "LONGE.M2TS");
    writeCard(dir.path(), card);
    const PlaylistSet result = readFolder(cardPlaylistFolder(dir.path()));
    ASSERT_EQ(result.clipTotal, 4);
    for (const PlaylistRecord& playlist : result.playlists) {
        for (const ClipRecord& clip : playlist.clips) {
            const fs::path stream = cardStreamFolder(dir.path()) / clip.streamFile;
            ASSERT_TRUE(fs::is_regular_file(stream)) << stream;
            EXPECT_EQ(fs::file_size(stream), 1000u);
            EXPECT_EQ(readFile(stream).substr(188, 1), "\x47");
        }
    }
}

// Cameras split a long recording into parts that continue one another; the
// reader keeps the low four bits of each PlayItem's connection condition.
TEST(PlaylistReader, TellsWhichClipsContinueARecording) {
    TempDir dir;
    CardSpec card = simpleCard(2, 3);
    card.playlists[0].clips[1].connectionCondition = 0x0016;
    card.playlists[0].clips[2].connectionCondition = 6;
    // A part at the start of a playlist has nothing to continue.
    card.playlists[1].clips[0].connectionCondition = 6;
    card.playlists[1].clips[2].connectionCondition = 5;
    writeCard(dir.path(), card);
    const PlaylistSet result = readFolder(cardPlaylistFolder(dir.path()));
    EXPECT_EQ(result.playlists.at(0).clips.at(1).connectionCondition, 6);
    EXPECT_EQ(result.playlists.at(1).clips.at(2).connectionCondition, 5);

    const std::vector<Recording> recordings = recordingsOf(result);
    std::vector<std::pair<std::size_t, std::size_t>> shape;
    for (const Recording& recording : recordings) {
        shape.emplace_back(recording.firstClip, recording.parts.size());
    }
    EXPECT_EQ(shape,
              (std::vector<std::pair<std::size_t, std::size_t>>{{0, 3}, {3, 1}, {4, 1}, {5, 1}}));
    EXPECT_EQ(recordingsOf(result, false).size(), 6u);
}

} // namespace tandrel
