#include "copy/source_file.h"

#include "copy/copy_failure.h"
#include "metadata/file_errors.h"

#include <cerrno>

#include <fcntl.h>

namespace tandrel {

namespace fs = boost::filesystem;

SourceFile::SourceFile(const CardTree& card, const fs::path& path, const fs::path& destination)
    : path_(path),
      // Without blocking, so a FIFO posing as a stream file cannot hang the
      // job; it has no effect on regular files.
      fd_(card.open(path, O_RDONLY | O_NONBLOCK)) {
    const auto fail = [&](boost::system::error_code code) {
        throw CopyFailure("tandrel: open file", CopyFailure::Side::Source, path, destination, code);
    };
    if (!fd_.isOpen()) {
        if (errno == EXDEV) {
            fail(makeErrorCode(FileError::LeadsOutOfCard));
        }
        failCopy("tandrel: open file", errno, CopyFailure::Side::Source, path, destination);
    }
    if (::fstat(fd_.get(), &status_) != 0) {
        failCopy("tandrel: open file", errno, CopyFailure::Side::Source, path, destination);
    }
    if (!S_ISREG(status_.st_mode)) {
        fail(makeErrorCode(FileError::NotRegularFile));
    }
}

ClipSource::ClipSource(const CardTree& card, const std::vector<fs::path>& parts,
                       const fs::path& destination) {
    parts_.reserve(parts.size());
    for (const fs::path& part : parts) {
        parts_.emplace_back(card, part, destination);
        size_ += parts_.back().size();
    }
}

} // namespace tandrel
