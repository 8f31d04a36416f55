#pragma once

#include <boost/filesystem/path.hpp>

#include <string>
#include <vector>

namespace tandrel {

// The regular files directly in `folder` whose extension matches, in byte-wise
// order of their names: folders list in hash order on Linux, and the reader's
// running entry number must not depend on the disk. File-system failures pass
// on as boost::filesystem::filesystem_error.
std::vector<boost::filesystem::path> matchingFiles(const boost::filesystem::path& folder,
                                                   const std::string& extension);

} // namespace tandrel
