#include "copy/stream_folder.h"

#include "metadata/file_listing.h"

#include <boost/filesystem/operations.hpp>

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <vector>

#include <sys/stat.h>

namespace fs = boost::filesystem;

namespace {

std::string upperCased(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

} // namespace

StreamFolder::StreamFolder(const fs::path& folder, const std::string& extension) : folder_(folder) {
    if (!fs::is_directory(folder)) {
        throw std::runtime_error("Not a directory.");
    }
    std::vector<std::string> names;
    for (fs::directory_iterator entry(folder), end; entry != end; ++entry) {
        names.push_back(entry->path().filename().string());
    }
    // std::string compares its bytes as unsigned values, like memcmp.
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        names_.insert(name);
        firstByUpperName_.emplace(upperCased(name), name);
        struct stat status {};
        if (::stat((folder / name).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
            continue;
        }
        identities_.emplace(status.st_dev, status.st_ino);
        if (extensionMatches(name, extension)) {
            ++count_;
            totalBytes_ += static_cast<std::uint64_t>(status.st_size);
        }
    }
}

std::optional<fs::path> StreamFolder::find(const std::string& name) const {
    if (names_.count(name) != 0) {
        return folder_ / name;
    }
    const auto match = firstByUpperName_.find(upperCased(name));
    if (match != firstByUpperName_.end()) {
        return folder_ / match->second;
    }
    return std::nullopt;
}
