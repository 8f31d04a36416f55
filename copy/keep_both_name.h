#pragma once

#include <boost/filesystem/path.hpp>

#include <string>

namespace tandrel {

// The name a copy gets when the user keeps both files: `existing` (made
// absolute against the working directory the process started in) with
// " (2)" added to its stem, or the number of a stem that already ends in
// "(N)" counted up, until the name is free. Numbers of any length are counted
// up as decimal text, so a name such as "clip(99999999999)" becomes
// "clip(100000000000)" instead of wrapping around.
boost::filesystem::path makeKeepBothName(const std::string& existing);

// The name after `path` in that sequence, taken or not: "x.m2ts" gives
// "x (2).m2ts", "x (2).m2ts" gives "x (3).m2ts".
boost::filesystem::path nextKeepBothName(const boost::filesystem::path& path);

// True when `path` names anything at all, a dangling symbolic link included.
bool nameTaken(const boost::filesystem::path& path);

} // namespace tandrel
