#include "tests/cli/cli_runner.h"
#include "tests/support/card_writer.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>

namespace tandrel {

namespace fs = boost::filesystem;

namespace {

const std::string heading = "The following fatal error has occured while copying the files:\n";
const std::string aborted = "The operation has been aborted.\n";
const std::string contact = "Please contact Brellix for assistance.\n";

std::string invalidName(const std::string& destination) {
    return heading + "The following filename is not valid:\n" + destination + "\n" + aborted +
           contact;
}

CardClip clipAt(const std::string& name, DateBytes recorded) {
    CardClip clip;
    clip.clipName = name;
    clip.recorded = recorded;
    return clip;
}

// Two playlists, described out of name order; three clips on two days.
CardSpec twoDayCard() {
    CardPlaylist second;
    second.fileName = "00001.MPLS";
    second.clips = {clipAt("00003", bcdDateTime(2026, 12, 6, 9, 5, 0))};
    CardPlaylist first;
    first.clips = {clipAt("00001", bcdDateTime(2026, 12, 5, 18, 45, 3)),
                   clipAt("00002", bcdDateTime(2026, 12, 5, 19, 0, 59))};
    CardSpec card;
    card.playlists = {second, first};
    return card;
}

class PlanCommand : public ::testing::Test {
protected:
    TempDir temp;
    std::string streams = cardStreamFolder(temp / "card").string();

    void SetUp() override { writeCard(temp / "card", twoDayCard()); }

    // Runs in the temporary folder, so the relative "card" must be made absolute.
    CliRun plan(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"plan", "card"});
        return runCli(arguments, temp.path());
    }
};

} // namespace

TEST_F(PlanCommand, ListsEveryClipInPlaylistOrder) {
    CliRun run = plan({"/media/videos"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, streams + "/00001.M2TS -> /media/videos/2026_12_05/18_45_03.m2ts\n" +
                           streams + "/00002.M2TS -> /media/videos/2026_12_05/19_00_59.m2ts\n" +
                           streams + "/00003.M2TS -> /media/videos/2026_12_06/09_05_00.m2ts\n");

    run = plan({"/v/", "--no-folder", "--json", "--file-mask", "%f_%a"});
    EXPECT_EQ(run.out,
              "{\"copies\":[{\"source\":\"" + streams +
                  "/00001.M2TS\",\"destination\":\"/v/00001_Sat.m2ts\",\"shared\":false},"
                  "{\"source\":\"" +
                  streams +
                  "/00002.M2TS\",\"destination\":\"/v/00002_Sat.m2ts\",\"shared\":false},"
                  "{\"source\":\"" +
                  streams +
                  "/00003.M2TS\",\"destination\":\"/v/00003_Sun.m2ts\",\"shared\":false}]}\n");

    run = plan({"/v", "--folder-mask", "%Y\\%m", "--no-rename"});
    EXPECT_NE(run.out.find(" -> /v/2026/12/00003.M2TS\n"), std::string::npos) << run.out;

    run = plan({"/v", "--folder-mask", "x", "--no-folder"});
    EXPECT_EQ(run.exitCode, 2);
}

// Names typed in another encoding must not end the run; the JSON stays
// valid UTF-8 and keeps each stray byte recoverable.
TEST_F(PlanCommand, JsonEscapesBytesThatAreNotUtf8) {
    const CliRun run = plan({"/v\xff", "--no-folder", "--json"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\"/v\\udcff/18_45_03.m2ts\""), std::string::npos) << run.out;
}

TEST_F(PlanCommand, InvalidNamesEndTheRunWithTheJobsMessage) {
    CliRun run = plan({"/v", "--file-mask", "con"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, invalidName("/v/2026_12_05/con.m2ts"));

    EXPECT_EQ(plan({"/v", "--file-mask", "%H:%M"}).err, invalidName("/v/2026_12_05/18:45.m2ts"));
    EXPECT_EQ(plan({"/v", "--folder-mask", ".."}).err, invalidName("/v/../18_45_03.m2ts"));
    EXPECT_EQ(plan({"/v", "--file-mask", "../../etc/%H"}).exitCode, 1);
}

TEST_F(PlanCommand, MissingFoldersAndFiles) {
    CliRun run = runCli({"plan", "nowhere", "/v"}, temp.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "Source folder: Folder does not exist.\n");

    fs::remove(fs::path(streams) / "00001.M2TS");
    run = plan({"/v"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, heading + "The file \"" + streams + "/00001.M2TS\" does not exist.\n" +
                           aborted + contact);
}

TEST_F(PlanCommand, StreamFilesAreFoundWithoutRegardToCase) {
    fs::rename(fs::path(streams) / "00002.M2TS", fs::path(streams) / "00002.m2ts");
    const CliRun run = plan({"/v", "--no-rename"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find(streams + "/00002.m2ts -> /v/2026_12_05/00002.m2ts\n"),
              std::string::npos)
        << run.out;
}

TEST_F(PlanCommand, BrokenPlaylistIsFatal) {
    CardSpec broken = twoDayCard();
    broken.playlists[0].clips[0].markStreamId = std::string("\x01\x02");
    fs::remove_all(temp / "card");
    writeCard(temp / "card", broken);
    const CliRun run = plan({"/v"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(run.err.starts_with(heading)) << run.err;
    EXPECT_TRUE(run.err.ends_with(aborted + contact)) << run.err;
}

// Parts of one recording that the masks give one name are marked before
// anything is copied; with --join they are one copy.
TEST_F(PlanCommand, MarksSharedDestinationsAndJoinsRecordings) {
    CardSpec split = twoDayCard();
    split.playlists[1].clips[1].recorded = split.playlists[1].clips[0].recorded;
    split.playlists[1].clips[1].connectionCondition = 6;
    fs::remove_all(temp / "card");
    writeCard(temp / "card", split);
    CliRun run = plan({"/v"});
    EXPECT_EQ(run.out, streams + "/00001.M2TS -> /v/2026_12_05/18_45_03.m2ts  [shared]\n" +
                           streams + "/00002.M2TS -> /v/2026_12_05/18_45_03.m2ts  [shared]\n" +
                           streams + "/00003.M2TS -> /v/2026_12_06/09_05_00.m2ts\n");
    const CliRun list = runCli({"list", (temp / "card").string()}, temp.path());
    EXPECT_NE(list.out.find("00002.M2TS  2026-12-05 18:45:03  part 2 of 2 of recording 0\n"),
              std::string::npos)
        << list.out;
    run = plan({"/v", "--join"});
    EXPECT_EQ(run.out, streams + "/00001.M2TS + " + streams +
                           "/00002.M2TS -> /v/2026_12_05/18_45_03.m2ts\n" + streams +
                           "/00003.M2TS -> /v/2026_12_06/09_05_00.m2ts\n");
}

} // namespace tandrel
