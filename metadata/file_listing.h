#pragma once

#include <boost/filesystem/path.hpp>

#include <string>
#include <vector>

// True when the two texts have the same length and, byte by byte, the same
// upper-case letter (toupper), as Windows compares file names.
bool sameNameIgnoringCase(const std::string& left, const std::string& right);

// True when the extension of `fileName` (from its last "." to the end, the dot
// included) equals `extension` by sameNameIgnoringCase.
bool extensionMatches(const std::string& fileName, const std::string& extension);

// The regular files directly in `folder` whose extension matches, in byte-wise
// order of their names: folders list in hash order on Linux, and the reader's
// running entry number must not depend on the disk. File-system failures pass
// on as boost::filesystem::filesystem_error.
std::vector<boost::filesystem::path> matchingFiles(const boost::filesystem::path& folder,
                                                   const std::string& extension);
