#pragma once

#include <boost/filesystem/path.hpp>

#include <string>

// The folders of the card a copy reads from.
struct CardSource {
    boost::filesystem::path root;
    boost::filesystem::path playlistFolder;
    boost::filesystem::path streamFolder;
};

// Makes `sourceText` absolute against the working directory the process
// started in and checks that the card root, its playlist folder and its
// stream folder exist, in that order. Throws InputDataMissingException naming
// the first that does not.
CardSource locateCard(const std::string& sourceText);

// `path` made absolute against the working directory the process started in.
boost::filesystem::path absoluteFromStart(const boost::filesystem::path& path);

// The stream file `streamFile` of a playlist in `streamFolder`. Cards copied
// through other systems may spell names in another letter case, so when no
// entry has exactly that name, the first entry (byte-wise order) whose name
// differs only in letter case is taken; where there is none either, the path
// names the file as the playlist spells it.
boost::filesystem::path streamFileOf(const boost::filesystem::path& streamFolder,
                                     const boost::filesystem::path& streamFile);
