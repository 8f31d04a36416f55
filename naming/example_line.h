#pragma once

#include "naming/path_validity.h"

#include <ctime>
#include <string>

namespace tandrel {

// What the "Example:" box shows and whether the masks allow a copy.
struct ExampleLine {
    std::string text;
    bool namingReady = false;
};

// The destination the masks give the sample clip "0000.m2ts" recorded at
// `exampleTime`, in native form, or the message of the first broken name
// rule ("Target folder cannot be blank" whenever the target text is empty).
// Both masks are parsed whether or not they are switched on.
ExampleLine makeExampleLine(const std::string& targetText, bool generateFolder,
                            const std::string& folderMaskText, bool renameFiles,
                            const std::string& fileMaskText, const std::tm& exampleTime,
                            PathStyle style = nativePathStyle);

} // namespace tandrel
