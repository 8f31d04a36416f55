#pragma once

#include "copy/card_source.h"
#include "metadata/playlist_reader.h"
#include "metadata/recordings.h"
#include "naming/name_mask.h"

#include <boost/filesystem/path.hpp>

#include <string>
#include <vector>

namespace tandrel {

// One copy as it will be made: of a clip, or of the parts of a recording
// joined into one file.
struct PlannedCopy {
    // The (first) stream file's name as it is on the card, which may differ
    // from the playlist's in letter case and extension.
    std::string streamName;
    // The stream files, in the order their bytes go into the copy.
    std::vector<boost::filesystem::path> sources;
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

    // The copy of `recording`, named by its first part. Throws
    // InputDataMissingException "The file ... does not exist." when the card
    // has no stream file for a recording of one part (a missing part of a
    // longer one fails its copy instead), and FileTransferException when the
    // destination breaks the name rules or is one of the card's own files.
    PlannedCopy plan(const Recording& recording) const;

private:
    const CardSource& card_;
    std::string targetText_;
    bool generateFolder_;
    NameMask folderMask_;
    bool renameFiles_;
    NameMask fileMask_;
};

} // namespace tandrel
