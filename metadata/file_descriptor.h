#pragma once

#include <cerrno>
#include <cstddef>
#include <cstdint>

#include <unistd.h>

namespace tandrel {

// Owns one open file descriptor and closes it when it goes.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) {
            if (fd_ >= 0) {
                ::close(fd_);
            }
            fd_ = other.fd_;
            other.fd_ = -1;
        }
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }
    // Closes now and reports the result: on network file systems close can be
    // the first to see that a write failed.
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

// Reads up to `count` bytes of `fd` at `offset`, going on after short reads
// and interruptions: the bytes read (fewer only where the file ends), or -1
// with errno.
inline ssize_t readFullyAt(int fd, char* buffer, std::size_t count, std::uint64_t offset) {
    std::size_t have = 0;
    while (have < count) {
        const ssize_t part =
            ::pread(fd, buffer + have, count - have, static_cast<off_t>(offset + have));
        if (part < 0 && errno == EINTR) {
            continue;
        }
        if (part < 0) {
            return -1;
        }
        if (part == 0) {
            break;
        }
        have += static_cast<std::size_t>(part);
    }
    return static_cast<ssize_t>(have);
}

} // namespace tandrel
