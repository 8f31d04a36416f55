#pragma once

#include <boost/filesystem/path.hpp>

#include <string>

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
