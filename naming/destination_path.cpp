#include "naming/name_mask.h"

#include "metadata/path_text.h"

namespace fs = boost::filesystem;

fs::path buildDestinationPath(const std::string& targetText, bool generateFolder,
                              const NameMask& folderMask, bool renameFiles,
                              const NameMask& fileMask, const ClipRecord& clip) {
    fs::path destination = pathFromText(targetText);
    if (generateFolder) {
        const std::string folderText = expandMask(folderMask, clip);
        // A mask that expands to nothing puts the copies into the target itself.
        if (!folderText.empty()) {
            destination = appendText(destination, folderText);
        }
    }
    const std::string fileName =
        renameFiles ? expandMask(fileMask, clip) + ".m2ts" : clip.streamFile.filename().string();
    return appendText(destination, fileName);
}
