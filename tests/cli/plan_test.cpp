#include "tests/cli/cli_runner.h"
#include "tests/support/card_writer.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>

namespace fs = boost::filesystem;

namespace {

const std::string fatalHeading = "The following fatal error has occured while copying the files:\n";
const std::string abortLine = "The operation has been aborted.\n";
const std::string contactLine = "Please contact Brellix for assistance.\n";

CardClip clipAt(const std::string& name, DateBytes recorded) {
    CardClip clip;
    clip.clipName = name;
    clip.recorded = recorded;
    return clip;
}

// Two playlists, listed out of name order on purpose; three clips on two days.
CardSpec twoDayCard() {
    CardPlaylist second;
    second.fileName = "00001.MPLS";
    second.clips = {clipAt("00003", bcdDateTime(2026, 12, 6, 9, 5, 0))};
    CardPlaylist first;
    first.fileName = "00000.MPLS";
    first.clips = {clipAt("00001", bcdDateTime(2026, 12, 5, 18, 45, 3)),
                   clipAt("00002", bcdDateTime(2026, 12, 5, 19, 0, 59))};
    CardSpec card;
    card.playlists = {second, first};
    return card;
}

class PlanCommand : public ::testing::Test {
protected:
    TempDir temp;
    fs::path card = temp / "card";
    std::string streams = cardStreamFolder(card).string();

    void SetUp() override { writeCard(card, twoDayCard()); }

    CliRun plan(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "plan");
        return runCli(arguments, temp.path(), temp.path());
    }
};

} // namespace

TEST_F(PlanCommand, ListsEveryClipInPlaylistOrder) {
    const CliRun run = plan({"card", "/media/videos"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, streams + "/00001.M2TS -> /media/videos/2026_12_05/18_45_03.m2ts\n" +
                           streams + "/00002.M2TS -> /media/videos/2026_12_05/19_00_59.m2ts\n" +
                           streams + "/00003.M2TS -> /media/videos/2026_12_06/09_05_00.m2ts\n");
}

TEST_F(PlanCommand, JsonOutput) {
    const CliRun run = plan({"card", "/v/", "--no-folder", "--json"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "{\"copies\":[{\"source\":\"" + streams +
                           "/00001.M2TS\",\"destination\":\"/v/18_45_03.m2ts\"},{\"source\":\"" +
                           streams +
                           "/00002.M2TS\",\"destination\":\"/v/19_00_59.m2ts\"},{\"source\":\"" +
                           streams + "/00003.M2TS\",\"destination\":\"/v/09_05_00.m2ts\"}]}\n");
}

// A target typed in another encoding must not end the run: such bytes show as
// U+FFFD in the JSON, which has to stay valid UTF-8.
TEST_F(PlanCommand, JsonOutputOfNamesThatAreNotUtf8) {
    const CliRun run = plan({"card", "/v\xff", "--no-folder", "--json"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\"destination\":\"/v\xef\xbf\xbd/18_45_03.m2ts\""), std::string::npos)
        << run.out;
}

TEST_F(PlanCommand, MasksAndSwitches) {
    CliRun run = plan({"card", "/v", "--no-rename"});
    EXPECT_NE(run.out.find(" -> /v/2026_12_05/00001.M2TS\n"), std::string::npos) << run.out;

    run = plan({"card", "/v", "--no-folder", "--no-rename"});
    EXPECT_NE(run.out.find(" -> /v/00003.M2TS\n"), std::string::npos) << run.out;

    run = plan({"card", "/v", "--folder-mask", "%Y\\%m", "--file-mask", "%f_%a"});
    EXPECT_NE(run.out.find(" -> /v/2026/12/00001_Sat.m2ts\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(" -> /v/2026/12/00003_Sun.m2ts\n"), std::string::npos) << run.out;

    run = plan({"card", "/v", "--folder-mask", ""});
    EXPECT_NE(run.out.find(" -> /v/18_45_03.m2ts\n"), std::string::npos) << run.out;

    run = plan({"card", "/v", "--folder-mask", "x", "--no-folder"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
}

TEST_F(PlanCommand, InvalidNamesEndTheRunWithTheJobsMessage) {
    const auto invalid = [](const std::string& destination) {
        return fatalHeading + "The following filename is not valid:\n" + destination + "\n" +
               abortLine + contactLine;
    };
    CliRun run = plan({"card", "/v", "--file-mask", "con"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, invalid("/v/2026_12_05/con.m2ts"));

    run = plan({"card", "videos"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, invalid("videos/2026_12_05/18_45_03.m2ts"));

    run = plan({"card", "/v", "--file-mask", "%H:%M"});
    EXPECT_EQ(run.err, invalid("/v/2026_12_05/18:45.m2ts"));

    run = plan({"card", "/v", "--folder-mask", "%Y_%m_%d "});
    EXPECT_EQ(run.err, invalid("/v/2026_12_05 /18_45_03.m2ts"));

    run = plan({"card", "/v/" + std::string(250, 'v')});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("The following filename is not valid:\n/v/vvv"), std::string::npos);
}

TEST_F(PlanCommand, MasksCannotLeadOutOfTheTarget) {
    CliRun run = plan({"card", "/v", "--folder-mask", ".."});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, fatalHeading +
                           "The following filename is not valid:\n/v/../18_45_03.m2ts\n" +
                           abortLine + contactLine);

    run = plan({"card", "/v", "--file-mask", "../../etc/%H"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
}

TEST_F(PlanCommand, MissingFoldersAndFiles) {
    const std::string root = (temp / "nowhere").string();
    CliRun run = plan({"nowhere", "/v"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              fatalHeading + "The directory \"" + root + "\" does not exist.\n" + abortLine);

    fs::remove_all(streams);
    run = plan({"card", "/v"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err,
              fatalHeading + "The directory \"" + streams + "\" does not exist.\n" + abortLine);

    fs::create_directory(streams);
    run = plan({"card", "/v"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, fatalHeading + "The file \"" + streams + "/00001.M2TS\" does not exist.\n" +
                           abortLine + contactLine);
}

TEST_F(PlanCommand, StreamFilesAreFoundWithoutRegardToCase) {
    fs::rename(fs::path(streams) / "00002.M2TS", fs::path(streams) / "00002.m2ts");
    const CliRun run = plan({"card", "/v", "--no-rename"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find(streams + "/00002.m2ts -> /v/2026_12_05/00002.M2TS\n"),
              std::string::npos)
        << run.out;
}

TEST_F(PlanCommand, BrokenPlaylistIsFatal) {
    CardSpec broken = twoDayCard();
    broken.playlists[0].clips[0].markStreamId = std::string("\x01\x02");
    TempDir other;
    writeCard(other / "card", broken);
    const CliRun run = runCli({"plan", "card", "/v"}, other.path(), temp.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind(fatalHeading, 0), 0u) << run.err;
    EXPECT_TRUE(run.err.ends_with(abortLine + contactLine)) << run.err;
}
