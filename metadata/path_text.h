#pragma once

#include <boost/filesystem/path.hpp>

#include <string>

namespace tandrel {

// Turns text typed by a user, stored in settings or read from a card into a
// path. Both "\" and "/" separate components, so Windows-style text such as
// "\PRIVATE\AVCHDL" means the same folders here.
boost::filesystem::path pathFromText(const std::string& text);

// Appends `text` to `base` the way the card layout and the masks expect: one
// "/" between them unless `base` is empty, already ends in a separator or ":", or
// `text` begins with one. Backslashes in `text` become separators.
boost::filesystem::path appendText(const boost::filesystem::path& base, const std::string& text);

// `path` without "." components and with each ".." taken back against the
// name before it: ".." at the root stays at the root, a relative path keeps
// its leading "..", and a trailing separator stays. Nothing on disk is
// asked, so links are not resolved.
boost::filesystem::path lexicallyNormal(const boost::filesystem::path& path);

// How a path is written for people and for the name rules: Windows ("\"
// between components) or this platform ("/"). The rule checker takes the
// style as a parameter, so both styles are tested.
enum class PathStyle { Windows, Posix };
inline constexpr PathStyle nativePathStyle = PathStyle::Posix;

// The separator of a style: "\\" or "/".
char separatorOf(PathStyle style);

// The path as shown to users and checked: every separator written as the
// style's own.
std::string nativeText(const boost::filesystem::path& path, PathStyle style = nativePathStyle);

// `path` made absolute against the working directory the process started
// in, recorded once, so a later change of the working directory cannot move
// relative sources and targets.
boost::filesystem::path absoluteFromStart(const boost::filesystem::path& path);

// `text` with every byte upper-cased by toupper: two names that Windows
// takes for one have the same folded form.
std::string caseFolded(std::string text);
// True when the two names have the same folded form.
bool sameNameIgnoringCase(const std::string& left, const std::string& right);
// True when the extension of `fileName` (from its last "." to the end, the
// dot included) equals `extension` by sameNameIgnoringCase.
bool extensionMatches(const std::string& fileName, const std::string& extension);

// True when `path` is a folder; a path whose state cannot be read is none.
bool isFolder(const boost::filesystem::path& path);

// `relative` ("/"-separated) followed down from `folder`, each component as
// spelled when that folder exists, else as the folder's entries spell it
// without regard to case (the first folder among the matches in byte-wise
// order, else the first match of any kind). Below the first component that
// is not found the rest is appended as given. Cameras and copies of card
// trees differ in letter case; a folder that cannot be listed has no match.
boost::filesystem::path followIgnoringCase(const boost::filesystem::path& folder,
                                           const std::string& relative);

} // namespace tandrel
