#pragma once

#include <boost/filesystem/path.hpp>

#include <cstdint>
#include <exception>

// What a running file copy reports to, and asks, the job around it.
class TransferProgress {
public:
    virtual ~TransferProgress() = default;
    // Bytes of the current file written so far; called after every chunk.
    virtual void transferred(std::uint64_t bytesOfFile) = 0;
    // Checked before every chunk: true ends the copy at once.
    virtual bool stopRequested() const = 0;
};

// The user stopped the job while a file was being copied. The temporary copy
// is gone and the destination is as it was.
class TransferStopped : public std::exception {
public:
    const char* what() const noexcept override;
};

enum class TransferMode {
    // The destination must not exist when the copy is put in place; a file
    // that appeared there meanwhile is left alone and the copy fails.
    NoReplace,
    // The destination is replaced in one step once the copy is complete.
    Replace,
};

// Copies the regular file `source` to `destination`, whose folder must exist.
// The bytes go to a temporary file beside the destination, which takes the
// source's modification time, is flushed to disk and only then renamed to
// `destination`; a failed or stopped copy removes it, so no half-written file
// ever carries the final name and a replaced file survives a failed copy.
//
// Failures are boost::filesystem::filesystem_error with the system error:
// first path the source and second the destination, except that permission
// and missing-file errors met on the destination side name the destination
// first, since that is the file the user has to look at.
void transferFile(const boost::filesystem::path& source, const boost::filesystem::path& destination,
                  TransferMode mode, TransferProgress& progress);
