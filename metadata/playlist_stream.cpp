#include "metadata/playlist_stream.h"

#include "metadata/errors.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tandrel {

namespace {

// Large enough that scanning a crafted file of gigabytes runs at disk speed,
// small enough that a stop is noticed at once.
constexpr std::size_t blockSize = 64 * 1024;

std::uint64_t sizeOf(int fd) {
    struct stat status {};
    return ::fstat(fd, &status) == 0 && status.st_size > 0
               ? static_cast<std::uint64_t>(status.st_size)
               : 0;
}

} // namespace

PlaylistStream::PlaylistStream(const boost::filesystem::path& file)
    : PlaylistStream(FileDescriptor(::open(file.c_str(), O_RDONLY | O_CLOEXEC)), file.string(),
                     StopCheck()) {}

PlaylistStream::PlaylistStream(FileDescriptor file, std::string nativeName, StopCheck stopRequested)
    : file_(std::move(file)), nativeFile_(std::move(nativeName)),
      stopRequested_(std::move(stopRequested)), buffer_(blockSize) {
    if (!file_.isOpen()) {
        throw MetaDataException("Unable to open file " + nativeFile_ + "." + "\n");
    }
    size_ = sizeOf(file_.get());
}

void PlaylistStream::seek(std::uint64_t offset) {
    if (atEnd_) {
        return;
    }
    if (offset > size_) {
        reachEnd();
        return;
    }
    position_ = offset;
}

void PlaylistStream::skip(std::uint64_t count) {
    if (atEnd_) {
        return;
    }
    if (count > size_ - position_) {
        reachEnd();
        return;
    }
    position_ += count;
}

bool PlaylistStream::fillBuffer() {
    if (position_ >= bufferStart_ && position_ < bufferStart_ + bufferLength_) {
        return true;
    }
    if (position_ >= size_) {
        return false;
    }
    if (stopRequested_ && stopRequested_()) {
        throw OperationStopped();
    }
    const ssize_t count =
        ::pread(file_.get(), buffer_.data(), buffer_.size(), static_cast<off_t>(position_));
    // A file that shrank, or a read error, ends the file here; the
    // structural checks then reject what is missing.
    if (count <= 0) {
        size_ = position_;
        return false;
    }
    bufferStart_ = position_;
    bufferLength_ = static_cast<std::size_t>(count);
    return true;
}

const char* PlaylistStream::bufferAtPosition() const {
    return buffer_.data() + (position_ - bufferStart_);
}

std::size_t PlaylistStream::bufferedFromPosition() const {
    return bufferLength_ - static_cast<std::size_t>(position_ - bufferStart_);
}

std::string PlaylistStream::readFixed(std::size_t count) {
    // The bytes beyond the end read as zeros.
    std::string bytes(count, '\0');
    std::size_t got = 0;
    while (!atEnd_ && got < count) {
        if (!fillBuffer()) {
            reachEnd();
            break;
        }
        const std::size_t part = std::min(count - got, bufferedFromPosition());
        std::memcpy(bytes.data() + got, bufferAtPosition(), part);
        got += part;
        position_ += part;
    }
    return bytes;
}

std::uint8_t PlaylistStream::readByte() {
    return static_cast<std::uint8_t>(readFixed(1)[0]);
}

std::int32_t PlaylistStream::readBcd(std::size_t count) {
    const std::string bytes = readFixed(count);
    std::int32_t value = 0;
    bool anyDigit = false;
    for (const char byte : bytes) {
        const auto unsignedByte = static_cast<unsigned char>(byte);
        for (const int digit : {unsignedByte >> 4, unsignedByte & 0x0F}) {
            if (digit > 9) {
                if (!anyDigit) {
                    throw MetaDataException("Error: String conversion failed.");
                }
                return value;
            }
            value = value * 10 + digit;
            anyDigit = true;
        }
    }
    return value;
}

std::string PlaylistStream::readText() {
    std::string text;
    while (!atEnd_) {
        if (!fillBuffer()) {
            reachEnd();
            break;
        }
        const char* start = bufferAtPosition();
        const std::size_t available = bufferedFromPosition();
        const char* zero = static_cast<const char*>(std::memchr(start, 0, available));
        const std::size_t length = zero ? static_cast<std::size_t>(zero - start) : available;
        text.append(start, std::min(length, maxTextLength - text.size()));
        position_ += length;
        if (zero) {
            ++position_;
            break;
        }
    }
    return text;
}

std::int64_t PlaylistStream::findEntryEnd() {
    if (atEnd_) {
        return -1;
    }
    std::uint64_t runStart = position_;
    int run = 0;
    while (fillBuffer()) {
        const char* start = bufferAtPosition();
        const char* end = start + bufferedFromPosition();
        const char* byte = start;
        while (byte < end) {
            if (run == 0) {
                // Most bytes are not 0xFF; memchr passes over them quickly.
                const void* next = std::memchr(byte, 0xFF, static_cast<std::size_t>(end - byte));
                if (!next) {
                    byte = end;
                    break;
                }
                byte = static_cast<const char*>(next);
                runStart = position_ + static_cast<std::uint64_t>(byte - start);
            }
            if (static_cast<unsigned char>(*byte) != 0xFF) {
                run = 0;
                ++byte;
                continue;
            }
            ++byte;
            if (++run == 4) {
                position_ = runStart;
                return static_cast<std::int64_t>(runStart);
            }
        }
        position_ += static_cast<std::uint64_t>(byte - start);
    }
    reachEnd();
    return static_cast<std::int64_t>(size_);
}

void PlaylistStream::fail() const {
    throw MetaDataException("Problem parsing the file " + nativeFile_ + "." + "\n");
}

} // namespace tandrel
