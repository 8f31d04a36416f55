#include "tests/support/temp_dir.h"

#include <boost/filesystem/operations.hpp>

#include <fstream>
#include <iterator>
#include <stdexcept>

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
