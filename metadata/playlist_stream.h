#pragma once

#include "metadata/file_descriptor.h"
#include "metadata/stop_check.h"

#include <boost/filesystem/path.hpp>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tandrel {

// A playlist file opened for binary input, with the reading primitives of the
// playlist layout. End of file is sticky: once a read or a skip has gone past
// the last byte, every later read gives zero bytes, empty texts and -1, and
// no positioning brings the stream back into the file. Structural checks
// then reject what was read.
//
// Memory stays bounded and a stop is noticed whatever a crafted file holds:
// texts keep at most maxTextLength bytes, and long scans ask the stop check
// after every block.
class PlaylistStream {
public:
    // No playlist holds a longer text; the rest of a longer one is read past,
    // so the position after it stays right.
    static constexpr std::size_t maxTextLength = 4096;

    // Opens `file`; throws MetaDataException "Unable to open file ..." when it
    // cannot be opened.
    explicit PlaylistStream(const boost::filesystem::path& file);
    // Reads the open `file`; `nativeName` names it in messages.
    PlaylistStream(FileDescriptor file, std::string nativeName, StopCheck stopRequested);

    std::uint64_t position() const { return position_; }
    void seek(std::uint64_t offset);
    void skip(std::uint64_t count);

    std::string readFixed(std::size_t count);
    std::uint8_t readByte();
    // The decimal number spelled by the leading decimal digits of the bytes'
    // hexadecimal digits (0x20 0x26 gives 2026, 0x1A gives 1). Throws
    // MetaDataException "Error: String conversion failed." when the first
    // digit is above 9.
    std::int32_t readBcd(std::size_t count);
    // The bytes up to the next zero byte, which is consumed, or up to the end.
    std::string readText();
    // The absolute position of the next 0xFF 0xFF 0xFF 0xFF at or after the
    // current position, or -1 when the end was reached before the search. An
    // end met during the search ends the marker there: the entry is complete
    // and the stream stands at the end.
    std::int64_t findEntryEnd();

    // Throws MetaDataException "Problem parsing the file ...": the file does
    // not have the layout the reader expects.
    [[noreturn]] void fail() const;

private:
    void reachEnd() { atEnd_ = true; }
    // Makes the buffer hold the byte at the current position; false at the
    // end of the file.
    bool fillBuffer();
    const char* bufferAtPosition() const;
    std::size_t bufferedFromPosition() const;

    FileDescriptor file_;
    std::string nativeFile_;
    StopCheck stopRequested_;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;
    bool atEnd_ = false;
    std::vector<char> buffer_;
    std::uint64_t bufferStart_ = 0;
    std::size_t bufferLength_ = 0;
};

} // namespace tandrel
