#pragma once

#include "common/common_export.h"

#include <ctime>
#include <ostream>
#include <string>

namespace tandrel {

// Writes `time` to `stream` through the stream locale's time facet, in one
// pattern call over the whole format. Nothing is normalised: each conversion
// reads its field as it is. Throws std::runtime_error when the stream buffer
// refuses a character.
COMMON_EXPORT std::ostream& formatDateTime(std::ostream& stream, const std::tm& time,
                                           const char* format);

// formatDateTime into a fresh string (global locale, which the program never
// changes from the classic one).
COMMON_EXPORT std::string dateTimeToString(const std::tm& time, const char* format);

// The current local time, all nine fields filled.
COMMON_EXPORT std::tm timeNow();

} // namespace tandrel
