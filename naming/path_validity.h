#pragma once

#include "metadata/path_text.h"

#include <boost/filesystem/path.hpp>

#include <cstdint>
#include <string>

namespace tandrel {

enum class PathValidity : std::int32_t {
    Valid = 0,
    InvalidCharacter = 1,
    ReservedName = 2,
    DirectoryEndsWithSpace = 3,
    DirectoryEndsWithPeriod = 4,
    FileEndsWithSpace = 5,
    FileEndsWithPeriod = 6,
    TooLong = 7,
    Empty = 8,
};

inline constexpr int maxPathLength = 260;

// Windows: a path must start with a drive ("C:\"). Posix: a path must start
// with "/" and a ":" anywhere is forbidden. Every other rule is shared, so the
// copies stay valid on the FAT, exFAT and NTFS media footage is moved to.
// In both styles a "." or ".." component is refused (as a name ending in a
// period), so no mask or stream name can lead a copy out of the target folder,
// and a path ending in a separator is Empty: it names no file.
PathValidity checkPathValidity(const boost::filesystem::path& path,
                               PathStyle style = nativePathStyle);

// The example line's message for a failed check; std::invalid_argument
// "Unknown validity." for Valid, which has no message, and for a value
// outside the enumeration.
std::string pathValidityMessage(PathValidity validity);

} // namespace tandrel
