#pragma once

#include "common/common_export.h"

#include <string>

namespace tandrel {

// Appends one time-stamped line to "debug.log" beside the running
// executable. The first call of a process starts the file afresh with a
// five-line header naming the executable, the module and the format version.
// Never raises and never reports: a log that cannot be written is skipped.
COMMON_EXPORT void DebugLog(const std::string& message);

} // namespace tandrel
