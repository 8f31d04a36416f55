#include "metadata/file_listing.h"

#include <boost/filesystem/operations.hpp>

#include <algorithm>
#include <cctype>

namespace fs = boost::filesystem;

bool extensionMatches(const std::string& fileName, const std::string& extension) {
    const std::string::size_type dot = fileName.rfind('.');
    if (dot == std::string::npos || fileName.size() - dot != extension.size()) {
        return false;
    }
    return std::equal(extension.begin(), extension.end(), fileName.begin() + dot,
                      [](char wanted, char given) {
                          return std::toupper(static_cast<unsigned char>(wanted)) ==
                                 std::toupper(static_cast<unsigned char>(given));
                      });
}

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
