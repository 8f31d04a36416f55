#pragma once

#include "naming/name_mask.h"

#include <string>

namespace CLI {
class App;
}

namespace tandrel {

// What plan and copy share: the card, the target folder, and the two masks
// with their switches, with the program's defaults.
struct NamingOptions {
    std::string source;
    std::string target;
    std::string folderMask = defaultFolderMask;
    std::string fileMask = defaultFileMask;
    bool noFolder = false;
    bool noRename = false;

    // The target made absolute against the working directory, as the name
    // rules want a typed target in the program to be.
    std::string absoluteTarget() const;
};

// SOURCE, TARGET, --folder-mask/--no-folder and --file-mask/--no-rename.
void addNamingOptions(CLI::App& command, NamingOptions& options);

} // namespace tandrel
