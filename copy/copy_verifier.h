#pragma once

#include "copy/content_hash.h"
#include "metadata/file_descriptor.h"
#include "metadata/stop_check.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

namespace tandrel {

// Checks a copy against its source. While the copy is made, a second thread
// hashes each chunk of the source as the copy reports it (the chunk is in
// the cache then, the copy having just read it). Once the copy is flushed,
// it is read back from the disk and hashed too: through direct I/O where the
// file system has it, so the bytes come from the disk and never from the
// cache, else after its pages are dropped from the cache. The two hashes
// must agree.
class CopyVerifier {
public:
    CopyVerifier();
    // Stops and joins the thread.
    ~CopyVerifier();
    CopyVerifier(const CopyVerifier&) = delete;
    CopyVerifier& operator=(const CopyVerifier&) = delete;

    // `length` bytes of `source` from `offset` are now the next bytes of the
    // copy.
    void copied(int source, std::uint64_t offset, std::size_t length);

    struct Outcome {
        // The system error that stopped the check: a source or a copy that
        // could not be read.
        int error = 0;
        bool matches = false;
    };

    // After the copy is flushed: reads it back through `directCopy` (open
    // with O_DIRECT) when that is open, else through `copy`, and compares.
    // Throws OperationStopped when `stopRequested` says so meanwhile.
    Outcome check(int copy, const FileDescriptor& directCopy, const StopCheck& stopRequested);

private:
    struct Chunk {
        int source;
        std::uint64_t offset;
        std::size_t length;
    };

    void hashSources();
    int readBack(int fd, const StopCheck& stopRequested);

    ContentHash sourceHash_;
    ContentHash copyHash_;
    char* buffer_;
    char* sourceBuffer_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Chunk> chunks_;
    bool finishing_ = false;
    bool closing_ = false;
    bool hashed_ = false;
    int sourceError_ = 0;
    std::thread thread_;
};

} // namespace tandrel
