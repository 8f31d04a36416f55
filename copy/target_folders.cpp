#include "copy/target_folders.h"

#include "copy/copy_failure.h"
#include "copy/file_transfer.h"

#include <boost/filesystem/operations.hpp>

#include <optional>
#include <vector>

namespace tandrel {

namespace fs = boost::filesystem;

namespace {

std::size_t depthOf(const fs::path& path) {
    return static_cast<std::size_t>(std::distance(path.begin(), path.end()));
}

} // namespace

void TargetFolders::prepare(const fs::path& folder) {
    if (!folder.empty() && !fs::exists(folder)) {
        std::vector<fs::path> made;
        for (fs::path missing = folder; !missing.empty() && !fs::exists(missing);
             missing = missing.parent_path()) {
            made.push_back(missing);
        }
        fs::create_directories(folder);
        for (const fs::path& newFolder : made) {
            // Its source is not known yet; the copy that needed it tells.
            changed_.emplace(newFolder.parent_path(), fs::path());
        }
    }
    if (swept_.insert(folder).second) {
        removeStaleTemporaries(folder);
    }
}

void TargetFolders::received(const fs::path& folder, const fs::path& source) {
    changed_[folder] = source;
    // The folders this copy made are named after it too.
    for (auto& [changedFolder, lastSource] : changed_) {
        if (lastSource.empty()) {
            lastSource = source;
        }
    }
}

void TargetFolders::flush() {
    std::vector<std::pair<fs::path, fs::path>> folders(changed_.begin(), changed_.end());
    changed_.clear();
    std::stable_sort(folders.begin(), folders.end(), [](const auto& one, const auto& other) {
        return depthOf(one.first) > depthOf(other.first);
    });
    std::optional<CopyFailure> failure;
    for (const auto& [folder, source] : folders) {
        const int error = flushFolder(folder);
        if (error != 0 && !failure) {
            failure.emplace("tandrel: flush folder", CopyFailure::Side::Destination, source, folder,
                            boost::system::error_code(error, boost::system::system_category()));
        }
    }
    if (failure) {
        throw *failure;
    }
}

} // namespace tandrel
