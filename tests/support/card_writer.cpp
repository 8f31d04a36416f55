#include "tests/support/card_writer.h"

#include <boost/filesystem/operations.hpp>

#include <algorithm>
#include <ctime>
#include <fstream>
#include <stdexcept>

namespace tandrel {

namespace fs = boost::filesystem;

namespace {

// Section sizes of the usual layout.
constexpr std::size_t playListStart = 58;
constexpr std::size_t playItemLength = 82;
constexpr std::size_t markLength = 14;
constexpr std::size_t extensionToPlaylistDate = 79;
constexpr std::size_t playlistTextToFirstEntry = 263;
constexpr std::uint8_t entryMarker = 0xFF;

class ByteWriter {
public:
    void u8(std::uint8_t value) { bytes_.push_back(static_cast<char>(value)); }
    void u16(std::uint16_t value) {
        u8(static_cast<std::uint8_t>(value >> 8));
        u8(static_cast<std::uint8_t>(value));
    }
    void u32(std::uint32_t value) {
        u16(static_cast<std::uint16_t>(value >> 16));
        u16(static_cast<std::uint16_t>(value));
    }
    void zeros(std::size_t count) { bytes_.append(count, '\0'); }
    // Exactly `width` bytes of `text`: cut, or filled up with zero bytes.
    void fixed(const std::string& text, std::size_t width) {
        std::string field = text.substr(0, width);
        field.resize(width, '\0');
        bytes_ += field;
    }
    void raw(const std::string& text) { bytes_ += text; }
    void text(const std::string& text) {
        bytes_ += text;
        u8(0);
    }
    void date(const DateBytes& date) {
        for (const std::uint8_t byte : date) {
            u8(byte);
        }
    }
    void padTo(std::size_t size) {
        if (bytes_.size() < size) {
            zeros(size - bytes_.size());
        }
    }
    void putU32At(std::size_t offset, std::uint32_t value) {
        for (int shift = 24, i = 0; shift >= 0; shift -= 8, ++i) {
            bytes_[offset + static_cast<std::size_t>(i)] = static_cast<char>(value >> shift);
        }
    }
    std::size_t size() const { return bytes_.size(); }
    std::string take() { return std::move(bytes_); }

private:
    std::string bytes_;
};

std::uint8_t bcdByte(int value) {
    return static_cast<std::uint8_t>(((value / 10) % 10) << 4 | (value % 10));
}

// A PlayItem of 82 bytes with one video and one audio stream.
void writePlayItem(ByteWriter& out, const CardClip& clip) {
    out.u16(playItemLength - 2);
    out.fixed(clip.clipName, 5);
    out.fixed(clip.codecId, 4);
    out.u16(clip.connectionCondition); // no multi-angle, then the condition
    out.u8(0);                         // STC id
    out.u32(0x00000000);               // IN time
    out.u32(0x00A4CB80);               // OUT time
    out.zeros(8);                      // user operation mask
    out.u8(0);                         // random access and still mode
    out.u8(0);
    out.u16(0); // still time
    // STN table: one primary video and one primary audio stream.
    out.u16(playItemLength - 36);
    out.u16(0);
    out.u8(1); // video streams
    out.u8(1); // audio streams
    out.zeros(5);
    out.zeros(5);
    // Video stream entry and attributes (H.264, 1080i).
    out.u8(9);
    out.u8(1);
    out.u16(0x1011);
    out.zeros(6);
    out.u8(5);
    out.u8(0x1B);
    out.u8(0x41);
    out.zeros(3);
    // Audio stream entry and attributes (AC-3 stereo, 48 kHz, language).
    out.u8(9);
    out.u8(1);
    out.u16(0x1100);
    out.zeros(6);
    out.u8(5);
    out.u8(0x81);
    out.u8(0x31);
    out.fixed(clip.languageCode.value_or("eng"), 3);
}

void writeMark(ByteWriter& out, const CardClip& clip, std::size_t index) {
    out.u8(0);
    out.u8(1); // entry mark
    out.u16(clip.markReference ? *clip.markReference : static_cast<std::uint16_t>(index));
    out.u32(0x00000000); // time stamp
    if (clip.markStreamId) {
        out.fixed(*clip.markStreamId, 2);
    } else {
        out.u16(0xFFFF);
    }
    out.u32(0); // duration
}

void writeEntry(ByteWriter& out, const CardClip& clip, std::int32_t number) {
    out.u16(0x0000);
    out.raw("MDPM");
    out.u8(0x00);
    out.u16(0x0000);
    out.u8(clip.markFlag);
    out.u8(0x00);
    out.u8(clip.entryNumber ? *clip.entryNumber : static_cast<std::uint8_t>(number & 0xFF));
    out.u8(0x18); // date and time tag
    out.date(clip.recorded);
    out.u16(0x0000);
    out.text(clip.entryText);
    out.raw(clip.entryTail);
    if (!clip.omitEntryMarker) {
        for (int i = 0; i < 4; ++i) {
            out.u8(entryMarker);
        }
    }
}

fs::path layoutFolder(const fs::path& root, const CardFolders& folders, const std::string& leaf) {
    return root / folders.bdmvPath / leaf;
}

std::string withExtension(const std::string& name, const std::string& extension) {
    return extension.empty() || name.empty() ? name : name.substr(0, name.rfind('.')) + extension;
}

void writeBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file.string(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("card writer: cannot write " + file.string());
    }
}

} // namespace

DateBytes bcdDateTime(int year, int month, int day, int hour, int minute, int second) {
    return {bcdByte(year / 100), bcdByte(year % 100), bcdByte(month), bcdByte(day),
            bcdByte(hour),       bcdByte(minute),     bcdByte(second)};
}

std::string streamFileName(const CardClip& clip) {
    const std::string clipName = clip.clipName.substr(0, 5);
    const std::string codecId = clip.codecId.substr(0, 4);
    const std::string name = clipName + "." + codecId;
    const bool whole =
        clipName.size() == 5 && codecId.size() == 4 && name.find('\0') == std::string::npos;
    const bool plain = name.find_first_of("/\\") == std::string::npos;
    return whole && plain ? name : std::string();
}

std::string playlistBytes(const CardPlaylist& playlist, std::int32_t firstEntryNumber) {
    const std::size_t clipCount = playlist.clips.size();
    const std::size_t markStart = playListStart + 10 + playItemLength * clipCount;
    const std::size_t extensionStart = markStart + 6 + markLength * clipCount;

    ByteWriter out;
    out.fixed(playlist.typeIndicator, 4);
    out.fixed(playlist.versionNumber, 4);
    out.u32(static_cast<std::uint32_t>(playListStart));
    out.u32(static_cast<std::uint32_t>(markStart));
    out.u32(static_cast<std::uint32_t>(extensionStart));
    out.zeros(20);
    // AppInfoPlayList.
    out.u32(14);
    out.u8(0);
    out.u8(1); // sequential playback
    out.zeros(12);

    out.u32(static_cast<std::uint32_t>(6 + playItemLength * clipCount));
    out.u16(0);
    out.u16(playlist.playItemCount ? *playlist.playItemCount
                                   : static_cast<std::uint16_t>(clipCount));
    out.u16(0); // sub-paths
    for (const CardClip& clip : playlist.clips) {
        writePlayItem(out, clip);
    }

    out.u32(static_cast<std::uint32_t>(2 + markLength * clipCount));
    out.u16(static_cast<std::uint16_t>(clipCount));
    for (std::size_t i = 0; i < clipCount; ++i) {
        writeMark(out, playlist.clips[i], i);
    }

    // ExtensionData: its header, then the maker block with the playlist date,
    // the playlist text and one entry per clip.
    const std::size_t lengthField = out.size();
    out.u32(0);
    out.u32(24);
    out.zeros(3);
    out.u8(1);
    out.u16(0x1000);
    out.u16(0x0100);
    out.u32(24);
    out.u32(0);
    out.raw("MAKER");
    out.padTo(extensionStart + extensionToPlaylistDate);
    out.date(playlist.recorded);
    out.zeros(3);
    const std::size_t textStart = out.size();
    out.text(playlist.playlistText);
    out.padTo(textStart + playlistTextToFirstEntry);
    std::int32_t number = firstEntryNumber;
    for (const CardClip& clip : playlist.clips) {
        writeEntry(out, clip, number++);
    }
    out.raw(playlist.trailingBytes);
    out.putU32At(lengthField, static_cast<std::uint32_t>(out.size() - lengthField - 4));

    std::string bytes = out.take();
    if (playlist.truncateAt && *playlist.truncateAt < bytes.size()) {
        bytes.resize(*playlist.truncateAt);
    }
    return bytes;
}

std::string playlistFileOnCard(const CardSpec& card, const CardPlaylist& playlist) {
    return withExtension(playlist.fileName, card.playlistExtension);
}

std::string streamFileOnCard(const CardSpec& card, const CardClip& clip) {
    return withExtension(streamFileName(clip), card.streamExtension);
}

fs::path cardPlaylistFolder(const fs::path& root, const CardFolders& folders) {
    return layoutFolder(root, folders, folders.playlistFolder);
}

fs::path cardStreamFolder(const fs::path& root, const CardFolders& folders) {
    return layoutFolder(root, folders, folders.streamFolder);
}

void writeCard(const fs::path& root, const CardSpec& card) {
    const fs::path playlistFolder = cardPlaylistFolder(root, card.folders);
    const fs::path streamFolder = cardStreamFolder(root, card.folders);
    fs::create_directories(playlistFolder);
    fs::create_directories(streamFolder);

    std::vector<const CardPlaylist*> readOrder;
    for (const CardPlaylist& playlist : card.playlists) {
        readOrder.push_back(&playlist);
    }
    std::stable_sort(readOrder.begin(), readOrder.end(),
                     [&card](const CardPlaylist* left, const CardPlaylist* right) {
                         return playlistFileOnCard(card, *left) < playlistFileOnCard(card, *right);
                     });
    const fs::path backupFolder = root / card.folders.bdmvPath / "BACKUP" / "PLAYLIST";
    if (card.writeBackup) {
        fs::create_directories(backupFolder);
    }
    std::int32_t entryNumber = 0;
    for (const CardPlaylist* playlist : readOrder) {
        const std::string name = playlistFileOnCard(card, *playlist);
        const std::string bytes = playlistBytes(*playlist, entryNumber);
        writeBytes(playlistFolder / name, bytes);
        if (card.writeBackup) {
            writeBytes(backupFolder / name, bytes);
        }
        entryNumber += static_cast<std::int32_t>(playlist->clips.size());
    }

    if (!card.writeStreams) {
        return;
    }
    for (const CardPlaylist& playlist : card.playlists) {
        for (const CardClip& clip : playlist.clips) {
            const std::string name = streamFileOnCard(card, clip);
            if (!name.empty()) {
                writeStreamFile(streamFolder / name, clip.streamSize);
            }
        }
    }
}

void writeStreamFile(const fs::path& file, std::uint64_t size) {
    constexpr std::size_t packetLength = 188;
    const std::string name = file.filename().string();
    std::string packet(packetLength, '\0');
    packet[0] = 0x47;
    for (std::size_t i = 1; i < packetLength; ++i) {
        packet[i] = name.empty() ? static_cast<char>(i) : name[i % name.size()];
    }
    std::ofstream out(file.string(), std::ios::binary | std::ios::trunc);
    for (std::uint64_t written = 0; written < size && out;) {
        const std::uint64_t count = std::min<std::uint64_t>(packetLength, size - written);
        out.write(packet.data(), static_cast<std::streamsize>(count));
        written += count;
    }
    if (!out) {
        throw std::runtime_error("card writer: cannot write " + file.string());
    }
}

CardSpec simpleCard(int playlistCount, int clipsPerPlaylist, std::uint64_t streamSize) {
    // 2026-12-05 18:00:00 in seconds since the epoch, counted in UTC so the
    // clip times do not depend on the machine's time zone.
    constexpr std::time_t start = 1796493600;
    CardSpec card;
    int clipNumber = 0;
    for (int p = 0; p < playlistCount; ++p) {
        CardPlaylist playlist;
        playlist.fileName = (p < 10 ? "0000" : "000") + std::to_string(p) + ".MPLS";
        for (int c = 0; c < clipsPerPlaylist; ++c, ++clipNumber) {
            const std::time_t when = start + static_cast<std::time_t>(clipNumber) * 60;
            std::tm utc{};
            gmtime_r(&when, &utc);
            CardClip clip;
            std::string digits = std::to_string(clipNumber);
            clip.clipName = std::string(5 - std::min<std::size_t>(5, digits.size()), '0') + digits;
            clip.recorded = bcdDateTime(utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday,
                                        utc.tm_hour, utc.tm_min, utc.tm_sec);
            clip.streamSize = streamSize;
            if (c == 0) {
                playlist.recorded = clip.recorded;
            }
            playlist.clips.push_back(clip);
        }
        card.playlists.push_back(playlist);
    }
    return card;
}

} // namespace tandrel
