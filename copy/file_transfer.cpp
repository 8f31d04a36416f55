#include "copy/file_transfer.h"

#include "copy/copy_failure.h"
#include "copy/copy_verifier.h"
#include "copy/file_identity.h"
#include "metadata/errors.h"
#include "metadata/file_errors.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tandrel {

namespace fs = boost::filesystem;
using Side = CopyFailure::Side;

namespace {

// Large enough for the kernel to copy at full speed, small enough that a stop
// request or a progress report never waits long on a slow card reader.
constexpr std::size_t chunkSize = 4 * 1024 * 1024;
// The buffer of the read/write path, for file systems that cannot copy
// between files in the kernel.
constexpr std::size_t bufferSize = 1024 * 1024;

// Temporary copies are hidden files named ".tandrel-" + 8 hexadecimal digits
// + ".part".
constexpr std::string_view temporaryPrefix = ".tandrel-";
constexpr std::string_view temporarySuffix = ".part";
constexpr std::size_t temporaryDigits = 8;

bool isTemporaryName(std::string_view name) {
    if (name.size() != temporaryPrefix.size() + temporaryDigits + temporarySuffix.size() ||
        !name.starts_with(temporaryPrefix) || !name.ends_with(temporarySuffix)) {
        return false;
    }
    const std::string_view digits = name.substr(temporaryPrefix.size(), temporaryDigits);
    return digits.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

// True when `name` in `folder` is still the file open as `fd`.
bool nameStillNames(int folder, const char* name, int fd) {
    struct stat named {};
    struct stat opened {};
    return ::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && ::fstat(fd, &opened) == 0 &&
           identityOf(named) == identityOf(opened);
}

[[noreturn]] void failWith(FileError error, Side side, const fs::path& source,
                           const fs::path& destination) {
    throw CopyFailure("tandrel: copy file", side, source, destination, makeErrorCode(error));
}

// The temporary copy beside the destination. It holds an exclusive lock for
// as long as it exists, so a sweep by another run (removeStaleTemporaries)
// never takes a copy that is being written; it is removed unless it was put
// in place.
class TemporaryFile {
public:
    TemporaryFile(int folder, const fs::path& source, const fs::path& destination)
        : folder_(folder) {
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::array<char, 32> name{};
            std::snprintf(name.data(), name.size(), ".tandrel-%08x.part", random());
            FileDescriptor fd(
                ::openat(folder_, name.data(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
            if (!fd.isOpen()) {
                if (errno == EEXIST) {
                    continue;
                }
                failCopy("tandrel: create temporary file", errno, Side::Destination, source,
                         destination);
            }
            // A sweep may have taken the new file between its creation and
            // the lock; then it is no longer under its name and another name
            // is tried.
            if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0 ||
                !nameStillNames(folder_, name.data(), fd.get())) {
                continue;
            }
            name_ = name.data();
            fd_ = std::move(fd);
            return;
        }
        failCopy("tandrel: create temporary file", EEXIST, Side::Destination, source, destination);
    }
    ~TemporaryFile() {
        if (!name_.empty()) {
            ::unlinkat(folder_, name_.c_str(), 0);
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return fd_.get(); }
    const std::string& name() const { return name_; }
    int close() { return fd_.close(); }
    // The file now carries its final name; nothing is left to remove.
    void release() { name_.clear(); }

private:
    int folder_;
    FileDescriptor fd_;
    std::string name_;
};

bool kernelCopyUnavailable(int error) {
    return error == EXDEV || error == ENOSYS || error == EOPNOTSUPP || error == EINVAL;
}

// What one copy runs with: where it writes, how it reports, and the check
// of a verified copy.
struct CopyRun {
    int out;
    const fs::path& destination;
    TransferProgress& progress;
    const CopyCalls& calls;
    CopyVerifier* verifier;
};

// Copies `part` until it ends, after `before` bytes of the earlier parts,
// and returns the bytes copied. The kernel copies between files where it
// can.
std::uint64_t copyBytes(const SourceFile& part, std::uint64_t before, const CopyRun& run) {
    const int in = part.fd();
    const auto fail = [&](const char* operation, Side side) {
        failCopy(operation, errno, side, part.path(), run.destination);
    };
    std::uint64_t written = 0;
    bool kernelCopy = true;
    std::vector<char> buffer;
    const auto useBuffer = [&] {
        kernelCopy = false;
        buffer.resize(bufferSize);
    };
    for (;;) {
        if (run.progress.stopRequested()) {
            throw OperationStopped();
        }
        ssize_t count = 0;
        if (kernelCopy) {
            count = run.calls.copyFileRange(in, nullptr, run.out, nullptr, chunkSize, 0);
            if (count < 0 && kernelCopyUnavailable(errno)) {
                // Both file offsets are unchanged after a refused call, so the
                // plain copy carries on from where the kernel copy stopped.
                useBuffer();
                continue;
            }
            if (count < 0 && errno != EINTR) {
                // copy_file_range does not say which side failed; a read
                // error and a full disk both end up here.
                fail("tandrel: copy file", Side::Source);
            }
            if (count == 0 && written < part.size()) {
                // Some file systems answer a kernel copy with "nothing" instead
                // of an error; the plain copy then tells the true end of file.
                useBuffer();
                continue;
            }
        } else {
            count = run.calls.read(in, buffer.data(), buffer.size());
            if (count < 0 && errno != EINTR) {
                fail("tandrel: read file", Side::Source);
            }
            for (ssize_t done = 0; done < count;) {
                const ssize_t chunk = run.calls.write(run.out, buffer.data() + done,
                                                      static_cast<std::size_t>(count - done));
                if (chunk < 0 && errno != EINTR) {
                    fail("tandrel: write file", Side::Destination);
                }
                if (chunk == 0) {
                    failWith(FileError::NoProgress, Side::Destination, part.path(),
                             run.destination);
                }
                done += chunk > 0 ? chunk : 0;
            }
        }
        if (count == 0) {
            return written;
        }
        if (count > 0) {
            // Starts writing the chunk to disk now, so the flush before the
            // rename finds little left to do and the disk never idles while
            // the next chunk is read. Only a hint: a failure shows at fsync.
            ::sync_file_range(run.out, static_cast<off_t>(before + written), count,
                              SYNC_FILE_RANGE_WRITE);
            if (run.verifier) {
                run.verifier->copied(in, written, static_cast<std::size_t>(count));
            }
            written += static_cast<std::uint64_t>(count);
            run.progress.transferred(before + written);
        }
    }
}

// A part holds what it held when it was opened, or the copy fails: a file
// truncated on the card, a flaky reader or a network mount that ends early
// must never pass as a whole clip.
void requireWholePart(const SourceFile& part, std::uint64_t copied, const fs::path& destination) {
    struct stat now {};
    if (copied != part.size() || ::fstat(part.fd(), &now) != 0 ||
        static_cast<std::uint64_t>(now.st_size) != part.size()) {
        failWith(FileError::SourceChangedSize, Side::Source, part.path(), destination);
    }
}

void publish(int folder, TemporaryFile& temporary, const fs::path& destination, TransferMode mode,
             const fs::path& source) {
    const std::string finalName = destination.filename().string();
    const auto fail = [&](const char* operation, int error) {
        failCopy(operation, error, Side::Destination, source, destination);
    };
    if (mode == TransferMode::Replace) {
        if (::renameat(folder, temporary.name().c_str(), folder, finalName.c_str()) != 0) {
            fail("tandrel: rename file", errno);
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
        fail("tandrel: rename file", errno);
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
        fail("tandrel: link file", errno);
    }
    struct stat existing {};
    if (::fstatat(folder, finalName.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
        fail("tandrel: rename file", EEXIST);
    }
    if (::renameat(folder, temporary.name().c_str(), folder, finalName.c_str()) != 0) {
        fail("tandrel: rename file", errno);
    }
    temporary.release();
}

FileDescriptor openFolder(const fs::path& folder) {
    return FileDescriptor(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

} // namespace

void transferFile(const ClipSource& source, const fs::path& destination, TransferMode mode,
                  TransferProgress& progress, bool verify, const CopyCalls& calls) {
    const FileDescriptor folder = openFolder(destination.parent_path());
    if (!folder.isOpen()) {
        failCopy("tandrel: open folder", errno, Side::Destination, source.path(), destination);
    }

    TemporaryFile temporary(folder.get(), source.path(), destination);
    std::optional<CopyVerifier> verifier;
    if (verify) {
        verifier.emplace();
    }
    const CopyRun run{temporary.fd(), destination, progress, calls,
                      verifier ? &*verifier : nullptr};
    std::uint64_t copied = 0;
    for (const SourceFile& part : source.parts()) {
        ::posix_fadvise(part.fd(), 0, 0, POSIX_FADV_SEQUENTIAL);
        // Reading from the start, also when an earlier look at the file (a
        // comparison of contents) moved the offset.
        ::lseek(part.fd(), 0, SEEK_SET);
        const std::uint64_t partBytes = copyBytes(part, copied, run);
        requireWholePart(part, partBytes, destination);
        copied += partBytes;
    }

    const struct stat& last = source.parts().back().status();
    const std::array<timespec, 2> times{last.st_atim, last.st_mtim};
    const auto fail = [&](const char* operation) {
        failCopy(operation, errno, Side::Destination, source.path(), destination);
    };
    if (::futimens(temporary.fd(), times.data()) != 0) {
        fail("tandrel: set file time");
    }
    if (::fsync(temporary.fd()) != 0) {
        fail("tandrel: flush file");
    }
    if (verifier) {
        // Not every file system reads directly; the verifier then reads
        // through the cache, after dropping what the copy left there.
        const FileDescriptor direct(
            ::openat(folder.get(), temporary.name().c_str(), O_RDONLY | O_DIRECT | O_CLOEXEC));
        const CopyVerifier::Outcome outcome = verifier->check(
            temporary.fd(), direct, [&progress] { return progress.stopRequested(); });
        if (outcome.error != 0) {
            failCopy("tandrel: read back file", outcome.error, Side::Destination, source.path(),
                     destination);
        }
        if (!outcome.matches) {
            failWith(FileError::VerifyMismatch, Side::Destination, source.path(), destination);
        }
    }
    if (temporary.close() != 0) {
        fail("tandrel: close file");
    }
    if (progress.stopRequested()) {
        throw OperationStopped();
    }
    publish(folder.get(), temporary, destination, mode, source.path());
}

void removeStaleTemporaries(const fs::path& folder) {
    const FileDescriptor folderFd = openFolder(folder);
    if (!folderFd.isOpen()) {
        return;
    }
    // fdopendir takes over a descriptor of its own.
    DIR* listing = ::fdopendir(::dup(folderFd.get()));
    if (!listing) {
        return;
    }
    std::vector<std::string> candidates;
    while (const dirent* entry = ::readdir(listing)) {
        if (isTemporaryName(entry->d_name)) {
            candidates.emplace_back(entry->d_name);
        }
    }
    ::closedir(listing);
    for (const std::string& name : candidates) {
        const FileDescriptor fd(
            ::openat(folderFd.get(), name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat status {};
        // A running copy holds its lock until its temporary is renamed or
        // removed; only an unheld one is left over.
        if (fd.isOpen() && ::fstat(fd.get(), &status) == 0 && S_ISREG(status.st_mode) &&
            ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0 &&
            nameStillNames(folderFd.get(), name.c_str(), fd.get())) {
            ::unlinkat(folderFd.get(), name.c_str(), 0);
        }
    }
}

int flushFolder(const fs::path& folder) {
    const FileDescriptor handle = openFolder(folder);
    if (!handle.isOpen()) {
        return errno;
    }
    if (::fsync(handle.get()) != 0) {
        // Some file systems cannot flush a folder at all; their names are
        // written with the files.
        return errno == EINVAL || errno == EROFS ? 0 : errno;
    }
    return 0;
}

} // namespace tandrel
