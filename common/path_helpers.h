#pragma once

#include "common/common_export.h"

#include <string>

namespace tandrel {

// Full path of the running process's executable, whatever its length; the
// empty string when the system cannot tell.
COMMON_EXPORT std::string getExecutableFileName();

// Full path of the module on whose behalf Common is called. Common has no
// module state of its own: every call is made for the program, so this is the
// program's executable.
COMMON_EXPORT std::string getModuleFileName();

// The text before the last separator ("\" or "/") of `path`, the separator
// excluded; the empty string when `path` holds none.
COMMON_EXPORT std::string getPath(const std::string& path);

} // namespace tandrel
