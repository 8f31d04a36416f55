#pragma once

#include "copy/stream_folder.h"
#include "metadata/card_tree.h"

#include <boost/filesystem/path.hpp>

#include <string>

// The card a copy reads from: its folders, the tree every card file is opened
// beneath, and its stream folder as listed once for the job.
struct CardSource {
    boost::filesystem::path root;
    boost::filesystem::path playlistFolder;
    boost::filesystem::path streamFolder;
    CardTree tree;
    StreamFolder streams;

    // The folder that holds the card's playlists, streams and clip
    // information; copies never go inside it.
    boost::filesystem::path contentFolder() const { return playlistFolder.parent_path(); }
    // True when `path` names one of the card's stream files (same device and
    // inode), by whatever path it is reached: a hard link or a second mount
    // of the card must not make a copy replace a clip.
    bool holdsFile(const boost::filesystem::path& path) const;
};

// Makes `sourceText` absolute against the working directory the process
// started in and checks that the card root, its playlist folder and its
// stream folder exist, in that order, and that neither folder leads out of
// the card. Throws InputDataMissingException naming the first that fails;
// failures of the listing pass on (std::runtime_error "Not a directory.",
// boost::filesystem::filesystem_error).
CardSource locateCard(const std::string& sourceText);

// `path` made absolute against the working directory the process started in.
boost::filesystem::path absoluteFromStart(const boost::filesystem::path& path);
