#pragma once

#include <boost/filesystem/path.hpp>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

// A playlist file opened for binary input, with the reading primitives of the
// playlist layout. End of file is sticky: once a read or a skip has gone past
// the last byte, every later read gives zero bytes, empty texts and -1, and
// no positioning brings the stream back into the file. Structural checks
// then reject what was read.
class PlaylistStream {
public:
    // Texts longer than this fail the file: no playlist holds one, and it
    // keeps memory bounded whatever a crafted file contains.
    static constexpr std::size_t maxTextLength = 4096;

    // Opens `file`; throws MetaDataException "Unable to open file ..." when it
    // cannot be opened.
    explicit PlaylistStream(const boost::filesystem::path& file);

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

    std::string nativeFile_;
    std::ifstream in_;
    std::uint64_t size_ = 0;
    std::uint64_t position_ = 0;
    bool atEnd_ = false;
};
