#include "metadata/card_layout.h"
#include "metadata/path_text.h"
#include "metadata/stream_name.h"
#include "tests/support/card_writer.h"
#include "tests/support/temp_dir.h"
#include "tests/support/unprivileged.h"

#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <stdexcept>

namespace tandrel {

namespace fs = boost::filesystem;

namespace {

// A card with one playlist and one stream, or just the bare folders.
void writeSmallCard(const fs::path& root, const CardFolders& folders = {}) {
    CardSpec card = simpleCard(1, 1);
    card.folders = folders;
    writeCard(root, card);
}

} // namespace

TEST(CardLayout, StatusTexts) {
    EXPECT_STREQ(sourceStatusText(SourceValidity::Ok), "Source folder: Ok!");
    EXPECT_STREQ(sourceStatusText(SourceValidity::FolderMissing),
                 "Source folder: Folder does not exist.");
    EXPECT_STREQ(sourceStatusText(SourceValidity::NotAFolder),
                 "Source folder: Folder is not a directory.");
    EXPECT_STREQ(sourceStatusText(SourceValidity::PlaylistFolderMissing),
                 "Source folder: PlayList folder is missing.");
    EXPECT_STREQ(sourceStatusText(SourceValidity::PlaylistFilesMissing),
                 "Source folder: PlayList folder does not contain the expected files.");
    EXPECT_STREQ(sourceStatusText(SourceValidity::StreamFolderMissing),
                 "Source folder: Stream folder is missing.");
    EXPECT_STREQ(sourceStatusText(SourceValidity::StreamFilesMissing),
                 "Source folder: Stream folder does not contain the expected files.");
    EXPECT_THROW(sourceStatusText(static_cast<SourceValidity>(7)), std::invalid_argument);
}

TEST(CardLayout, ChecksTheRowsInOrder) {
    TempDir dir;
    EXPECT_EQ(checkSourceFolder(fs::path()), SourceValidity::FolderMissing);
    EXPECT_EQ(checkSourceFolder(dir / "missing"), SourceValidity::FolderMissing);
    writeFile(dir / "file", "x");
    EXPECT_EQ(checkSourceFolder(dir / "file"), SourceValidity::NotAFolder);

    const fs::path root = dir / "card";
    fs::create_directories(root);
    EXPECT_EQ(checkSourceFolder(root), SourceValidity::PlaylistFolderMissing);

    const fs::path playlists = cardPlaylistFolder(root);
    const fs::path streams = cardStreamFolder(root);
    fs::create_directories(playlists / "X.MPLS");
    fs::create_directories(streams);
    writeStreamFile(streams / "00000.M2TS", 10);
    // The playlist side is judged first.
    EXPECT_EQ(checkSourceFolder(root), SourceValidity::PlaylistFilesMissing);

    writeFile(playlists / "00000.mpls", "x");
    fs::remove_all(streams);
    EXPECT_EQ(checkSourceFolder(root), SourceValidity::StreamFolderMissing);
    fs::create_directories(streams / "X.M2TS");
    EXPECT_EQ(checkSourceFolder(root), SourceValidity::StreamFilesMissing);
    writeStreamFile(streams / "00000.m2ts", 10);
    EXPECT_EQ(checkSourceFolder(root), SourceValidity::Ok);
}

namespace {

// A card as a camera or the PC software writes it: where its tree lives,
// long or 8.3 names, and the letter case of every folder and extension.
struct CardVariant {
    const char* layout;
    bool shortNames;
    const char* letterCase;
};

std::string inCase(const std::string& text, const std::string& letterCase) {
    std::string result = text;
    for (std::size_t i = 0; i < result.size(); ++i) {
        const auto c = static_cast<unsigned char>(result[i]);
        const bool startsWord = i == 0 || result[i - 1] == '/' || result[i - 1] == '.';
        const bool upper = letterCase == "upper" || (letterCase == "mixed" && startsWord);
        result[i] = static_cast<char>(upper ? std::toupper(c) : std::tolower(c));
    }
    return result;
}

void PrintTo(const CardVariant& variant, std::ostream* out) {
    *out << variant.layout << (variant.shortNames ? ", 8.3 names, " : ", long names, ")
         << variant.letterCase << " case";
}

class CardVariants : public testing::TestWithParam<CardVariant> {};

} // namespace

TEST_P(CardVariants, ResolveTheirFoldersAndNames) {
    const CardVariant variant = GetParam();
    const std::string letterCase = variant.letterCase;
    CardSpec card = simpleCard(2, 1);
    card.folders = {inCase(variant.layout, letterCase), inCase("PLAYLIST", letterCase),
                    inCase("STREAM", letterCase)};
    card.playlistExtension = inCase(variant.shortNames ? ".MPL" : ".MPLS", letterCase);
    card.streamExtension = inCase(variant.shortNames ? ".MTS" : ".M2TS", letterCase);
    card.writeBackup = true;
    TempDir dir;
    writeCard(dir.path(), card);

    EXPECT_EQ(checkSourceFolder(dir.path()), SourceValidity::Ok);
    const CardLayout layout = findCardLayout(dir.path());
    EXPECT_EQ(layout.name, variant.layout);
    EXPECT_EQ(layout.playlistFolder, cardPlaylistFolder(dir.path(), card.folders));
    EXPECT_EQ(layout.streamFolder, cardStreamFolder(dir.path(), card.folders));
    EXPECT_EQ(layout.playlistExtension, variant.shortNames ? ".MPL" : ".MPLS");
    EXPECT_EQ(layout.streamExtension, variant.shortNames ? ".MTS" : ".M2TS");
    EXPECT_EQ(countFiles(layout.playlistFolder, layout.playlistExtension), 2);
    EXPECT_EQ(countFiles(layout.streamFolder, layout.streamExtension), 2);
    // The PlayItem still says M2TS.
    const CardClip& clip = card.playlists[0].clips[0];
    EXPECT_EQ(StreamNames(namesIn(layout.streamFolder), layout.streamExtension)
                  .find(streamFileName(clip)),
              streamFileOnCard(card, clip));
}

namespace {

std::vector<CardVariant> allVariants() {
    std::vector<CardVariant> variants;
    for (const char* layout : {"PRIVATE/AVCHDL/BDMV", "PRIVATE/AVCHD/BDMV", "AVCHD/BDMV", "BDMV"}) {
        for (const bool shortNames : {false, true}) {
            for (const char* letterCase : {"upper", "lower", "mixed"}) {
                variants.push_back({layout, shortNames, letterCase});
            }
        }
    }
    return variants;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(CardLayout, CardVariants, testing::ValuesIn(allVariants()),
                         [](const testing::TestParamInfo<CardVariant>& info) {
                             std::string name = std::string(info.param.layout) +
                                                (info.param.shortNames ? "_short_" : "_long_") +
                                                info.param.letterCase;
                             std::replace(name.begin(), name.end(), '/', '_');
                             return name;
                         });

TEST(CardLayout, TakesTheFirstLayoutAndTheLongNamesWhereThereAreSeveral) {
    TempDir dir;
    CardSpec camera = simpleCard(1, 1);
    camera.folders.bdmvPath = "PRIVATE/AVCHD/BDMV";
    camera.playlistExtension = ".MPL";
    camera.streamExtension = ".MTS";
    writeCard(dir.path(), camera);
    EXPECT_EQ(findCardLayout(dir.path()).name, "PRIVATE/AVCHD/BDMV");
    writeFile(dir / "BDMV" / "PLAYLIST" / "00000.MPLS", "x");
    EXPECT_EQ(findCardLayout(dir.path()).name, "PRIVATE/AVCHD/BDMV");
    writeSmallCard(dir.path());
    EXPECT_EQ(findCardLayout(dir.path()).name, "PRIVATE/AVCHDL/BDMV");
    EXPECT_EQ(playlistFolderOf(dir.path()), cardPlaylistFolder(dir.path()));

    // A folder that holds both spellings is read by its long names only.
    writeFile(cardPlaylistFolder(dir.path()) / "00001.MPL", "x");
    writeStreamFile(cardStreamFolder(dir.path()) / "00001.MTS", 10);
    const CardLayout layout = findCardLayout(dir.path());
    EXPECT_EQ(layout.playlistExtension, ".MPLS");
    EXPECT_EQ(layout.streamExtension, ".M2TS");
}

TEST(CardLayout, NamesMissingFoldersAsTheFirstLayoutSpellsThem) {
    TempDir none;
    const CardLayout layout = findCardLayout(none.path());
    EXPECT_EQ(layout.name, "");
    EXPECT_EQ(layout.playlistFolder, none / "PRIVATE" / "AVCHDL" / "BDMV" / "PLAYLIST");
    EXPECT_EQ(layout.streamFolder, none / "PRIVATE" / "AVCHDL" / "BDMV" / "STREAM");

    TempDir partial;
    fs::create_directories(partial / "Private" / "AvchdL");
    EXPECT_EQ(playlistFolderOf(partial.path()),
              partial / "Private" / "AvchdL" / "BDMV" / "PLAYLIST");

    // Among several spellings a folder wins over a file, then byte order.
    TempDir several;
    writeFile(several / "PRIVATE", "a file");
    fs::create_directories(several / "private");
    fs::create_directories(several / "Private");
    EXPECT_EQ(playlistFolderOf(several.path()),
              several / "Private" / "AVCHDL" / "BDMV" / "PLAYLIST");
}

TEST(CardLayout, FindsTheStreamFileTheCardHolds) {
    const StreamNames names({"00003.Mts", "00001.MTS", "00002.m2ts", "00001.M2TS", "00003.mts",
                             "00002.M2ts", "00005.mts", "00005.MTS"},
                            ".MTS");
    EXPECT_EQ(names.find("00001.M2TS"), "00001.M2TS");
    EXPECT_EQ(names.find("00002.M2TS"), "00002.M2ts");
    EXPECT_EQ(names.find("00003.M2TS"), "00003.Mts");
    EXPECT_EQ(names.find("00004.M2TS"), std::nullopt);
    EXPECT_EQ(names.find("00005.mts"), "00005.mts");
    EXPECT_EQ(StreamNames({"00003.MTS"}, ".M2TS").find("00003.M2TS"), std::nullopt);
}

TEST(CardLayout, MapsUnreadableStatesToTheNearestRow) {
    TempDir dir;
    // A layout folder that is a file cannot be listed.
    writeSmallCard(dir.path());
    fs::remove_all(cardStreamFolder(dir.path()));
    writeFile(cardStreamFolder(dir.path()), "x");
    EXPECT_EQ(checkSourceFolder(dir.path()), SourceValidity::StreamFilesMissing);
    fs::remove_all(cardPlaylistFolder(dir.path()));
    writeFile(cardPlaylistFolder(dir.path()), "x");
    EXPECT_EQ(checkSourceFolder(dir.path()), SourceValidity::PlaylistFilesMissing);

    // A source whose state cannot be read: a loop of links, a name too long.
    fs::create_symlink(dir / "loop-b", dir / "loop-a");
    fs::create_symlink(dir / "loop-a", dir / "loop-b");
    EXPECT_EQ(checkSourceFolder(dir / "loop-a"), SourceValidity::FolderMissing);
    EXPECT_EQ(checkSourceFolder(dir / std::string(300, 'x')), SourceValidity::FolderMissing);
    EXPECT_EQ(checkSourceFolder(dir / "loop-a" / "sub"), SourceValidity::FolderMissing);

    // Loops below the source are layout folders that cannot be read.
    TempDir looped;
    fs::create_directories(looped / "PRIVATE" / "AVCHDL");
    fs::create_symlink(looped / "PRIVATE" / "AVCHDL" / "BDMV",
                       looped / "PRIVATE" / "AVCHDL" / "BDMV");
    EXPECT_EQ(checkSourceFolder(looped.path()), SourceValidity::PlaylistFolderMissing);
}

TEST(CardLayout, MapsFoldersWithoutPermissionToTheNearestRow) {
    TempDir dir;
    const fs::path locked = dir / "locked";
    writeSmallCard(locked / "card");
    writeSmallCard(dir / "card");
    fs::permissions(locked, fs::no_perms);
    fs::permissions(cardPlaylistFolder(dir / "card"), fs::no_perms);
    const auto check = [](const fs::path& source) {
        return static_cast<SourceValidity>(
            runUnprivileged([&] { return static_cast<int>(checkSourceFolder(source)); }));
    };
    EXPECT_EQ(check(locked / "card"), SourceValidity::FolderMissing);
    EXPECT_EQ(check(dir / "card"), SourceValidity::PlaylistFilesMissing);
    fs::permissions(cardPlaylistFolder(dir / "card"), fs::all_all);
    fs::permissions(cardStreamFolder(dir / "card"), fs::no_perms);
    EXPECT_EQ(check(dir / "card"), SourceValidity::StreamFilesMissing);
}

TEST(CardLayout, CountsAndSumsMatchingRegularFiles) {
    TempDir dir;
    EXPECT_EQ(countFiles(dir.path(), ".M2TS"), 0);
    writeStreamFile(dir / "a.M2TS", 100);
    writeStreamFile(dir / "b.m2ts", 200);
    writeStreamFile(dir / "c.M2Ts", 300);
    writeStreamFile(dir / "d.M2T", 1);
    writeStreamFile(dir / "e.M2TS2", 1);
    writeStreamFile(dir / "M2TS", 1);
    writeStreamFile(dir / ".M2TS", 400);
    fs::create_directories(dir / "f.M2TS");
    writeStreamFile(dir / "f.M2TS" / "inner.M2TS", 1);
    EXPECT_EQ(countFiles(dir.path(), ".M2TS"), 4);
    EXPECT_EQ(sumFileSizes(dir.path(), ".M2TS"), 1000u);

    // Sizes beyond 32 bits add up exactly (sparse files).
    TempDir large;
    for (const char* name : {"a.M2TS", "b.M2TS"}) {
        writeFile(large / name, "");
        fs::resize_file(large / name, 3ull << 30);
    }
    EXPECT_EQ(sumFileSizes(large.path(), ".M2TS"), 6ull << 30);

    try {
        countFiles(dir / "a.M2TS", ".M2TS");
        FAIL() << "counted a file";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Not a directory.");
    }
    EXPECT_THROW(sumFileSizes(dir / "missing", ".M2TS"), std::runtime_error);
}

TEST(CardLayout, MatchesExtensionsFromTheLastDot) {
    EXPECT_TRUE(extensionMatches("00000.mpls", ".MPLS"));
    EXPECT_TRUE(extensionMatches("a.b.Mpls", ".MPLS"));
    EXPECT_TRUE(extensionMatches(".MPLS", ".MPLS"));
    EXPECT_FALSE(extensionMatches("a.MPLS.bak", ".MPLS"));
    EXPECT_FALSE(extensionMatches("MPLS", ".MPLS"));
    EXPECT_FALSE(extensionMatches("a.MPL", ".MPLS"));
    EXPECT_FALSE(extensionMatches("a.", ".MPLS"));
}

} // namespace tandrel
