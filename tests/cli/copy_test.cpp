// tandrel-cli copy as people run it: from scripts (no terminal) and at a
// terminal (a pseudo-terminal the test types into).
#include "tests/cli/cli_runner.h"
#include "tests/support/card_writer.h"
#include "tests/support/temp_dir.h"

#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <csignal>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tandrel {

namespace fs = boost::filesystem;

namespace {

int exitCodeOf(int status) {
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
}

std::vector<char*> argv(std::vector<std::string>& arguments) {
    std::vector<char*> result;
    for (std::string& argument : arguments) {
        result.push_back(argument.data());
    }
    result.push_back(nullptr);
    return result;
}

// tandrel-cli copy, as runCli runs it.
CliRun runCopy(std::vector<std::string> arguments, const fs::path& workingDirectory = {}) {
    arguments.insert(arguments.begin(), "copy");
    return runCli(arguments, workingDirectory);
}

// The CLI on a pseudo-terminal: the test reads what it prints and types
// answers.
class TerminalSession {
public:
    explicit TerminalSession(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {TANDREL_CLI_PATH, "copy"});
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        ::grantpt(master_);
        ::unlockpt(master_);
        const std::string slaveName = ::ptsname(master_);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::setsid();
            const int slave = ::open(slaveName.c_str(), O_RDWR);
            ::dup2(slave, STDIN_FILENO);
            ::dup2(slave, STDOUT_FILENO);
            ::dup2(slave, STDERR_FILENO);
            ::execv(TANDREL_CLI_PATH, argv(arguments).data());
            _exit(127);
        }
    }
    ~TerminalSession() { ::close(master_); }
    TerminalSession(const TerminalSession&) = delete;
    TerminalSession& operator=(const TerminalSession&) = delete;

    // Reads until `text` has been printed (after what earlier waits saw).
    bool waitFor(const std::string& text) {
        for (;;) {
            const std::size_t found = output_.find(text, seen_);
            if (found != std::string::npos) {
                seen_ = found + text.size();
                return true;
            }
            pollfd ready{master_, POLLIN, 0};
            // A generous bound so that a broken build fails instead of hanging.
            if (::poll(&ready, 1, 60'000) <= 0) {
                timedOut_ = true;
                return false;
            }
            char buffer[4096];
            const ssize_t count = ::read(master_, buffer, sizeof buffer);
            if (count <= 0) {
                return false;
            }
            output_.append(buffer, static_cast<std::size_t>(count));
        }
    }
    void type(const std::string& text) {
        ASSERT_EQ(::write(master_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    }
    void signal(int number) { ::kill(pid_, number); }
    int wait() {
        // Drains the output so the CLI never blocks on a full terminal.
        while (waitFor("\x01never printed\x01")) {
        }
        // Silent for a minute and still running: a hang, which fails the test
        // instead of stalling the suite.
        if (timedOut_) {
            ::kill(pid_, SIGKILL);
        }
        int status = 0;
        ::waitpid(pid_, &status, 0);
        return exitCodeOf(status);
    }
    const std::string& output() const { return output_; }

private:
    int master_ = -1;
    pid_t pid_ = -1;
    std::string output_;
    std::size_t seen_ = 0;
    bool timedOut_ = false;
};

class CliCopyTest : public ::testing::Test {
protected:
    TempDir dir;
    fs::path card = dir / "card";
    fs::path target = dir / "out";

    void SetUp() override { writeCard(card, simpleCard(1, 3)); }
    fs::path stream(const std::string& name) const { return cardStreamFolder(card) / name; }
    fs::path copy(const std::string& name) const { return target / "2026_12_05" / name; }
    CliRun copyCard(std::vector<std::string> options = {}) {
        options.insert(options.begin(), {card.string(), target.string()});
        return runCopy(options);
    }
};

TEST_F(CliCopyTest, CopiesTheCardAndReportsLineByLine) {
    const CliRun first = copyCard();
    EXPECT_EQ(first.exitCode, 0);
    EXPECT_EQ(first.err, "Initialising..\nCopying: 00000.M2TS (1/3)\nCopying: 00001.M2TS (2/3)\n"
                         "Copying: 00002.M2TS (3/3)\nDone!\n");
    EXPECT_EQ(filesBelow(target),
              (std::vector<std::string>{"2026_12_05/18_00_00.m2ts", "2026_12_05/18_01_00.m2ts",
                                        "2026_12_05/18_02_00.m2ts"}));
    EXPECT_TRUE(readFile(copy("18_01_00.m2ts")) == readFile(stream("00001.M2TS")));

    // Without a terminal nobody is asked: a clip whose bytes are there
    // already counts as copied, and other footage that got the same name
    // (a second camera) is kept beside it. A third run copies nothing.
    writeFile(copy("18_01_00.m2ts"), "mine");
    const CliRun second = copyCard({"--quiet"});
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_EQ(second.err, "");
    EXPECT_EQ(readFile(copy("18_01_00.m2ts")), "mine");
    EXPECT_TRUE(readFile(copy("18_01_00 (2).m2ts")) == readFile(stream("00001.M2TS")));
    EXPECT_EQ(copyCard().exitCode, 0);
    EXPECT_EQ(filesBelow(target).size(), 4u);
}

// Exit 0 promises that every clip is in the target; a clip left out while
// its name holds other footage breaks that promise and is named.
TEST_F(CliCopyTest, ClipsLeftOutBesideOtherFootageEndTheRunWithFour) {
    copyCard();
    EXPECT_EQ(copyCard({"--on-conflict", "dont-copy", "--quiet"}).exitCode, 0);
    writeFile(copy("18_01_00.m2ts"), "mine");
    const CliRun leftOut = copyCard({"--on-conflict", "skip", "--quiet"});
    EXPECT_EQ(leftOut.exitCode, 4);
    EXPECT_EQ(leftOut.err,
              "These clips are not in the target folder:\n  " + stream("00001.M2TS").string() +
                  ": " + copy("18_01_00.m2ts").string() + " holds other footage under its name\n");
}

TEST_F(CliCopyTest, ConflictPoliciesAndMaskSwitches) {
    copyCard();
    writeFile(copy("18_01_00.m2ts"), "mine");
    const CliRun keepBoth = copyCard({"--on-conflict", "keep-both"});
    EXPECT_EQ(keepBoth.exitCode, 0);
    EXPECT_NE(keepBoth.err.find("Name taken, copied as \"18_01_00 (2).m2ts\" beside: " +
                                copy("18_01_00.m2ts").string()),
              std::string::npos);
    EXPECT_EQ(filesBelow(target).size(), 6u);

    EXPECT_EQ(copyCard({"--on-conflict", "replace", "--quiet"}).exitCode, 0);
    EXPECT_TRUE(readFile(copy("18_01_00.m2ts")) == readFile(stream("00001.M2TS")));

    EXPECT_EQ(copyCard({"--no-folder", "--no-rename", "--quiet"}).exitCode, 0);
    EXPECT_TRUE(fs::exists(target / "00002.M2TS"));
    EXPECT_EQ(copyCard({"--folder-mask", "%Y", "--file-mask", "%f-%H", "--quiet"}).exitCode, 0);
    EXPECT_TRUE(fs::exists(target / "2026/00002-18.m2ts"));
}

TEST_F(CliCopyTest, ExitCodesForSkippedFilesFatalErrorsAndUsage) {
    copyCard();
    fs::permissions(copy("18_01_00.m2ts"), fs::owner_read);
    const CliRun skipped = copyCard({"--on-conflict", "replace"});
    EXPECT_EQ(skipped.exitCode, 3);
    EXPECT_NE(skipped.err.find("Cannot overwrite the file " + copy("18_01_00.m2ts").string() +
                               ".\n(It may be write protectected.)\n\nThe file was skipped.\n"),
              std::string::npos);
    EXPECT_NE(skipped.err.find("Done!"), std::string::npos);

    const CliRun aborted = copyCard({"--on-conflict", "replace", "--on-error", "abort"});
    EXPECT_EQ(aborted.exitCode, 1);
    EXPECT_NE(aborted.err.find("Terminating.."), std::string::npos);
    EXPECT_EQ(aborted.err.find("Done!"), std::string::npos);

    const CliRun missing = runCopy({(dir / "nocard").string(), target.string()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "Source folder: Folder does not exist.\n");

    EXPECT_EQ(copyCard({"--folder-mask", "%Y", "--no-folder"}).exitCode, 2);
    EXPECT_EQ(copyCard({"--on-conflict", "overwrite"}).exitCode, 2);
    EXPECT_EQ(copyCard({"--on-conflict", "1"}).exitCode, 2);
    EXPECT_EQ(runCopy({card.string()}).exitCode, 2);
}

TEST_F(CliCopyTest, RelativeTargetIsTakenFromTheWorkingDirectory) {
    const CliRun relative = runCopy({"card", "relative/out", "--quiet"}, dir.path());
    EXPECT_EQ(relative.exitCode, 0) << relative.err;
    EXPECT_EQ(filesBelow(dir / "relative/out").size(), 3u);

    fs::create_directories(dir / "here/below");
    for (const char* target : {".", "./dot", "../up"}) {
        const CliRun run = runCopy({"../card", target, "--quiet"}, dir / "here");
        EXPECT_EQ(run.exitCode, 0) << target << ": " << run.err;
    }
    EXPECT_EQ(filesBelow(dir / "here/2026_12_05").size(), 3u);
    EXPECT_EQ(filesBelow(dir / "here/dot").size(), 3u);
    EXPECT_EQ(filesBelow(dir / "up").size(), 3u);
}

TEST_F(CliCopyTest, AsksAtATerminal) {
    copyCard();
    TerminalSession session({card.string(), target.string()});
    ASSERT_TRUE(session.waitFor("  " + copy("18_00_00.m2ts").string()));
    ASSERT_TRUE(session.waitFor("Choice [r/d/k/s/c]: "));
    session.type("what\n");
    ASSERT_TRUE(session.waitFor("Choice [r/d/k/s/c]: "));
    session.type("K\n");
    EXPECT_EQ(session.wait(), 0);
    EXPECT_NE(session.output().find("Done!  100%"), std::string::npos);
    EXPECT_TRUE(readFile(copy("18_02_00 (2).m2ts")) == readFile(stream("00002.M2TS")));
    EXPECT_EQ(filesBelow(target).size(), 6u);
}

TEST_F(CliCopyTest, InterruptAtAQuestionStopsWithoutAPart) {
    copyCard();
    fs::remove(copy("18_02_00.m2ts"));
    TerminalSession session({card.string(), target.string()});
    ASSERT_TRUE(session.waitFor("Choice [r/d/k/s/c]: "));
    session.signal(SIGINT);
    EXPECT_EQ(session.wait(), 130);
    EXPECT_NE(session.output().find("Terminating.."), std::string::npos);
    EXPECT_EQ(filesBelow(target),
              (std::vector<std::string>{"2026_12_05/18_00_00.m2ts", "2026_12_05/18_01_00.m2ts"}));

    // A closed terminal or a dropped connection stops the copy the same way.
    TerminalSession hungUp({card.string(), target.string()});
    ASSERT_TRUE(hungUp.waitFor("Choice [r/d/k/s/c]: "));
    hungUp.signal(SIGHUP);
    EXPECT_EQ(hungUp.wait(), 130);
    EXPECT_EQ(filesBelow(target).size(), 2u);

    TerminalSession cancelling({card.string(), target.string()});
    ASSERT_TRUE(cancelling.waitFor("Choice [r/d/k/s/c]: "));
    cancelling.type("c\n");
    EXPECT_EQ(cancelling.wait(), 130);
    EXPECT_EQ(filesBelow(target).size(), 2u);
}

// Cards straight from a camera, in every tree cameras write and with the
// 8.3 names of FAT media, copy byte for byte under the names on the card.
TEST(CameraCards, CopyUnderTheNamesOnTheCard) {
    for (const char* tree : {"PRIVATE/AVCHDL/BDMV", "PRIVATE/AVCHD/BDMV", "avchd/bdmv", "BDMV"}) {
        for (const bool shortNames : {false, true}) {
            TempDir dir;
            CardSpec card = simpleCard(1, 2);
            card.folders.bdmvPath = tree;
            card.playlistExtension = shortNames ? ".mpl" : ".MPLS";
            card.streamExtension = shortNames ? ".MTS" : ".m2ts";
            writeCard(dir / "card", card);
            const CliRun run = runCopy(
                {(dir / "card").string(), (dir / "out").string(), "--no-rename"}, dir.path());
            EXPECT_EQ(run.exitCode, 0) << tree << " " << run.err;
            for (const CardClip& clip : card.playlists[0].clips) {
                const std::string name = streamFileOnCard(card, clip);
                EXPECT_TRUE(readFile(dir / "out/2026_12_05" / name) ==
                            readFile(cardStreamFolder(dir / "card", card.folders) / name))
                    << tree << " " << name;
            }
        }
    }
}

// A camera split one long recording into parts of the same second. Without
// --join no part is dropped; with it the parts become one file, byte for
// byte, and a missing part fails the whole recording.
TEST(SplitRecordings, AreKeptApartOrJoinedButNeverDropped) {
    for (const bool fromCamera : {false, true}) {
        SCOPED_TRACE(fromCamera ? "camera card" : "copy of a card");
        TempDir dir;
        CardSpec card = simpleCard(1, 3);
        if (fromCamera) {
            card.folders.bdmvPath = "PRIVATE/AVCHD/BDMV";
            card.playlistExtension = ".MPL";
            card.streamExtension = ".MTS";
        }
        card.playlists[0].clips[1].recorded = card.playlists[0].clips[0].recorded;
        card.playlists[0].clips[1].connectionCondition = 6;
        card.playlists[0].clips[2].connectionCondition = 6;
        writeCard(dir / "card", card);
        const fs::path streams = cardStreamFolder(dir / "card", card.folders);
        const auto stream = [&](int index) {
            return streams / streamFileOnCard(card, card.playlists[0].clips[index]);
        };
        const std::string joined = readFile(stream(0)) + readFile(stream(1)) + readFile(stream(2));
        const auto copy = [&](const std::string& target, std::vector<std::string> options) {
            options.insert(options.begin(), {(dir / "card").string(), (dir / target).string()});
            return runCopy(options);
        };

        EXPECT_EQ(copy("apart", {"--quiet"}).exitCode, 0);
        EXPECT_EQ(
            filesBelow(dir / "apart"),
            (std::vector<std::string>{"2026_12_05/18_00_00 (2).m2ts", "2026_12_05/18_00_00.m2ts",
                                      "2026_12_05/18_02_00.m2ts"}));

        const CliRun joinedRun = copy("joined", {"--join", "--verify"});
        EXPECT_EQ(joinedRun.exitCode, 0) << joinedRun.err;
        EXPECT_EQ(joinedRun.err,
                  "Initialising..\nCopying: " + stream(0).filename().string() + " (1/3)\nDone!\n");
        EXPECT_EQ(filesBelow(dir / "joined"), std::vector<std::string>{"2026_12_05/18_00_00.m2ts"});
        EXPECT_TRUE(readFile(dir / "joined/2026_12_05/18_00_00.m2ts") == joined);
        EXPECT_EQ(copy("joined", {"--join", "--quiet"}).exitCode, 0);

        fs::remove(stream(1));
        EXPECT_EQ(copy("broken", {"--join", "--quiet"}).exitCode, 3);
        EXPECT_TRUE(filesBelow(dir / "broken").empty());
    }

    // As many parts as a PlayItem count byte can name join as well.
    TempDir dir;
    CardSpec longOne = simpleCard(1, 255, 188);
    for (CardClip& clip : longOne.playlists[0].clips) {
        clip.connectionCondition = 6;
    }
    writeCard(dir / "long", longOne);
    EXPECT_EQ(runCopy({(dir / "long").string(), (dir / "longcopy").string(), "--join", "--quiet"})
                  .exitCode,
              0);
    EXPECT_EQ(fs::file_size(dir / "longcopy/2026_12_05/18_00_00.m2ts"), 255u * 188u);
}

// Scripts read one JSON object a line: each clip, position and outcome, and
// a closing summary with the exit status.
TEST_F(CliCopyTest, ProgressAsJsonLines) {
    copyCard();
    writeFile(copy("18_01_00.m2ts"), "mine");
    const CliRun run = copyCard({"--progress", "json"});
    EXPECT_EQ(run.exitCode, 0);
    std::vector<nlohmann::json> events;
    std::istringstream lines(run.err);
    for (std::string line; std::getline(lines, line);) {
        events.push_back(nlohmann::json::parse(line));
    }
    std::vector<std::string> outcomes;
    for (const nlohmann::json& event : events) {
        if (event["event"] == "outcome") {
            outcomes.push_back(event["outcome"]);
        }
    }
    EXPECT_EQ(outcomes, (std::vector<std::string>{"already-there", "kept-both", "already-there"}));
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back()["event"], "summary");
    EXPECT_EQ(events.back()["alreadyThere"], 2);
    EXPECT_EQ(events.back()["keptBoth"], 1);
    EXPECT_EQ(events.back()["exitStatus"], 0);
}

} // namespace

} // namespace tandrel
