#pragma once

#include "naming/name_mask.h"

#include <cstdint>

namespace tandrel {

// The answer of the conflict question, as the conflict dialog returns it.
enum class ConflictChoice : std::int32_t {
    CopyAndReplace = 0x8002,
    DontCopy = 0x8003,
    KeepBoth = 0x8004,
    Skip = 0x8005,
    Cancel = 2,
};

// What a copy job carries from one file to the next. The host (the main
// dialog, or the command line) owns it; every job clears the flags at its
// start and nothing else does.
struct CopyJobState {
    NameMask folderMask;
    NameMask fileMask;
    bool rememberReplace = false;
    bool rememberDontCopy = false;
    bool rememberKeepBoth = false;
    bool rememberSkip = false;
    bool abortRequested = false;

    void clearFlags() {
        rememberReplace = rememberDontCopy = rememberKeepBoth = rememberSkip = false;
        abortRequested = false;
    }
};

} // namespace tandrel
