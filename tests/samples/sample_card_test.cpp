#include "metadata/card_layout.h"
#include "metadata/playlist_reader.h"
#include "samples/sample_card.h"
#include "tests/support/temp_dir.h"

#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tandrel {

namespace fs = boost::filesystem;

// The committed card is what the generator writes today.
TEST(SampleCard, MatchesItsGenerator) {
    const fs::path committed(TANDREL_SAMPLE_CARD);
    TempDir fresh;
    writeCard(fresh.path(), sampleCard());
    const std::vector<std::string> files = filesBelow(fresh.path());
    ASSERT_EQ(filesBelow(committed), files);
    for (const std::string& file : files) {
        EXPECT_EQ(readFile(committed / file), readFile(fresh / file)) << file;
    }
}

TEST(SampleCard, ReadsAsACard) {
    const fs::path committed(TANDREL_SAMPLE_CARD);
    ASSERT_EQ(checkSourceFolder(committed), SourceValidity::Ok);
    PlaylistSet result;
    readPlaylists(playlistFolderOf(committed), result, playlistExtension);
    EXPECT_EQ(result.playlists.size(), 3u);
    EXPECT_EQ(result.clipTotal, 6);
    EXPECT_EQ(countFiles(streamFolderOf(committed), streamExtension), 6);
}

} // namespace tandrel
