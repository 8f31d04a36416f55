#pragma once

#include "common/common_export.h"

#include <QString>

#include <cstdint>

namespace tandrel {

// The user's special folder with the given shell folder id: 14 is the videos
// folder, 5 the documents folder. Any other id, or a folder the system cannot
// name, gives the empty string. The folder is not created.
COMMON_EXPORT QString GetSpecialFolderPath(std::uint32_t folderId);

} // namespace tandrel
