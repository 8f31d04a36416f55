#pragma once

#include "metadata/card_tree.h"
#include "metadata/file_descriptor.h"

#include <boost/filesystem/path.hpp>

#include <cstdint>
#include <vector>

#include <sys/stat.h>

namespace tandrel {

// A stream file of the card, opened for reading beneath the card's folder, so
// a link that leads out of the card is never followed. Its size is taken
// once, when it is opened; a copy must end with exactly that many bytes.
class SourceFile {
public:
    // Throws CopyFailure (source side, `destination` as the second path): the
    // system's error, FileError::LeadsOutOfCard, or FileError::NotRegularFile
    // for a folder, FIFO, device or socket in place of a stream file.
    SourceFile(const CardTree& card, const boost::filesystem::path& path,
               const boost::filesystem::path& destination);

    int fd() const { return fd_.get(); }
    const boost::filesystem::path& path() const { return path_; }
    const struct stat& status() const { return status_; }
    std::uint64_t size() const { return static_cast<std::uint64_t>(status_.st_size); }

private:
    boost::filesystem::path path_;
    FileDescriptor fd_;
    struct stat status_ {};
};

// The stream files one copy is made of: a clip's, or the parts of a split
// recording, joined byte by byte in playlist order. Each part is opened
// beneath the card and keeps the size it had then.
class ClipSource {
public:
    // Opens every part; throws the CopyFailure of the first that cannot be
    // opened, so a missing or unreadable part fails the whole recording.
    ClipSource(const CardTree& card, const std::vector<boost::filesystem::path>& parts,
               const boost::filesystem::path& destination);

    const std::vector<SourceFile>& parts() const { return parts_; }
    // The first part, which names the copy in messages.
    const boost::filesystem::path& path() const { return parts_.front().path(); }
    std::uint64_t size() const { return size_; }

private:
    std::vector<SourceFile> parts_;
    std::uint64_t size_ = 0;
};

} // namespace tandrel
