#pragma once

#include "common/common_export.h"

#include <QString>

namespace tandrel {

// Looks up string `id` in the string tables the program and its libraries
// bring along: JSON objects of id-to-text pairs ({"101": "..."}) stored as
// Qt resources under ":/strings/", searched in name order. An empty string
// when no table has it.
COMMON_EXPORT QString loadString(int id);

} // namespace tandrel
