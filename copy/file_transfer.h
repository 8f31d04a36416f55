#pragma once

#include "copy/source_file.h"

#include <boost/filesystem/path.hpp>

#include <cstdint>

#include <unistd.h>

namespace tandrel {

// What a running file copy reports to, and asks, the job around it.
class TransferProgress {
public:
    virtual ~TransferProgress() = default;
    // Bytes of the current file written so far; called after every chunk.
    virtual void transferred(std::uint64_t bytesOfFile) = 0;
    // Checked before every chunk: true ends the copy at once with
    // OperationStopped.
    virtual bool stopRequested() const = 0;
};

enum class TransferMode {
    // The destination must not exist when the copy is put in place; a file
    // that appeared there meanwhile is left alone and the copy fails.
    NoReplace,
    // The destination is replaced in one step once the copy is complete.
    Replace,
};

// The system calls a copy is made of. Tests put in calls that fail the way
// real file systems rarely do.
struct CopyCalls {
    decltype(&::copy_file_range) copyFileRange = ::copy_file_range;
    decltype(&::read) read = ::read;
    decltype(&::write) write = ::write;
};

// Copies `source` (its parts one after the other) to `destination`, whose
// folder must exist. The bytes go to a temporary file beside the destination
// (locked while it is written, so other runs can tell it from one a killed
// run left behind), which takes the last part's modification time, must hold
// exactly the bytes each part had when it was opened, is flushed to disk,
// and only then is renamed to `destination`. A failed or stopped copy
// removes it, so no short or half-written file ever carries the final name
// and a replaced file survives a failed copy.
//
// With `verify`, each chunk of the copy is written to the disk, dropped from
// the cache and read back while the copy goes on (CopyVerifier); the copy is
// renamed only when what the disk holds has the source's hash.
//
// Failures are CopyFailure with the system error or a FileError (the source
// changed size, a write made no progress, the copy read back differs); a
// stop is OperationStopped.
//
// The new name is on disk once its folder is flushed (flushFolder); the job
// does that once per folder rather than once per file.
void transferFile(const ClipSource& source, const boost::filesystem::path& destination,
                  TransferMode mode, TransferProgress& progress, bool verify = false,
                  const CopyCalls& calls = {});

// Removes from `folder` the temporary copies that no running copy holds:
// what a killed or crashed run left behind. Best effort; failures are left
// for the next run.
void removeStaleTemporaries(const boost::filesystem::path& folder);

// Flushes the names in `folder` to disk, so the copies put there survive a
// crash under their final names. Returns 0 or the system error.
int flushFolder(const boost::filesystem::path& folder);

} // namespace tandrel
