#include "naming/path_validity.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string_view>

namespace tandrel {

namespace {

constexpr std::array<std::string_view, 22> reservedNames{
    "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
    "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9",
};

bool hasForbiddenCharacter(std::string_view text) {
    return text.find_first_of(std::string_view("<>\"|?*\0", 7)) != std::string_view::npos;
}

// Windows: one character, a colon and a backslash, and no other colon.
// Posix: rooted at "/", and no colon at all, as FAT and NTFS refuse it.
bool hasValidRoot(std::string_view text, PathStyle style) {
    if (style == PathStyle::Windows) {
        const std::string_view::size_type colon = text.rfind(':');
        return colon == 1 && text.size() > 2 && text[2] == '\\';
    }
    return !text.empty() && text.front() == '/' && text.find(':') == std::string_view::npos;
}

char asciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isReservedName(std::string_view fileName) {
    const std::string_view stem = fileName.substr(0, fileName.rfind('.'));
    return std::any_of(reservedNames.begin(), reservedNames.end(), [stem](std::string_view name) {
        return stem.size() == name.size() &&
               std::equal(stem.begin(), stem.end(), name.begin(),
                          [](char a, char b) { return asciiUpper(a) == b; });
    });
}

// "." and ".." would let a mask or a stream name climb out of the target
// folder; as names ending in a period they break the Windows rules anyway.
bool hasDotComponent(std::string_view folders, char separator) {
    std::string_view::size_type start = 0;
    while (start <= folders.size()) {
        std::string_view::size_type end = folders.find(separator, start);
        if (end == std::string_view::npos) {
            end = folders.size();
        }
        const std::string_view component = folders.substr(start, end - start);
        if (component == "." || component == "..") {
            return true;
        }
        start = end + 1;
    }
    return false;
}

} // namespace

PathValidity checkPathValidity(const boost::filesystem::path& path, PathStyle style) {
    const std::string native = nativeText(path, style);
    const char separator = separatorOf(style);
    const std::string_view whole(native);
    const std::string_view::size_type lastSeparator = whole.rfind(separator);
    const std::string_view parent = lastSeparator == std::string_view::npos
                                        ? std::string_view()
                                        : whole.substr(0, lastSeparator);
    const std::string_view fileName =
        lastSeparator == std::string_view::npos ? whole : whole.substr(lastSeparator + 1);

    if (hasForbiddenCharacter(whole) || !hasValidRoot(whole, style)) {
        return PathValidity::InvalidCharacter;
    }
    // A path that ends in a separator names a folder, not a file to write.
    if (fileName.empty()) {
        return PathValidity::Empty;
    }
    if (isReservedName(fileName)) {
        return PathValidity::ReservedName;
    }
    if (!parent.empty() && parent.back() == ' ') {
        return PathValidity::DirectoryEndsWithSpace;
    }
    if ((!parent.empty() && parent.back() == '.') || hasDotComponent(parent, separator)) {
        return PathValidity::DirectoryEndsWithPeriod;
    }
    if (fileName.back() == ' ') {
        return PathValidity::FileEndsWithSpace;
    }
    if (fileName.back() == '.') {
        return PathValidity::FileEndsWithPeriod;
    }
    if (native.size() > static_cast<std::size_t>(maxPathLength)) {
        return PathValidity::TooLong;
    }
    return PathValidity::Valid;
}

std::string pathValidityMessage(PathValidity validity) {
    switch (validity) {
    case PathValidity::InvalidCharacter:
        return "Invalid mask: Filename cannot contain the characters < > : \" | ? *";
    case PathValidity::ReservedName:
        return "Invalid mask: Filename cannot be CON, PRN, AUX, NUL, COM1-COM9 and LPT1-LPT9";
    case PathValidity::DirectoryEndsWithSpace:
    case PathValidity::DirectoryEndsWithPeriod:
        return "Invalid mask: A directory name cannot end with a space or period";
    case PathValidity::FileEndsWithSpace:
    case PathValidity::FileEndsWithPeriod:
        return "Invalid mask: A filename name cannot end with a space or period";
    case PathValidity::TooLong:
        return "Invalid mask: Filename cannot be longer than " + std::to_string(maxPathLength) +
               " characters";
    case PathValidity::Empty:
        return "Invalid mask: Filename cannot be empty";
    case PathValidity::Valid:
        break;
    }
    throw std::invalid_argument("Unknown validity.");
}

} // namespace tandrel
