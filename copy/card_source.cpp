#include "copy/card_source.h"

#include "metadata/card_layout.h"
#include "metadata/errors.h"
#include "metadata/file_listing.h"
#include "metadata/path_text.h"
#include "naming/path_validity.h"

#include <boost/filesystem/operations.hpp>

#include <optional>

namespace fs = boost::filesystem;
using boost::system::error_code;

namespace {

void requireFolder(const fs::path& folder) {
    if (!fs::exists(folder)) {
        throw InputDataMissingException("The directory \"" + nativeText(folder) +
                                        "\" does not exist.");
    }
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

fs::path streamFileOf(const CardSource& card, const fs::path& streamFile) {
    fs::path exact = card.streamFolder / streamFile;
    error_code error;
    if (fs::exists(exact, error)) {
        return exact;
    }
    const std::string& name = streamFile.string();
    std::optional<std::string> firstMatch;
    for (fs::directory_iterator entry(card.streamFolder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string entryName = entry->path().filename().string();
        if (sameNameIgnoringCase(entryName, name) && (!firstMatch || entryName < *firstMatch)) {
            firstMatch = entryName;
        }
    }
    return firstMatch ? card.streamFolder / *firstMatch : exact;
}
