#include "copy/card_source.h"

#include "metadata/card_layout.h"
#include "metadata/errors.h"
#include "metadata/path_text.h"
#include "naming/path_validity.h"

#include <boost/filesystem/operations.hpp>

#include <cctype>
#include <optional>

namespace fs = boost::filesystem;

namespace {

void requireFolder(const fs::path& folder) {
    if (!fs::exists(folder)) {
        throw InputDataMissingException("The directory \"" + nativeText(folder) +
                                        "\" does not exist.");
    }
}

bool sameIgnoringCase(const std::string& left, const std::string& right) {
    if (left.size() != right.size()) {
        return false;
    }
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(left[i])) !=
            std::toupper(static_cast<unsigned char>(right[i]))) {
            return false;
        }
    }
    return true;
}

} // namespace

fs::path absoluteFromStart(const fs::path& path) {
    // Recorded once, so a later change of the working directory cannot move
    // relative sources and targets.
    static const fs::path initialDirectory = fs::current_path();
    return fs::absolute(path, initialDirectory);
}

CardSource locateCard(const std::string& sourceText) {
    CardSource card;
    card.root = absoluteFromStart(pathFromText(sourceText));
    requireFolder(card.root);
    card.playlistFolder = playlistFolderOf(card.root);
    requireFolder(card.playlistFolder);
    card.streamFolder = streamFolderOf(card.root);
    requireFolder(card.streamFolder);
    return card;
}

fs::path streamFileOf(const fs::path& streamFolder, const fs::path& streamFile) {
    const fs::path exact = streamFolder / streamFile;
    boost::system::error_code error;
    if (fs::exists(fs::symlink_status(exact, error)) || streamFile.has_parent_path()) {
        return exact;
    }
    // A folder that cannot be listed has no other spelling; the copy then
    // reports the file under its own name.
    const std::string wanted = streamFile.string();
    std::optional<std::string> match;
    for (fs::directory_iterator entry(streamFolder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (sameIgnoringCase(name, wanted) && (!match || name < *match)) {
            match = name;
        }
    }
    return match ? streamFolder / *match : exact;
}
