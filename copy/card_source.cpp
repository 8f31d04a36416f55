#include "copy/card_source.h"

#include "metadata/errors.h"
#include "metadata/path_text.h"
#include "naming/path_validity.h"

#include <boost/filesystem/operations.hpp>

#include <cerrno>

#include <fcntl.h>

namespace tandrel {

namespace fs = boost::filesystem;

namespace {

void requireFolder(const fs::path& folder) {
    if (!fs::exists(folder)) {
        throw InputDataMissingException("The directory \"" + nativeText(folder) +
                                        "\" does not exist.");
    }
}

void requireInside(const CardTree& tree, const fs::path& folder) {
    if (!tree.open(folder, O_PATH | O_DIRECTORY).isOpen() && errno == EXDEV) {
        throw InputDataMissingException("The directory \"" + nativeText(folder) +
                                        "\" leads out of the card.");
    }
}

} // namespace

bool CardSource::holdsFile(const fs::path& path) const {
    const std::optional<FileIdentity> identity = identityOf(path);
    return identity && streams.identities().count(*identity) != 0;
}

CardSource locateCard(const std::string& sourceText) {
    const fs::path root = lexicallyNormal(absoluteFromStart(pathFromText(sourceText)));
    requireFolder(root);
    CardLayout layout = findCardLayout(root);
    requireFolder(layout.playlistFolder);
    requireFolder(layout.streamFolder);
    CardTree tree(root);
    requireInside(tree, layout.playlistFolder);
    requireInside(tree, layout.streamFolder);
    StreamFolder streams(layout.streamFolder, layout.streamExtension);
    return CardSource{std::move(layout), std::move(tree), std::move(streams)};
}

PlaylistSet readCardPlaylists(const CardSource& card, const StopCheck& stopRequested) {
    PlaylistSet playlists;
    readPlaylists(card.playlistFolder(), playlists, card.layout.playlistExtension,
                  {&card.tree, stopRequested});
    return playlists;
}

} // namespace tandrel
