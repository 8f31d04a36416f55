#pragma once

#include <boost/filesystem/path.hpp>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include <sys/types.h>

// The stream folder of a card, listed once per job: the totals of its
// stream files, the look-up of a playlist's stream name (a card of ten
// thousand clips must not be listed once per clip), and which files are the
// card's own.
class StreamFolder {
public:
    using FileIdentity = std::pair<dev_t, ino_t>;

    // Lists `folder`. Throws std::runtime_error "Not a directory." when it is
    // not a folder; failures of the listing pass on as
    // boost::filesystem::filesystem_error.
    StreamFolder(const boost::filesystem::path& folder, const std::string& extension);

    const boost::filesystem::path& path() const { return folder_; }
    // The regular files whose extension matches without regard to case, and
    // the sum of their sizes: what countFiles and sumFileSizes give.
    std::int32_t count() const { return count_; }
    std::uint64_t totalBytes() const { return totalBytes_; }

    // The entry the playlist's stream name `name` stands for: the entry of
    // exactly that name, else the first in byte-wise order whose name matches
    // without regard to case (cameras and copies of card trees differ in
    // letter case). Nothing when no entry matches.
    std::optional<boost::filesystem::path> find(const std::string& name) const;

    // The device and inode of every regular file in the folder.
    const std::set<FileIdentity>& identities() const { return identities_; }

private:
    boost::filesystem::path folder_;
    std::int32_t count_ = 0;
    std::uint64_t totalBytes_ = 0;
    std::unordered_set<std::string> names_;
    std::unordered_map<std::string, std::string> firstByUpperName_;
    std::set<FileIdentity> identities_;
};
