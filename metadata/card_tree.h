#pragma once

#include "metadata/file_descriptor.h"

#include <boost/filesystem/path.hpp>

namespace tandrel {

// A card's folder tree, opened so that no file below it is reached through a
// symbolic link that leads out of it: a crafted card must not make the
// program read /etc or a user's files. Links that stay inside still work.
class CardTree {
public:
    // Opens `root`, following links in the root's own path (a card is often
    // reached through one). Throws boost::filesystem::filesystem_error.
    explicit CardTree(const boost::filesystem::path& root);

    const boost::filesystem::path& root() const { return root_; }

    // Opens `path` (below the root, or relative to it) with `flags`
    // (O_RDONLY and the like; O_CLOEXEC is added). On failure the descriptor
    // is not open and errno tells why: EXDEV when the path leads out of the
    // tree.
    FileDescriptor open(const boost::filesystem::path& path, int flags) const;

private:
    boost::filesystem::path root_;
    FileDescriptor rootDescriptor_;
};

// The same check for kernels without openat2: `relative` below `root` is
// resolved to a path without links and opened only when that path lies in
// the resolved root. A link swapped in between the check and the open is not
// caught, which openat2 would.
FileDescriptor openByResolvedPath(const boost::filesystem::path& root,
                                  const boost::filesystem::path& relative, int flags);

} // namespace tandrel
