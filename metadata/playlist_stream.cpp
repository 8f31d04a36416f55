#include "metadata/playlist_stream.h"

#include "metadata/errors.h"

#include <algorithm>
#include <array>

PlaylistStream::PlaylistStream(const boost::filesystem::path& file) : nativeFile_(file.string()) {
    in_.open(nativeFile_, std::ios::binary);
    if (in_) {
        in_.seekg(0, std::ios::end);
        const std::streamoff size = in_.tellg();
        in_.seekg(0, std::ios::beg);
        if (size >= 0) {
            size_ = static_cast<std::uint64_t>(size);
        }
    }
    if (!in_) {
        throw MetaDataException("Unable to open file " + nativeFile_ + "." + "\n");
    }
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
    // A read that met the end leaves the stream failed; positioning inside
    // the file is still allowed until a read or skip goes past the end.
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(position_), std::ios::beg);
}

void PlaylistStream::skip(std::uint64_t count) {
    if (atEnd_) {
        return;
    }
    if (count > size_ - position_) {
        reachEnd();
        return;
    }
    seek(position_ + count);
}

std::string PlaylistStream::readFixed(std::size_t count) {
    std::string bytes(count, '\0');
    if (atEnd_) {
        return bytes;
    }
    in_.read(bytes.data(), static_cast<std::streamsize>(count));
    const auto got = static_cast<std::size_t>(in_.gcount());
    position_ += got;
    if (got < count) {
        // The bytes beyond the end read as zeros.
        std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(got), bytes.end(), '\0');
        reachEnd();
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
    if (atEnd_) {
        return text;
    }
    for (;;) {
        const int byte = in_.get();
        if (byte == std::char_traits<char>::eof()) {
            reachEnd();
            return text;
        }
        ++position_;
        if (byte == 0) {
            return text;
        }
        if (text.size() == maxTextLength) {
            fail();
        }
        text.push_back(static_cast<char>(byte));
    }
}

std::int64_t PlaylistStream::findEntryEnd() {
    if (atEnd_) {
        return -1;
    }
    std::array<char, 4096> buffer{};
    int run = 0;
    for (;;) {
        in_.read(buffer.data(), buffer.size());
        const auto got = static_cast<std::size_t>(in_.gcount());
        for (std::size_t i = 0; i < got; ++i) {
            run = static_cast<unsigned char>(buffer[i]) == 0xFF ? run + 1 : 0;
            if (run == 4) {
                const std::uint64_t marker = position_ + i - 3;
                seek(marker);
                return static_cast<std::int64_t>(marker);
            }
        }
        position_ += got;
        if (got < buffer.size()) {
            reachEnd();
            return static_cast<std::int64_t>(size_);
        }
    }
}

void PlaylistStream::fail() const {
    throw MetaDataException("Problem parsing the file " + nativeFile_ + "." + "\n");
}
