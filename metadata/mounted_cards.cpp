#include "metadata/mounted_cards.h"

#include <boost/filesystem/operations.hpp>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace tandrel {

namespace fs = boost::filesystem;
using boost::system::error_code;

namespace {

struct MountEntry {
    dev_t device = 0;
    std::string mountPoint;
    std::string fileSystem;
};

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool isOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

// The kernel writes space, tab, line break and backslash in mount table
// fields as "\" and three octal digits ("\040").
std::string decodeMountField(const std::string& field) {
    std::string decoded;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && isOctalDigit(field[i + 1]) &&
            isOctalDigit(field[i + 2]) && isOctalDigit(field[i + 3])) {
            decoded += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                         (field[i + 3] - '0'));
            i += 3;
        } else {
            decoded += field[i];
        }
    }
    return decoded;
}

// udev names label links with "\x" and two hex digits for every byte a
// device name may not hold ("CAM\x20ONE").
std::string decodeLabelName(const std::string& name) {
    std::string decoded;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' &&
            hexDigit(name[i + 2]) >= 0 && hexDigit(name[i + 3]) >= 0) {
            decoded += static_cast<char>(hexDigit(name[i + 2]) * 16 + hexDigit(name[i + 3]));
            i += 3;
        } else {
            decoded += name[i];
        }
    }
    return decoded;
}

// One line of a mountinfo file: id, parent id, major:minor, root, mount
// point, options, optional fields ended by "-", file system type, source,
// super block options. Nothing for a line that does not read so.
std::optional<MountEntry> parseMountLine(const std::string& line) {
    std::istringstream fields(line);
    const std::vector<std::string> field{std::istream_iterator<std::string>(fields),
                                         std::istream_iterator<std::string>()};
    std::size_t separator = 6;
    while (separator < field.size() && field[separator] != "-") {
        ++separator;
    }
    if (separator + 1 >= field.size()) {
        return std::nullopt;
    }
    unsigned major = 0;
    unsigned minor = 0;
    char colon = 0;
    std::istringstream numbers(field[2]);
    if (!(numbers >> major >> colon >> minor) || colon != ':') {
        return std::nullopt;
    }
    return MountEntry{makedev(major, minor), decodeMountField(field[4]),
                      decodeMountField(field[separator + 1])};
}

std::map<dev_t, std::string> labelsOfDevices(const fs::path& labelFolder) {
    std::map<dev_t, std::string> labels;
    error_code error;
    for (fs::directory_iterator entry(labelFolder, error), end; !error && entry != end;
         entry.increment(error)) {
        struct stat device {};
        if (::stat(entry->path().c_str(), &device) == 0 && S_ISBLK(device.st_mode)) {
            labels.emplace(device.st_rdev, decodeLabelName(entry->path().filename().string()));
        }
    }
    return labels;
}

// The card at `entry`'s mount point, or nothing when it holds none or cannot
// be read to the end.
std::optional<MountedCard> cardAt(const MountEntry& entry) {
    MountedCard card;
    card.mountPoint = entry.mountPoint;
    card.fileSystem = entry.fileSystem;
    card.layout = findCardLayout(card.mountPoint);
    if (card.layout.name.empty()) {
        return std::nullopt;
    }
    error_code error;
    if (!fs::exists(card.layout.streamFolder, error)) {
        // A freshly formatted card: the tree without a recording yet.
        return error ? std::nullopt : std::optional<MountedCard>(card);
    }
    try {
        card.clipCount = countFiles(card.layout.streamFolder, card.layout.streamExtension);
        card.totalBytes = sumFileSizes(card.layout.streamFolder, card.layout.streamExtension);
    } catch (const std::exception&) {
        // An unreadable volume, or one taken away while it was read, is
        // simply not a card to offer.
        return std::nullopt;
    }
    return card;
}

} // namespace

std::vector<MountedCard> findMountedCards() {
    std::ifstream file("/proc/self/mountinfo");
    const std::string table{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return findMountedCards(table, "/dev/disk/by-label");
}

std::vector<MountedCard> findMountedCards(const std::string& mountTable,
                                          const fs::path& labelFolder) {
    std::vector<MountEntry> entries;
    std::istringstream lines(mountTable);
    for (std::string line; std::getline(lines, line);) {
        const std::optional<MountEntry> entry = parseMountLine(line);
        if (entry && major(entry->device) != 0) {
            entries.push_back(*entry);
        }
    }
    std::vector<MountedCard> cards;
    std::optional<std::map<dev_t, std::string>> labels;
    std::set<std::string> covered;
    // The table lists mounts in the order they were made; of several at one
    // place only the last can be seen there.
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        if (!covered.insert(entry->mountPoint).second) {
            continue;
        }
        std::optional<MountedCard> card = cardAt(*entry);
        if (!card) {
            continue;
        }
        if (!labels) {
            labels = labelsOfDevices(labelFolder);
        }
        const auto label = labels->find(entry->device);
        if (label != labels->end()) {
            card->label = label->second;
        }
        cards.push_back(*card);
    }
    std::reverse(cards.begin(), cards.end());
    return cards;
}

} // namespace tandrel
