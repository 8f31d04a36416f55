#include "naming/name_mask.h"

#include "metadata/path_text.h"

namespace tandrel {

namespace fs = boost::filesystem;

fs::path buildDestinationPath(const std::string& targetText, bool generateFolder,
                              const NameMask& folderMask, bool renameFiles,
                              const NameMask& fileMask, const ClipRecord& clip) {
    // A typed "/home/u/./Videos" or "/home/u/../u/Videos" names the folder it
    // leads to; the name rules then judge only what the masks and the card add.
    fs::path destination = lexicallyNormal(pathFromText(targetText));
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

} // namespace tandrel
