#pragma once

#include "metadata/card_layout.h"

#include <boost/filesystem/path.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace tandrel {

// A mounted volume that holds a camera card.
struct MountedCard {
    boost::filesystem::path mountPoint;
    // The volume label; empty when the system names none.
    std::string label;
    // As the mount table names it: "vfat", "exfat", "ext4", ...
    std::string fileSystem;
    CardLayout layout;
    // The stream files of the layout's extension, and their sizes.
    std::int32_t clipCount = 0;
    std::uint64_t totalBytes = 0;
};

// The mounted volumes that hold a card (findCardLayout finds a layout at the
// mount point), in the order of the system's mount table
// (/proc/self/mountinfo), with their labels from /dev/disk/by-label. Only
// volumes on block devices are looked at, so a network share that hangs or
// the system's own pseudo file systems cannot stall the search. Volumes that
// cannot be read and mount points that vanish meanwhile are left out; never
// throws for what it finds on disk.
std::vector<MountedCard> findMountedCards();

// The same from `mountTable`, the text of a mountinfo file, with labels from
// `labelFolder`: links named after volume labels (udev's "\x20" escapes
// decoded) that lead to the volumes' block devices.
std::vector<MountedCard> findMountedCards(const std::string& mountTable,
                                          const boost::filesystem::path& labelFolder);

} // namespace tandrel
