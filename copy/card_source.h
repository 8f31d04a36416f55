#pragma once

#include "copy/stream_folder.h"
#include "metadata/card_layout.h"
#include "metadata/card_tree.h"
#include "metadata/playlist_reader.h"
#include "metadata/stop_check.h"

#include <boost/filesystem/path.hpp>

#include <string>

namespace tandrel {

// The card a copy reads from: its layout (folders and file names), the tree
// every card file is opened beneath, and its stream folder as listed once for
// the job.
struct CardSource {
    CardLayout layout;
    CardTree tree;
    StreamFolder streams;

    const boost::filesystem::path& playlistFolder() const { return layout.playlistFolder; }
    const boost::filesystem::path& streamFolder() const { return layout.streamFolder; }
    // The folder that holds the card's playlists, streams and clip
    // information; copies never go inside it.
    const boost::filesystem::path& contentFolder() const { return layout.bdmvFolder; }
    // True when `path` names one of the card's stream files (same device and
    // inode), by whatever path it is reached: a hard link or a second mount
    // of the card must not make a copy replace a clip.
    bool holdsFile(const boost::filesystem::path& path) const;
};

// Makes `sourceText` absolute against the working directory the process
// started in, finds the card's layout, and checks that the card root, its
// playlist folder and its stream folder exist, in that order, and that
// neither folder leads out of the card. Throws InputDataMissingException naming the first that
// fails; failures of the listing pass on (std::runtime_error "Not a directory.",
// boost::filesystem::filesystem_error).
CardSource locateCard(const std::string& sourceText);

// Every playlist of the card, in reading order, read beneath the card with
// the layout's playlist extension. Throws what readPlaylists throws.
PlaylistSet readCardPlaylists(const CardSource& card, const StopCheck& stopRequested = {});

} // namespace tandrel
