#include "tests/support/temp_dir.h"

#include <boost/filesystem/operations.hpp>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tandrel {

namespace fs = boost::filesystem;

TempDir::TempDir()
    : path_(fs::temp_directory_path() / fs::unique_path("tandrel-test-%%%%-%%%%-%%%%")) {
    fs::create_directories(path_);
}

TempDir::~TempDir() {
    boost::system::error_code ignored; // a test that left a read-only file must not abort here
    fs::permissions(path_, fs::owner_all | fs::add_perms, ignored);
    fs::remove_all(path_, ignored);
}

std::vector<std::string> filesBelow(const fs::path& folder) {
    std::vector<std::string> files;
    if (!fs::exists(folder)) {
        return files;
    }
    for (fs::recursive_directory_iterator entry(folder), end; entry != end; ++entry) {
        if (!fs::is_directory(entry->symlink_status())) {
            files.push_back(fs::relative(entry->path(), folder).generic_string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void writeFile(const fs::path& file, const std::string& content) {
    if (file.has_parent_path()) {
        fs::create_directories(file.parent_path());
    }
    std::ofstream out(file.string(), std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

std::string readFile(const fs::path& file) {
    std::ifstream in(file.string(), std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + file.string());
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace tandrel
