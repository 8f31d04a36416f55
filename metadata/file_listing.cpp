#include "metadata/file_listing.h"

#include <boost/filesystem/operations.hpp>

#include <algorithm>
#include <cctype>

namespace fs = boost::filesystem;

bool sameNameIgnoringCase(const std::string& left, const std::string& right) {
    return left.size() == right.size() &&
           std::equal(left.begin(), left.end(), right.begin(), [](char one, char other) {
               return std::toupper(static_cast<unsigned char>(one)) ==
                      std::toupper(static_cast<unsigned char>(other));
           });
}

bool extensionMatches(const std::string& fileName, const std::string& extension) {
    const std::string::size_type dot = fileName.rfind('.');
    return dot != std::string::npos && sameNameIgnoringCase(fileName.substr(dot), extension);
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
