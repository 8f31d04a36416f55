#pragma once

#include <boost/filesystem/path.hpp>

#include <optional>
#include <utility>

#include <sys/stat.h>

namespace tandrel {

// What makes a file the same file by whatever path it is reached (a link, a
// second mount): its device and inode.
using FileIdentity = std::pair<dev_t, ino_t>;

inline FileIdentity identityOf(const struct stat& status) {
    return {status.st_dev, status.st_ino};
}

// The identity of what `path` names, links followed; nothing when it cannot
// be asked.
inline std::optional<FileIdentity> identityOf(const boost::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return identityOf(status);
}

} // namespace tandrel
