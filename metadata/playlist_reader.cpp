#include "metadata/playlist_reader.h"

#include "metadata/card_tree.h"
#include "metadata/errors.h"
#include "metadata/file_listing.h"
#include "metadata/playlist_stream.h"

#include <boost/filesystem/operations.hpp>

#include <optional>

#include <fcntl.h>
#include <sys/stat.h>

namespace tandrel {

namespace fs = boost::filesystem;

namespace {

// The usual layout as absolute offsets and as forward skips, each skip
// counted from where the previous read ended; see readPlaylistFile.
constexpr std::uint64_t typeIndicatorOffset = 0;
constexpr std::uint64_t versionNumberOffset = 4;
constexpr std::uint64_t playItemCountLowByte = 65;
constexpr std::uint64_t firstPlayItemSecondByte = 69;
constexpr std::uint64_t clipNameToStreamText = 66;
// The first of those 66 bytes holds the connection condition in its low four
// bits; reading it is part of the skip, so no other read moves.
constexpr std::uint64_t connectionToStreamText = clipNameToStreamText - 1;
constexpr std::uint64_t streamTextToMarks = 1;
constexpr std::uint64_t markStartToReference = 7;
constexpr std::uint64_t referenceToStreamId = 4;
constexpr std::uint64_t lastMarkToPlaylistDate[] = {28, 4, 48, 3};
constexpr std::uint64_t playlistDateToText = 3;
constexpr std::uint64_t playlistTextToFirstEntry = 263;
constexpr std::uint64_t entryStartToFlag = 9;
constexpr std::uint64_t flagToNumber = 1;
constexpr std::uint64_t numberToDate = 1;
constexpr std::uint64_t dateToText = 2;
constexpr std::uint64_t entryMarkerLength = 4;

// The shortest text a stream file name can be made from: the length byte
// that is dropped and four characters for the extension.
constexpr std::size_t minimumNameText = 5;

bool isPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string::npos;
}

// The stream file name of a PlayItem: the text's first character (the low
// byte of the PlayItem length) dropped and "." put before the four-character
// codec identifier. The name is joined to the stream folder later, so it must
// not be able to lead out of it.
fs::path streamFileFrom(const std::string& text, const PlaylistStream& stream) {
    if (text.size() < minimumNameText) {
        stream.fail();
    }
    const std::string::size_type extensionStart = text.size() - 4;
    const std::string name = text.substr(1, extensionStart - 1) + "." + text.substr(extensionStart);
    if (!isPlainFileName(name)) {
        stream.fail();
    }
    return fs::path(name);
}

// Year (two bytes, four digits), month, day, hour, minute and second, stored
// exactly as written: no range check and no normalisation.
void readDateTime(PlaylistStream& stream, std::tm& time) {
    time.tm_year = stream.readBcd(2) - 1900;
    time.tm_mon = stream.readBcd(1) - 1;
    time.tm_mday = stream.readBcd(1);
    time.tm_hour = stream.readBcd(1);
    time.tm_min = stream.readBcd(1);
    time.tm_sec = stream.readBcd(1);
}

// A camera that splits one recording into several files (at the FAT size
// limit) marks every part after the first with this condition.
constexpr std::uint8_t continuationCondition = 6;

void readPlayItems(PlaylistStream& stream, PlaylistRecord& record, PlaylistSet& result) {
    stream.seek(firstPlayItemSecondByte);
    bool first = true;
    for (ClipRecord& clip : record.clips) {
        clip.streamFile = streamFileFrom(stream.readText(), stream);
        clip.connectionCondition = stream.readByte() & 0x0F;
        // The first PlayItem of a playlist has nothing to continue.
        clip.continuesPrevious = !first && clip.connectionCondition == continuationCondition;
        first = false;
        stream.skip(connectionToStreamText);
        clip.streamText = stream.readText();
        ++result.clipTotal;
    }
}

// One mark per clip; the mark count of the file is not read.
void checkMarks(PlaylistStream& stream, const PlaylistRecord& record, PlaylistSet& result) {
    stream.skip(streamTextToMarks);
    for (std::size_t mark = 0; mark < record.clips.size(); ++mark) {
        stream.skip(markStartToReference);
        if (stream.readByte() != result.markIndex) {
            stream.fail();
        }
        stream.skip(referenceToStreamId);
        if (stream.readFixed(2) != "\xFF\xFF") {
            stream.fail();
        }
        ++result.markIndex;
    }
}

// The entry number is one byte while the running number counts the whole
// card, so only its low eight bits can be compared.
void readEntries(PlaylistStream& stream, PlaylistRecord& record, PlaylistSet& result) {
    for (ClipRecord& clip : record.clips) {
        stream.skip(entryStartToFlag);
        clip.markFlag = stream.readByte() != 0;
        stream.skip(flagToNumber);
        if (stream.readByte() != (result.entryIndex & 0xFF)) {
            stream.fail();
        }
        stream.skip(numberToDate);
        readDateTime(stream, clip.recordingTime);
        stream.skip(dateToText);
        clip.entryText = stream.readText();
        const std::int64_t marker = stream.findEntryEnd();
        if (marker < 0) {
            stream.fail();
        }
        stream.seek(static_cast<std::uint64_t>(marker) + entryMarkerLength);
        ++result.entryIndex;
    }
}

// Opened without blocking, so a FIFO posing as a playlist cannot hang the
// reader; anything but a regular file cannot be opened as a playlist.
FileDescriptor openPlaylist(const CardTree& tree, const fs::path& file) {
    FileDescriptor fd = tree.open(file, O_RDONLY | O_NONBLOCK);
    struct stat status {};
    if (fd.isOpen() && (::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode))) {
        return FileDescriptor();
    }
    return fd;
}

PlaylistRecord readPlaylistFile(const CardTree& tree, const fs::path& file,
                                const StopCheck& stopRequested, PlaylistSet& result) {
    PlaylistStream stream(openPlaylist(tree, file), file.string(), stopRequested);
    PlaylistRecord record;
    stream.seek(typeIndicatorOffset);
    record.typeIndicator = stream.readFixed(4);
    stream.seek(versionNumberOffset);
    record.versionNumber = stream.readFixed(4);
    stream.seek(playItemCountLowByte);
    record.clipCount = stream.readByte();
    record.clips.resize(record.clipCount);

    readPlayItems(stream, record, result);
    checkMarks(stream, record, result);

    for (const std::uint64_t count : lastMarkToPlaylistDate) {
        stream.skip(count);
    }
    readDateTime(stream, record.recordingTime);
    stream.skip(playlistDateToText);
    const std::uint64_t textStart = stream.position();
    record.playlistText = stream.readText();
    stream.seek(textStart + playlistTextToFirstEntry);

    readEntries(stream, record, result);
    return record;
}

} // namespace

void readPlaylists(const fs::path& playlistFolder, PlaylistSet& result,
                   const std::string& extension, const PlaylistAccess& access) {
    result.playlists.clear();
    if (!fs::exists(playlistFolder)) {
        throw MetaDataException("The directory \"" + playlistFolder.string() +
                                "\" does not exist.");
    }
    if (!fs::is_directory(playlistFolder)) {
        throw MetaDataException(playlistFolder.generic_string() +
                                " is not a valid playlist folder." + "\n");
    }
    std::optional<CardTree> folderTree;
    if (!access.card) {
        folderTree.emplace(playlistFolder);
    }
    const CardTree& tree = access.card ? *access.card : *folderTree;
    for (const fs::path& file : matchingFiles(playlistFolder, extension)) {
        if (access.stopRequested && access.stopRequested()) {
            throw OperationStopped();
        }
        result.markIndex = 0;
        result.playlists.push_back(readPlaylistFile(tree, file, access.stopRequested, result));
    }
}

} // namespace tandrel
