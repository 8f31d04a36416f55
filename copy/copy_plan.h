#pragma once

#include "copy/card_source.h"
#include "metadata/playlist_reader.h"
#include "naming/name_mask.h"

#include <boost/filesystem/path.hpp>

#include <string>

// One clip as it will be copied.
struct PlannedClip {
    // The stream file's name as it is on the card (the playlist's name may
    // differ from it in letter case).
    std::string streamName;
    boost::filesystem::path source;
    boost::filesystem::path destination;
};

// Turns each clip of a card into its stream file and its destination by one
// set of rules, so the copy job, `tandrel-cli plan` and `tandrel-cli copy`
// cannot disagree about where a clip goes.
class CopyPlanner {
public:
    // `targetText` is the target folder as given (the command line makes it
    // absolute first); it is lexically normalised before the name rules run.
    // Throws FileTransferException when the target lies inside the card's
    // content folder, where a copy could overwrite the card's own files.
    CopyPlanner(const CardSource& card, std::string targetText, bool generateFolder,
                NameMask folderMask, bool renameFiles, NameMask fileMask);

    // Throws InputDataMissingException "The file ... does not exist." when
    // the card has no such stream file, and FileTransferException when the
    // destination breaks the name rules or is one of the card's own files.
    PlannedClip plan(const ClipRecord& clip) const;

private:
    const CardSource& card_;
    std::string targetText_;
    bool generateFolder_;
    NameMask folderMask_;
    bool renameFiles_;
    NameMask fileMask_;
};
