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

// The stream file `streamFile` (a plain name, as the playlist reader gives it)
// in the card's stream folder. Cameras and copies of card trees differ in
// letter case, so when no entry has exactly that name, the first entry in
// byte-wise order whose name matches without regard to case is taken. Where
// none matches, or the folder cannot be listed, the exact name is returned for
// the caller's existence check to report.
boost::filesystem::path streamFileOf(const CardSource& card,
                                     const boost::filesystem::path& streamFile);

// `path` made absolute against the working directory the process started in.
boost::filesystem::path absoluteFromStart(const boost::filesystem::path& path);
