#include "naming/example_line.h"

#include "naming/name_mask.h"

namespace tandrel {

ExampleLine makeExampleLine(const std::string& targetText, bool generateFolder,
                            const std::string& folderMaskText, bool renameFiles,
                            const std::string& fileMaskText, const std::tm& exampleTime,
                            PathStyle style) {
    const NameMask folderMask = parseMask(folderMaskText);
    const NameMask fileMask = parseMask(fileMaskText);

    ClipRecord sample;
    sample.streamFile = "0000.m2ts";
    sample.recordingTime = exampleTime;

    const boost::filesystem::path destination =
        buildDestinationPath(targetText, generateFolder, folderMask, renameFiles, fileMask, sample);
    const PathValidity validity = checkPathValidity(destination, style);
    if (validity == PathValidity::Valid) {
        return ExampleLine{nativeText(destination, style), true};
    }
    if (targetText.empty()) {
        return ExampleLine{"Target folder cannot be blank", false};
    }
    return ExampleLine{pathValidityMessage(validity), false};
}

} // namespace tandrel
