#include "copy/copy_verifier.h"

#include "metadata/errors.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <new>

#include <fcntl.h>
#include <unistd.h>

namespace tandrel {

namespace {

// Reads go in pieces of this size; direct I/O wants them aligned to the
// disk's blocks, which 4096 covers.
constexpr std::size_t pieceSize = 8 * 1024 * 1024;
constexpr std::size_t alignment = 4096;

char* alignedBuffer() {
    auto* buffer = static_cast<char*>(std::aligned_alloc(alignment, pieceSize));
    if (!buffer) {
        throw std::bad_alloc();
    }
    return buffer;
}

} // namespace

CopyVerifier::CopyVerifier() : buffer_(alignedBuffer()), sourceBuffer_(alignedBuffer()) {
    thread_ = std::thread([this] { hashSources(); });
}

CopyVerifier::~CopyVerifier() {
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    thread_.join();
    std::free(buffer_);
    std::free(sourceBuffer_);
}

void CopyVerifier::copied(int source, std::uint64_t offset, std::size_t length) {
    std::lock_guard lock(mutex_);
    chunks_.push_back({source, offset, length});
    changed_.notify_all();
}

void CopyVerifier::hashSources() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return closing_ || finishing_ || !chunks_.empty(); });
        if (closing_) {
            return;
        }
        if (chunks_.empty()) {
            hashed_ = true;
            changed_.notify_all();
            changed_.wait(lock, [this] { return closing_; });
            return;
        }
        const Chunk chunk = chunks_.front();
        chunks_.pop_front();
        const bool failed = sourceError_ != 0;
        lock.unlock();
        int error = 0;
        for (std::size_t done = 0; !failed && error == 0 && done < chunk.length;) {
            const std::size_t length = std::min(chunk.length - done, pieceSize);
            const ssize_t got =
                readFullyAt(chunk.source, sourceBuffer_, length, chunk.offset + done);
            if (got < 0 || static_cast<std::size_t>(got) != length) {
                error = got < 0 ? errno : EIO;
            } else {
                sourceHash_.add(sourceBuffer_, length);
            }
            done += length;
        }
        lock.lock();
        if (error != 0 && sourceError_ == 0) {
            sourceError_ = error;
        }
    }
}

CopyVerifier::Outcome CopyVerifier::check(int copy, const FileDescriptor& directCopy,
                                          const StopCheck& stopRequested) {
    if (!directCopy.isOpen()) {
        ::posix_fadvise(copy, 0, 0, POSIX_FADV_DONTNEED);
    }
    const int readError = readBack(directCopy.isOpen() ? directCopy.get() : copy, stopRequested);
    std::unique_lock lock(mutex_);
    finishing_ = true;
    changed_.notify_all();
    changed_.wait(lock, [this] { return hashed_; });
    if (sourceError_ != 0 || readError != 0) {
        return {sourceError_ != 0 ? sourceError_ : readError, false};
    }
    return {0, sourceHash_.digest() == copyHash_.digest()};
}

int CopyVerifier::readBack(int fd, const StopCheck& stopRequested) {
    for (std::uint64_t offset = 0;;) {
        if (stopRequested && stopRequested()) {
            throw OperationStopped();
        }
        // Direct reads take whole blocks; at the end of the file the kernel
        // gives what there is.
        const ssize_t got = readFullyAt(fd, buffer_, pieceSize, offset);
        if (got < 0) {
            return errno;
        }
        copyHash_.add(buffer_, static_cast<std::size_t>(got));
        offset += static_cast<std::uint64_t>(got);
        if (static_cast<std::size_t>(got) < pieceSize) {
            return 0;
        }
    }
}

} // namespace tandrel
