#pragma once

// Writes camera cards for tests, benchmarks and fuzz seeds: playlist files
// laid out field by field as cameras write them, stream files of given sizes,
// and switches that break each rule the reader checks.

#include <boost/filesystem/path.hpp>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tandrel {

// A date and time as the playlist stores it: seven packed decimal bytes,
// year (two bytes), month, day, hour, minute, second.
using DateBytes = std::array<std::uint8_t, 7>;

// 2026-12-05 18:45:03 becomes 0x20 0x26 0x12 0x05 0x18 0x45 0x03.
DateBytes bcdDateTime(int year, int month, int day, int hour, int minute, int second);

struct CardClip {
    // Written into the PlayItem as exactly 5 and 4 bytes (cut, or filled up
    // with zero bytes); the stream file is clipName + "." + codecId.
    std::string clipName = "00001";
    std::string codecId = "M2TS";
    // 1 a new recording; 6 the next part of the recording before it (a
    // camera splits a long recording at the FAT size limit).
    std::uint16_t connectionCondition = 1;
    DateBytes recorded = bcdDateTime(2026, 12, 5, 18, 45, 3);
    // Size of the stream file writeCard writes for this clip.
    std::uint64_t streamSize = 4096;

    // The extension entry.
    std::uint8_t markFlag = 1;
    std::string entryText = "AVCHD";
    // Bytes between the entry text's ending zero and the entry's 0xFF 0xFF
    // 0xFF 0xFF marker.
    std::string entryTail;

    // Switches that break the layout for this clip.
    std::optional<std::uint8_t> markReference; // instead of the clip's index
    std::optional<std::string> markStreamId;   // instead of 0xFF 0xFF (2 bytes)
    std::optional<std::uint8_t> entryNumber;   // instead of the running number
    bool omitEntryMarker = false;              // no 0xFF 0xFF 0xFF 0xFF after the entry
    std::optional<std::string> languageCode;   // instead of "eng" (3 bytes)
};

struct CardPlaylist {
    std::string fileName = "00000.MPLS";
    std::string typeIndicator = "MPLS";
    std::string versionNumber = "0100";
    DateBytes recorded = bcdDateTime(2026, 12, 5, 18, 45, 3);
    std::string playlistText = "AVCHD";
    std::vector<CardClip> clips;

    // Switches that break the layout of the whole file.
    std::optional<std::uint16_t> playItemCount; // instead of clips.size()
    std::optional<std::size_t> truncateAt;      // keep only this many bytes
    std::string trailingBytes;                  // appended after the last entry
};

// Where the card's tree lives and how its folders are spelled; tests change
// the place and the letter case.
struct CardFolders {
    // From the card's root down to BDMV, "/"-separated: the PC software's
    // PRIVATE/AVCHDL/BDMV, or what cameras write (PRIVATE/AVCHD/BDMV,
    // AVCHD/BDMV, BDMV).
    std::string bdmvPath = "PRIVATE/AVCHDL/BDMV";
    std::string playlistFolder = "PLAYLIST";
    std::string streamFolder = "STREAM";
};

struct CardSpec {
    std::vector<CardPlaylist> playlists;
    CardFolders folders;
    // Extensions written on the card in place of each playlist file's own and
    // of each PlayItem's codec identifier; empty keeps them. Cameras write
    // the 8.3 names of FAT media (".MPL", ".MTS") while their PlayItems still
    // say M2TS.
    std::string playlistExtension;
    std::string streamExtension;
    // Write a stream file for every clip that has a streamFileName.
    bool writeStreams = true;
    // A BDMV/BACKUP folder with a copy of the playlist files, as cameras keep.
    bool writeBackup = false;
};

// The stream file name the reader makes of `clip`: the clip name and codec
// identifier as written (5 and 4 bytes) joined by ".". Empty when the fields
// do not hold a whole name, or it is not a plain file name; such clips get
// no stream file.
std::string streamFileName(const CardClip& clip);

// The bytes of one playlist file whose extension entries are numbered from
// `firstEntryNumber` on (low eight bits, as the card stores them).
std::string playlistBytes(const CardPlaylist& playlist, std::int32_t firstEntryNumber = 0);

// The names writeCard gives a playlist file and a clip's stream file on
// `card` (the stream file's name is empty when streamFileName is).
std::string playlistFileOnCard(const CardSpec& card, const CardPlaylist& playlist);
std::string streamFileOnCard(const CardSpec& card, const CardClip& clip);

// Where a card's folders land below its root.
boost::filesystem::path cardPlaylistFolder(const boost::filesystem::path& root,
                                           const CardFolders& folders = {});
boost::filesystem::path cardStreamFolder(const boost::filesystem::path& root,
                                         const CardFolders& folders = {});

// Writes `card` below `root`: the playlist folder with every playlist (entry
// numbers running over the card in byte-wise order of the file names, as the
// reader reads them), and the stream folder with the stream files. Both
// folders are created even when empty.
void writeCard(const boost::filesystem::path& root, const CardSpec& card);

// A stream file of `size` bytes: transport stream packets (sync byte 0x47
// every 188 bytes) whose payload is derived from the file name, so copies can
// be told apart and compared.
void writeStreamFile(const boost::filesystem::path& file, std::uint64_t size);

// A card with `playlistCount` playlists of `clipsPerPlaylist` clips each, one
// clip per minute from 2026-12-05 18:00:00, stream names numbered from 00000.
CardSpec simpleCard(int playlistCount, int clipsPerPlaylist, std::uint64_t streamSize = 4096);

} // namespace tandrel
