#pragma once

#include "copy/source_file.h"

#include <boost/filesystem/path.hpp>

#include <optional>

namespace tandrel {

// The file among `destination` and its keep-both names (" (2)", " (3)", ...,
// as long as they are taken) that holds exactly the bytes of `source` (its
// parts one after the other), or
// nothing. This is how a clip that was imported before is told from other
// footage that got the same name: a second camera, or a camera whose clock
// was reset. Files that cannot be read count as different.
std::optional<boost::filesystem::path> findSameContent(const ClipSource& source,
                                                       const boost::filesystem::path& destination);

} // namespace tandrel
