#include "metadata/file_listing.h"

#include "metadata/path_text.h"

#include <boost/filesystem/operations.hpp>

#include <algorithm>

namespace tandrel {

namespace fs = boost::filesystem;

std::vector<fs::path> matchingFiles(const fs::path& folder, const std::string& extension) {
    std::vector<fs::path> files;
    for (fs::directory_iterator entry(folder), end; entry != end; ++entry) {
        if (fs::is_regular_file(entry->status()) &&
            extensionMatches(entry->path().filename().string(), extension)) {
            files.push_back(entry->path());
        }
    }
    // std::string compares its bytes as unsigned values, like memcmp.
    std::sort(files.begin(), files.end(), [](const fs::path& left, const fs::path& right) {
        return left.filename().string() < right.filename().string();
    });
    return files;
}

} // namespace tandrel
