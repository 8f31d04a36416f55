// Runs the built tandrel-cli as a user would and looks at its output streams
// and exit code.
#include "tests/cli/cli_runner.h"
#include "tests/support/card_writer.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace tandrel {

TEST(Cli, AnswersHelpVersionAndUsageErrors) {
    const CliRun version = runCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_NE(version.out.find("tandrel-cli 1.0.0.0"), std::string::npos);

    const CliRun help = runCli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("check"), std::string::npos);
    EXPECT_NE(help.out.find("list"), std::string::npos);

    EXPECT_EQ(runCli({}).exitCode, 2);
    EXPECT_EQ(runCli({"list"}).exitCode, 2);
    EXPECT_EQ(runCli({"check", "a", "b"}).exitCode, 2);
    EXPECT_EQ(runCli({"list", "--yaml", "x"}).exitCode, 2);
    EXPECT_EQ(runCli({"copy"}).exitCode, 2);
}

TEST(Cli, ChecksASource) {
    TempDir dir;
    writeCard(dir / "card", simpleCard(1, 1));
    const CliRun ok = runCli({"check", (dir / "card").string()});
    EXPECT_EQ(ok.exitCode, 0);
    EXPECT_EQ(ok.out, "Source folder: Ok!\n");

    const CliRun missing = runCli({"check", (dir / "none").string()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "Source folder: Folder does not exist.\n");

    // Windows-style text names the same folders.
    writeCard(dir / "bare", CardSpec{});
    const CliRun bare = runCli({"check", dir.str() + "\\bare"});
    EXPECT_EQ(bare.exitCode, 1);
    EXPECT_EQ(bare.out, "Source folder: PlayList folder does not contain the expected files.\n");
}

TEST(Cli, ChecksCardsAsCamerasWriteThem) {
    for (const char* layout : {"private/avchd/bdmv", "avchd/bdmv", "bdmv"}) {
        TempDir dir;
        CardSpec card = simpleCard(1, 1);
        card.folders = {layout, "playlist", "stream"};
        card.playlistExtension = ".mpl";
        card.streamExtension = ".mts";
        writeCard(dir.path(), card);
        const CliRun check = runCli({"check", dir.str()});
        EXPECT_EQ(check.exitCode, 0) << layout;
        EXPECT_EQ(check.out, "Source folder: Ok!\n") << layout;
    }
}

TEST(Cli, ListsClipsInCopyOrder) {
    TempDir dir;
    CardSpec card = simpleCard(2, 2);
    card.playlists[1].clips[1].recorded = bcdDateTime(2027, 1, 2, 3, 4, 5);
    writeCard(dir.path(), card);

    const CliRun text = runCli({"list", dir.str()});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_EQ(text.err, "");
    EXPECT_EQ(text.out, "00000.M2TS  2026-12-05 18:00:00\n"
                        "00001.M2TS  2026-12-05 18:01:00\n"
                        "00002.M2TS  2026-12-05 18:02:00\n"
                        "00003.M2TS  2027-01-02 03:04:05\n");

    const CliRun json = runCli({"list", "--json", dir.str()});
    EXPECT_EQ(json.exitCode, 0);
    EXPECT_EQ(
        json.out,
        R"({"layout":"PRIVATE/AVCHDL/BDMV","clips":[)"
        R"({"playlist":0,"stream":"00000.M2TS","recorded":{"year":2026,"month":12,"day":5,"hour":18,"minute":0,"second":0},"recording":0,"part":1},)"
        R"({"playlist":0,"stream":"00001.M2TS","recorded":{"year":2026,"month":12,"day":5,"hour":18,"minute":1,"second":0},"recording":1,"part":1},)"
        R"({"playlist":1,"stream":"00002.M2TS","recorded":{"year":2026,"month":12,"day":5,"hour":18,"minute":2,"second":0},"recording":2,"part":1},)"
        R"({"playlist":1,"stream":"00003.M2TS","recorded":{"year":2027,"month":1,"day":2,"hour":3,"minute":4,"second":5},"recording":3,"part":1}]})"
        "\n");
}

TEST(Cli, ListsStoredValuesWithoutCorrection) {
    TempDir dir;
    CardSpec card = simpleCard(1, 1);
    card.playlists[0].clips[0].recorded = {0x00, 0x00, 0x00, 0x31, 0x25, 0x61, 0x99};
    writeCard(dir.path(), card);
    const CliRun json = runCli({"list", dir.str(), "--json"});
    EXPECT_EQ(json.exitCode, 0);
    EXPECT_NE(json.out.find(
                  R"("recorded":{"year":0,"month":0,"day":31,"hour":25,"minute":61,"second":99})"),
              std::string::npos)
        << json.out;
    const CliRun text = runCli({"list", dir.str()});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_NE(text.out.find("00000.M2TS  "), std::string::npos) << text.out;
}

TEST(Cli, ReportsListFailuresOnStandardErrorOnly) {
    TempDir dir;
    const CliRun missing = runCli({"list", (dir / "none").string()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "Source folder: Folder does not exist.\n");

    CardSpec card = simpleCard(2, 1);
    card.playlists[1].clips[0].markStreamId = std::string(2, '\0');
    writeCard(dir / "broken", card);
    const CliRun broken = runCli({"list", "--json", (dir / "broken").string()});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_EQ(broken.out, "");
    EXPECT_EQ(broken.err, "Problem parsing the file " +
                              (cardPlaylistFolder(dir / "broken") / "00001.MPLS").string() + ".\n");
}

TEST(Cli, ListsCameraCardsByTheNamesOnTheCard) {
    TempDir dir;
    CardSpec card = simpleCard(1, 1);
    card.folders.bdmvPath = "PRIVATE/AVCHD/BDMV";
    card.playlistExtension = ".MPL";
    card.streamExtension = ".MTS";
    writeCard(dir.path(), card);
    EXPECT_EQ(runCli({"list", dir.str()}).out, "00000.MTS  2026-12-05 18:00:00\n");
    EXPECT_NE(runCli({"list", "--json", dir.str()})
                  .out.find("{\"layout\":\"PRIVATE/AVCHD/BDMV\",\"clips\":[{\"playlist\":0,"
                            "\"stream\":\"00000.MTS\""),
              std::string::npos);
}

// A crafted card may name a clip with terminal escapes and bytes that are
// not UTF-8: people see them escaped, scripts get the exact bytes back.
TEST(Cli, NamesFromTheCardCannotControlTheTerminal) {
    TempDir dir;
    CardSpec card = simpleCard(1, 1);
    card.playlists[0].clips[0].clipName = "\x1b[2J\xff";
    writeCard(dir.path(), card);
    const CliRun text = runCli({"list", dir.str()});
    EXPECT_EQ(text.out, "\\x1b[2J\\xff.M2TS  2026-12-05 18:00:00\n");
    EXPECT_NE(
        runCli({"list", "--json", dir.str()}).out.find("\"stream\":\"\\u001b[2J\\udcff.M2TS\""),
        std::string::npos);
    const CliRun plan = runCli({"plan", dir.str(), "/v", "--no-rename"});
    EXPECT_NE(plan.out.find("/v/2026_12_05/\\x1b[2J\\xff.M2TS\n"), std::string::npos) << plan.out;
    EXPECT_EQ(plan.out.find('\x1b'), std::string::npos);
}

} // namespace tandrel
