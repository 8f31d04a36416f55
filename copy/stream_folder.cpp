#include "copy/stream_folder.h"

#include "metadata/path_text.h"

#include <boost/filesystem/operations.hpp>

#include <stdexcept>
#include <vector>

#include <sys/stat.h>

namespace tandrel {

namespace fs = boost::filesystem;

namespace {

std::vector<std::string> entryNames(const fs::path& folder) {
    if (!fs::is_directory(folder)) {
        throw std::runtime_error("Not a directory.");
    }
    std::vector<std::string> names;
    for (fs::directory_iterator entry(folder), end; entry != end; ++entry) {
        names.push_back(entry->path().filename().string());
    }
    return names;
}

} // namespace

StreamFolder::StreamFolder(const fs::path& folder, const std::string& extension)
    : StreamFolder(folder, extension, entryNames(folder)) {}

StreamFolder::StreamFolder(const fs::path& folder, const std::string& extension,
                           const std::vector<std::string>& names)
    : folder_(folder), names_(names, extension) {
    for (const std::string& name : names) {
        struct stat status {};
        if (::stat((folder / name).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
            continue;
        }
        identities_.insert(identityOf(status));
        if (extensionMatches(name, extension)) {
            ++count_;
            totalBytes_ += static_cast<std::uint64_t>(status.st_size);
        }
    }
}

std::optional<fs::path> StreamFolder::find(const std::string& name) const {
    if (const std::optional<std::string> found = names_.find(name)) {
        return folder_ / *found;
    }
    return std::nullopt;
}

} // namespace tandrel
