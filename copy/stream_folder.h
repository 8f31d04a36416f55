#pragma once

#include "copy/file_identity.h"
#include "metadata/stream_name.h"

#include <boost/filesystem/path.hpp>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tandrel {

// The stream folder of a card, listed once per job: the totals of its
// stream files, the look-up of a playlist's stream name (a card of ten
// thousand clips must not be listed once per clip), and which files are the
// card's own.
class StreamFolder {
public:
    // Lists `folder`, whose stream files carry `extension` (the card
    // layout's). Throws std::runtime_error "Not a directory." when it is not
    // a folder; failures of the listing pass on as
    // boost::filesystem::filesystem_error.
    StreamFolder(const boost::filesystem::path& folder, const std::string& extension);

    const boost::filesystem::path& path() const { return folder_; }
    // The regular files whose extension matches without regard to case, and
    // the sum of their sizes: what countFiles and sumFileSizes give.
    std::int32_t count() const { return count_; }
    std::uint64_t totalBytes() const { return totalBytes_; }

    // The entry the playlist's stream name `name` stands for, by the rule of
    // StreamNames (letter case, and the layout's 8.3 extension). Nothing when
    // no entry matches.
    std::optional<boost::filesystem::path> find(const std::string& name) const;

    // The device and inode of every regular file in the folder.
    const std::set<FileIdentity>& identities() const { return identities_; }

private:
    StreamFolder(const boost::filesystem::path& folder, const std::string& extension,
                 const std::vector<std::string>& names);

    boost::filesystem::path folder_;
    std::int32_t count_ = 0;
    std::uint64_t totalBytes_ = 0;
    StreamNames names_;
    std::set<FileIdentity> identities_;
};

} // namespace tandrel
