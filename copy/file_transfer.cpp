#include "copy/file_transfer.h"

#include <boost/filesystem/exception.hpp>
#include <boost/system/error_code.hpp>

#include <array>
#include <cerrno>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = boost::filesystem;

namespace {

// Large enough for the kernel to copy at full speed, small enough that a stop
// request or a progress report never waits long on a slow card reader.
constexpr std::size_t chunkSize = 4 * 1024 * 1024;
// The buffer of the read/write path, for file systems that cannot copy
// between files in the kernel.
constexpr std::size_t bufferSize = 1024 * 1024;

enum class Side { Source, Destination };

[[noreturn]] void fail(const char* operation, int error, Side side, const fs::path& source,
                       const fs::path& destination) {
    namespace errc = boost::system::errc;
    const boost::system::error_code code(error, boost::system::system_category());
    const bool userMustLookAtDestination =
        side == Side::Destination &&
        (code == errc::permission_denied || code == errc::operation_not_permitted ||
         code == errc::read_only_file_system || code == errc::no_such_file_or_directory);
    if (userMustLookAtDestination) {
        throw fs::filesystem_error(operation, destination, source, code);
    }
    throw fs::filesystem_error(operation, source, destination, code);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    // Closes now and reports the result, since close can be the first to see
    // a failed write on network file systems.
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

// The temporary copy beside the destination; removed unless it was put in
// place.
class TemporaryFile {
public:
    TemporaryFile(int folder, const fs::path& source, const fs::path& destination)
        : folder_(folder) {
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::array<char, 32> name{};
            std::snprintf(name.data(), name.size(), ".tandrel-%08x.part", random());
            const int fd =
                ::openat(folder_, name.data(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                name_ = name.data();
                fd_ = fd;
                return;
            }
            if (errno != EEXIST) {
                fail("tandrel: create temporary file", errno, Side::Destination, source,
                     destination);
            }
        }
        fail("tandrel: create temporary file", EEXIST, Side::Destination, source, destination);
    }
    ~TemporaryFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!name_.empty()) {
            ::unlinkat(folder_, name_.c_str(), 0);
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return fd_; }
    const std::string& name() const { return name_; }
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }
    // The file now carries its final name; nothing is left to remove.
    void release() { name_.clear(); }

private:
    int folder_;
    int fd_ = -1;
    std::string name_;
};

bool kernelCopyUnavailable(int error) {
    return error == EXDEV || error == ENOSYS || error == EOPNOTSUPP || error == EINVAL;
}

void copyBytes(int in, int out, std::uint64_t expectedSize, TransferProgress& progress,
               const fs::path& source, const fs::path& destination) {
    std::uint64_t written = 0;
    bool kernelCopy = true;
    std::vector<char> buffer;
    for (;;) {
        if (progress.stopRequested()) {
            throw TransferStopped();
        }
        ssize_t count = 0;
        if (kernelCopy) {
            count = ::copy_file_range(in, nullptr, out, nullptr, chunkSize, 0);
            if (count < 0 && kernelCopyUnavailable(errno)) {
                // Both file offsets are unchanged after a refused call, so the
                // plain copy carries on from where the kernel copy stopped.
                kernelCopy = false;
                buffer.resize(bufferSize);
                continue;
            }
            if (count < 0 && errno != EINTR) {
                // copy_file_range does not say which side failed; a read
                // error and a full disk both end up here.
                fail("tandrel: copy file", errno, Side::Source, source, destination);
            }
        } else {
            count = ::read(in, buffer.data(), buffer.size());
            if (count < 0 && errno != EINTR) {
                fail("tandrel: read file", errno, Side::Source, source, destination);
            }
            for (ssize_t done = 0; done < count;) {
                const ssize_t part = ::write(out, buffer.data() + done, count - done);
                if (part < 0 && errno != EINTR) {
                    fail("tandrel: write file", errno, Side::Destination, source, destination);
                }
                done += part > 0 ? part : 0;
            }
        }
        if (count == 0 && kernelCopy && written < expectedSize) {
            // Some file systems answer a kernel copy with "nothing" instead
            // of an error; the plain copy then tells the true end of file.
            kernelCopy = false;
            buffer.resize(bufferSize);
            continue;
        }
        if (count == 0) {
            return;
        }
        if (count > 0) {
            written += static_cast<std::uint64_t>(count);
            progress.transferred(written);
        }
    }
}

void publish(int folder, TemporaryFile& temporary, const fs::path& destination, TransferMode mode,
             const fs::path& source) {
    const std::string finalName = destination.filename().string();
    if (mode == TransferMode::Replace) {
        if (::renameat(folder, temporary.name().c_str(), folder, finalName.c_str()) != 0) {
            fail("tandrel: rename file", errno, Side::Destination, source, destination);
        }
        temporary.release();
        return;
    }
    if (::renameat2(folder, temporary.name().c_str(), folder, finalName.c_str(),
                    RENAME_NOREPLACE) == 0) {
        temporary.release();
        return;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
        fail("tandrel: rename file", errno, Side::Destination, source, destination);
    }
    // The file system cannot rename without replacing. A hard link never
    // replaces either; where links are not supported (FAT, exFAT) the last
    // resort is a rename right after making sure the name is still free.
    if (::linkat(folder, temporary.name().c_str(), folder, finalName.c_str(), 0) == 0) {
        // The copy is in place under its final name; the temporary name is
        // only a second link to it and goes with the TemporaryFile.
        return;
    }
    if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS) {
        fail("tandrel: link file", errno, Side::Destination, source, destination);
    }
    struct stat existing {};
    if (::fstatat(folder, finalName.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
        fail("tandrel: rename file", EEXIST, Side::Destination, source, destination);
    }
    if (::renameat(folder, temporary.name().c_str(), folder, finalName.c_str()) != 0) {
        fail("tandrel: rename file", errno, Side::Destination, source, destination);
    }
    temporary.release();
}

} // namespace

const char* TransferStopped::what() const noexcept {
    return "The copy was stopped.";
}

void transferFile(const fs::path& source, const fs::path& destination, TransferMode mode,
                  TransferProgress& progress) {
    // No symbolic link is followed out of the card, and opening without
    // blocking keeps a FIFO posing as a stream file from hanging the job
    // (it has no effect on regular files).
    FileDescriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (in.get() < 0) {
        fail("tandrel: open file", errno, Side::Source, source, destination);
    }
    struct stat sourceStatus {};
    if (::fstat(in.get(), &sourceStatus) != 0) {
        fail("tandrel: open file", errno, Side::Source, source, destination);
    }
    if (!S_ISREG(sourceStatus.st_mode)) {
        fail("tandrel: open file", EINVAL, Side::Source, source, destination);
    }
    ::posix_fadvise(in.get(), 0, 0, POSIX_FADV_SEQUENTIAL);

    fs::path folderPath = destination.parent_path();
    if (folderPath.empty()) {
        folderPath = ".";
    }
    FileDescriptor folder(::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() < 0) {
        fail("tandrel: open folder", errno, Side::Destination, source, destination);
    }

    TemporaryFile temporary(folder.get(), source, destination);
    copyBytes(in.get(), temporary.fd(), static_cast<std::uint64_t>(sourceStatus.st_size), progress,
              source, destination);

    const std::array<timespec, 2> times{sourceStatus.st_atim, sourceStatus.st_mtim};
    if (::futimens(temporary.fd(), times.data()) != 0) {
        fail("tandrel: set file time", errno, Side::Destination, source, destination);
    }
    if (::fsync(temporary.fd()) != 0) {
        fail("tandrel: flush file", errno, Side::Destination, source, destination);
    }
    if (temporary.close() != 0) {
        fail("tandrel: close file", errno, Side::Destination, source, destination);
    }
    if (progress.stopRequested()) {
        throw TransferStopped();
    }
    publish(folder.get(), temporary, destination, mode, source);
    // Makes the new name itself durable. Some file systems cannot flush a
    // folder; the file's data is on disk already, so that is no failure.
    ::fsync(folder.get());
}
