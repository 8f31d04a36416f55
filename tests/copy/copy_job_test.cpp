#include "copy/copy_failure.h"
#include "copy/copy_job.h"
#include "copy/job_messages.h"
#include "tests/copy/scripted_host.h"
#include "tests/support/card_writer.h"
#include "tests/support/temp_dir.h"

#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tandrel {

namespace fs = boost::filesystem;

namespace {

const std::string heading = "The following fatal error has occured while copying the files:\n";
const std::string aborted = "The operation has been aborted.\n";
const std::string contact = "Please contact Brellix for assistance.";
const std::string skipQuestion = "\nDo you want to skip this file and continue?\n";

class CopyJobTest : public ::testing::Test {
protected:
    TempDir dir;
    fs::path card = dir / "card";
    fs::path target = dir / "out";
    ScriptedHost host;
    ScriptedReporter reporter;

    void SetUp() override {
        host.source = card.string();
        host.target = target.string();
    }
    void writeSimpleCard(int playlists, int clips, std::uint64_t streamSize = 4096) {
        writeCard(card, simpleCard(playlists, clips, streamSize));
    }
    fs::path stream(const std::string& name) const { return cardStreamFolder(card) / name; }
    fs::path copy(const std::string& name) const { return target / "2026_12_05" / name; }
    void run() { runCopyJob(reporter, host, std::chrono::milliseconds(0)); }
};

TEST_F(CopyJobTest, CopiesEveryClipUnderItsRecordingTime) {
    writeSimpleCard(2, 2);
    run();
    EXPECT_EQ(reporter.texts,
              (std::vector<std::string>{"Initialising..", "Copying: 00000.M2TS (1/4)",
                                        "Copying: 00001.M2TS (2/4)", "Copying: 00002.M2TS (3/4)",
                                        "Copying: 00003.M2TS (4/4)", "Done!"}));
    EXPECT_EQ(reporter.positions, (std::vector<int>{0, 25, 50, 75, 100, 100}));
    EXPECT_EQ(reporter.disableCancelCalls, 1);
    EXPECT_TRUE(host.fatalMessages.empty());
    EXPECT_EQ(filesBelow(target),
              (std::vector<std::string>{"2026_12_05/18_00_00.m2ts", "2026_12_05/18_01_00.m2ts",
                                        "2026_12_05/18_02_00.m2ts", "2026_12_05/18_03_00.m2ts"}));
    EXPECT_TRUE(readFile(copy("18_02_00.m2ts")) == readFile(stream("00002.M2TS")));
    EXPECT_EQ(fs::last_write_time(copy("18_02_00.m2ts")),
              fs::last_write_time(stream("00002.M2TS")));
}

TEST_F(CopyJobTest, RememberedChoicesLastOneJob) {
    writeSimpleCard(1, 3);
    run();
    host.state.rememberDontCopy = true;
    host.conflictAnswers.push_back({ConflictChoice::KeepBoth, true});
    run();
    EXPECT_EQ(host.conflictQuestions.size(), 1u);
    EXPECT_TRUE(readFile(copy("18_02_00 (2).m2ts")) == readFile(stream("00002.M2TS")));

    host.conflictAnswers.push_back({ConflictChoice::DontCopy, false});
    host.conflictAnswers.push_back({ConflictChoice::Skip, true});
    run();
    ASSERT_EQ(host.conflictQuestions.size(), 3u);
    EXPECT_EQ(host.conflictQuestions[2].keepBothName, "18_01_00 (3).m2ts");
    EXPECT_TRUE(host.state.rememberSkip);
    EXPECT_FALSE(host.state.rememberKeepBoth);
    EXPECT_EQ(filesBelow(target).size(), 6u);
    EXPECT_EQ(reporter.texts.back(), "Done!");
}

TEST_F(CopyJobTest, CancelAtAClashStopsBeforeTheNextFileWithoutMessage) {
    writeSimpleCard(1, 3);
    writeFile(copy("18_01_00.m2ts"), "mine");
    host.conflictAnswers.push_back({ConflictChoice::Cancel, true});
    run();
    EXPECT_EQ(reporter.texts.back(), "Terminating..");
    EXPECT_EQ(reporter.disableCancelCalls, 1);
    EXPECT_TRUE(host.fatalMessages.empty());
    EXPECT_EQ(readFile(copy("18_01_00.m2ts")), "mine");
    EXPECT_EQ(filesBelow(target),
              (std::vector<std::string>{"2026_12_05/18_00_00.m2ts", "2026_12_05/18_01_00.m2ts"}));
}

TEST_F(CopyJobTest, MissingFoldersEndTheJobWithoutTheContactLine) {
    run();
    ASSERT_EQ(host.fatalMessages.size(), 1u);
    EXPECT_EQ(host.fatalMessages[0],
              heading + "The directory \"" + card.string() + "\" does not exist.\n" + aborted);
    EXPECT_EQ(reporter.texts, (std::vector<std::string>{"Initialising..", "Terminating.."}));
    EXPECT_EQ(reporter.disableCancelCalls, 1);

    writeSimpleCard(1, 1);
    fs::remove_all(cardStreamFolder(card));
    run();
    ASSERT_EQ(host.fatalMessages.size(), 2u);
    EXPECT_EQ(host.fatalMessages[1], heading + "The directory \"" +
                                         (card / "PRIVATE/AVCHDL/BDMV/STREAM").string() +
                                         "\" does not exist.\n" + aborted);
    EXPECT_FALSE(fs::exists(target));
}

TEST_F(CopyJobTest, StreamFolderThatIsAFileIsAFailureNotASuccess) {
    writeSimpleCard(1, 1);
    fs::remove_all(cardStreamFolder(card));
    writeFile(cardStreamFolder(card), "");
    run();
    ASSERT_EQ(host.fatalMessages.size(), 1u);
    EXPECT_EQ(host.fatalMessages[0], heading + "Not a directory.\n" + aborted + contact);
    EXPECT_EQ(reporter.texts.back(), "Terminating..");
}

TEST_F(CopyJobTest, BrokenPlaylistEndsTheJobWithTheContactLine) {
    CardSpec spec = simpleCard(1, 1);
    spec.playlists[0].clips[0].markReference = 1;
    writeCard(card, spec);
    run();
    ASSERT_EQ(host.fatalMessages.size(), 1u);
    EXPECT_EQ(host.fatalMessages[0], heading + "Problem parsing the file " +
                                         (cardPlaylistFolder(card) / "00000.MPLS").string() +
                                         ".\n\n" + aborted + contact);
}

TEST_F(CopyJobTest, MissingStreamFileStopsAfterTheClipsBeforeIt) {
    writeSimpleCard(1, 3);
    fs::remove(stream("00001.M2TS"));
    run();
    ASSERT_EQ(host.fatalMessages.size(), 1u);
    EXPECT_EQ(host.fatalMessages[0], heading + "The file \"" + stream("00001.M2TS").string() +
                                         "\" does not exist.\n" + aborted + contact);
    EXPECT_EQ(filesBelow(target), std::vector<std::string>{"2026_12_05/18_00_00.m2ts"});
    EXPECT_EQ(reporter.texts.back(), "Terminating..");
}

TEST_F(CopyJobTest, SourceThatVanishesDuringTheJobAsksToSkipIt) {
    writeSimpleCard(1, 3);
    reporter.onText = [&](const std::string& text) {
        if (text == "Copying: 00001.M2TS (2/3)") {
            fs::remove(stream("00001.M2TS"));
        }
    };
    host.skipAnswers.push_back(PromptAnswer::Ok);
    run();
    ASSERT_EQ(host.skipQuestions.size(), 1u);
    EXPECT_EQ(host.skipQuestions[0], "Could not find the source file " +
                                         stream("00001.M2TS").string() + ".\n" + skipQuestion);
    // A skipped clip does not count: the next one shows the same number.
    EXPECT_EQ(reporter.texts[3], "Copying: 00002.M2TS (2/3)");
    EXPECT_EQ(reporter.texts.back(), "Done!");
    EXPECT_EQ(filesBelow(target),
              (std::vector<std::string>{"2026_12_05/18_00_00.m2ts", "2026_12_05/18_02_00.m2ts"}));

    writeSimpleCard(1, 3);
    fs::remove_all(target);
    host.skipAnswers.push_back(PromptAnswer::Cancel);
    run();
    EXPECT_EQ(reporter.texts.back(), "Terminating..");
    EXPECT_EQ(host.fatalMessages.size(), 0u);
    EXPECT_EQ(filesBelow(target), std::vector<std::string>{"2026_12_05/18_00_00.m2ts"});
}

TEST_F(CopyJobTest, ReplacingAWriteProtectedFileAsksToSkipIt) {
    writeSimpleCard(1, 2);
    writeFile(copy("18_00_00.m2ts"), "protected");
    fs::permissions(copy("18_00_00.m2ts"), fs::owner_read);
    host.conflictAnswers.push_back({ConflictChoice::CopyAndReplace, false});
    host.skipAnswers.push_back(PromptAnswer::Ok);
    run();
    ASSERT_EQ(host.skipQuestions.size(), 1u);
    EXPECT_EQ(host.skipQuestions[0], "Cannot overwrite the file " + copy("18_00_00.m2ts").string() +
                                         ".\n" + "(It may be write protectected.)\n" +
                                         skipQuestion);
    EXPECT_EQ(readFile(copy("18_00_00.m2ts")), "protected");
    EXPECT_TRUE(fs::exists(copy("18_01_00.m2ts")));

    host.conflictAnswers.push_back({ConflictChoice::CopyAndReplace, false});
    host.conflictAnswers.push_back({ConflictChoice::DontCopy, false});
    host.skipAnswers.push_back(static_cast<PromptAnswer>(3));
    run();
    ASSERT_EQ(host.fatalMessages.size(), 1u);
    EXPECT_EQ(host.fatalMessages[0], heading + "Unexpected return value.\n" + aborted + contact);
}

TEST_F(CopyJobTest, FileSizeLimitFailsOneCopyAndKeepsTheOthers) {
    CardSpec spec = simpleCard(1, 4, 64 * 1024);
    spec.playlists[0].clips[2].streamSize = 3 * 1024 * 1024;
    writeCard(card, spec);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024 * 1024, 1024 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        host.skipAnswers.push_back(PromptAnswer::Ok);
        run();
        const std::string expected =
            "An unknown error occured while trying to copy file " + stream("00002.M2TS").string() +
            " to " + copy("18_02_00.m2ts").string() + ".\n" +
            "Error code: 27\nError details: File too large\n" + skipQuestion;
        const bool asked = host.skipQuestions.size() == 1 && host.skipQuestions[0] == expected;
        _exit(asked && reporter.texts.back() == "Done!" ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(filesBelow(target),
              (std::vector<std::string>{"2026_12_05/18_00_00.m2ts", "2026_12_05/18_01_00.m2ts",
                                        "2026_12_05/18_03_00.m2ts"}));
    EXPECT_TRUE(readFile(copy("18_01_00.m2ts")) == readFile(stream("00001.M2TS")));
    EXPECT_TRUE(readFile(copy("18_03_00.m2ts")) == readFile(stream("00003.M2TS")));
}

TEST_F(CopyJobTest, StopRequestMidFileEndsTheJobWithoutAPart) {
    CardSpec spec = simpleCard(1, 3);
    spec.playlists[0].clips[1].streamSize = 12 * 1024 * 1024;
    writeCard(card, spec);
    reporter.onText = [&](const std::string& text) {
        if (text == "Copying: 00001.M2TS (2/3)") {
            // The check before the first chunk passes; the one after it stops.
            reporter.checksBeforeStop = 2;
        }
    };
    run();
    EXPECT_EQ(reporter.texts.back(), "Terminating..");
    EXPECT_EQ(reporter.disableCancelCalls, 1);
    EXPECT_TRUE(host.fatalMessages.empty());
    EXPECT_EQ(filesBelow(target), std::vector<std::string>{"2026_12_05/18_00_00.m2ts"});

    fs::remove_all(target);
    reporter.onText = nullptr;
    reporter.stop = true;
    run();
    EXPECT_EQ(reporter.texts.back(), "Terminating..");
    EXPECT_FALSE(fs::exists(target));
}

TEST_F(CopyJobTest, PercentageCountsBytesBeyondFourGibibytes) {
    CardSpec spec = simpleCard(1, 2);
    spec.writeStreams = false;
    writeCard(card, spec);
    // Sparse files: 3 GiB each without the disk space. Both copies exist
    // already and are left alone, so nothing is read.
    for (const char* name : {"00000.M2TS", "00001.M2TS"}) {
        writeFile(stream(name), "");
        fs::resize_file(stream(name), 3ULL << 30);
    }
    writeFile(copy("18_00_00.m2ts"), "");
    writeFile(copy("18_01_00.m2ts"), "");
    host.conflictAnswers.push_back({ConflictChoice::DontCopy, true});
    run();
    EXPECT_EQ(reporter.positions, (std::vector<int>{0, 50, 100, 100}));
}

TEST_F(CopyJobTest, EmptyStreamFilesCountByClips) {
    writeSimpleCard(1, 4, 0);
    run();
    EXPECT_EQ(reporter.positions, (std::vector<int>{0, 25, 50, 75, 100, 100}));
    EXPECT_EQ(filesBelow(target).size(), 4u);
}

TEST_F(CopyJobTest, InvalidNamesEndTheJob) {
    writeSimpleCard(1, 1);
    host.fileMask = "%H:%M";
    run();
    ASSERT_EQ(host.fatalMessages.size(), 1u);
    EXPECT_EQ(host.fatalMessages[0], heading + "The following filename is not valid:\n" +
                                         copy("18:00.m2ts").string() + "\n" + aborted + contact);
    EXPECT_FALSE(fs::exists(target));
}

TEST_F(CopyJobTest, MasksCannotLeaveTheTargetFolder) {
    // Clip names made of dots give %f and %e of dots; a typed ".." does the
    // same. Neither may put a file outside the target.
    CardSpec spec = simpleCard(1, 2);
    spec.playlists[0].clips[0].clipName = ".....";
    spec.playlists[0].clips[0].codecId = "....";
    spec.playlists[0].clips[1].clipName = "00001";
    spec.playlists[0].clips[1].codecId = "..";
    writeCard(card, spec);
    fs::create_directories(target);
    const auto outside = [&] {
        std::vector<std::string> files = filesBelow(dir.path());
        std::erase_if(files, [](const std::string& file) {
            return file.rfind("card/", 0) == 0 || file.rfind("out/", 0) == 0;
        });
        return files;
    };

    for (const char* folderMask : {"%e", "%f/%e", "%e/%e", ".."}) {
        for (const char* fileMask : {"%f", "%e", "%f/%e", "../%e"}) {
            host.folderMask = folderMask;
            host.fileMask = fileMask;
            host.conflictAnswers.assign(4, {ConflictChoice::KeepBoth, true});
            run();
            EXPECT_TRUE(outside().empty()) << folderMask << " " << fileMask;
        }
    }
    EXPECT_FALSE(host.fatalMessages.empty());
}

TEST_F(CopyJobTest, ClipNamedTwiceMeetsItsOwnCopy) {
    CardSpec spec = simpleCard(2, 1);
    spec.playlists[1].clips[0] = spec.playlists[0].clips[0];
    writeCard(card, spec);
    host.conflictAnswers.push_back({ConflictChoice::KeepBoth, false});
    run();
    ASSERT_EQ(host.conflictQuestions.size(), 1u);
    EXPECT_EQ(host.conflictQuestions[0].existing, copy("18_00_00.m2ts").string());
    EXPECT_EQ(filesBelow(target), (std::vector<std::string>{"2026_12_05/18_00_00 (2).m2ts",
                                                            "2026_12_05/18_00_00.m2ts"}));
    // Twice the bytes of the card are handled; the bar stops at full.
    EXPECT_EQ(reporter.positions, (std::vector<int>{0, 100, 100, 100}));
}

// However the target is chosen, no copy lands on the card's own clips.
TEST_F(CopyJobTest, TheCardIsNeverWrittenTo) {
    writeSimpleCard(1, 2);
    const std::string clip = readFile(stream("00000.M2TS"));
    host.target = cardStreamFolder(card).string();
    host.generateFolder = false;
    host.renameFiles = false;
    run();
    ASSERT_EQ(host.fatalMessages.size(), 1u);
    EXPECT_EQ(host.fatalMessages[0],
              heading + "The target folder \"" + host.target +
                  "\" lies inside the card's folder \"" +
                  cardStreamFolder(card).parent_path().string() +
                  "\", where copies could overwrite the card's own files.\n" + aborted);
    EXPECT_TRUE(host.conflictQuestions.empty());

    // A hard link in the target is the card's clip under another name.
    host.target = target.string();
    host.generateFolder = host.renameFiles = true;
    fs::create_directories(copy(""));
    fs::create_hard_link(stream("00000.M2TS"), copy("18_00_00.m2ts"));
    host.conflictAnswers.push_back({ConflictChoice::CopyAndReplace, true});
    run();
    ASSERT_EQ(host.fatalMessages.size(), 2u);
    EXPECT_EQ(host.fatalMessages[1], heading + "The file \"" + copy("18_00_00.m2ts").string() +
                                         "\" is one of the card's own files.\n" + aborted +
                                         contact);
    EXPECT_EQ(readFile(stream("00000.M2TS")), clip);
}

// Nothing is read through a symbolic link that leads out of the card.
TEST_F(CopyJobTest, LinksOutOfTheCardAreNotFollowed) {
    writeSimpleCard(1, 2);
    writeFile(dir / "outside/00001.M2TS", "not footage");
    fs::remove(stream("00001.M2TS"));
    fs::create_symlink(dir / "outside/00001.M2TS", stream("00001.M2TS"));
    host.skipAnswers.push_back(PromptAnswer::Ok);
    run();
    ASSERT_EQ(host.skipQuestions.size(), 1u);
    EXPECT_EQ(host.skipQuestions[0], "An unknown error occured while trying to copy file " +
                                         stream("00001.M2TS").string() + " to " +
                                         copy("18_01_00.m2ts").string() +
                                         ".\nError code: 1001\nError details: the path leads out "
                                         "of the card through a symbolic link\n" +
                                         skipQuestion);
    EXPECT_EQ(filesBelow(target), std::vector<std::string>{"2026_12_05/18_00_00.m2ts"});

    const fs::path streams = cardStreamFolder(card);
    fs::rename(streams, dir / "outside/STREAM");
    fs::create_symlink(dir / "outside/STREAM", streams);
    run();
    ASSERT_EQ(host.fatalMessages.size(), 1u);
    EXPECT_EQ(host.fatalMessages[0], heading + "The directory \"" + streams.string() +
                                         "\" leads out of the card.\n" + aborted);
}

// A stop is final: no question follows it.
TEST_F(CopyJobTest, NoQuestionAfterAStop) {
    writeSimpleCard(1, 1);
    writeFile(copy("18_00_00.m2ts"), "taken");
    reporter.onText = [&](const std::string& text) {
        reporter.stop = reporter.stop || text.rfind("Copying", 0) == 0;
    };
    run();
    EXPECT_TRUE(host.conflictQuestions.empty());
    EXPECT_TRUE(host.fatalMessages.empty());
    EXPECT_EQ(reporter.texts.back(), "Terminating..");
}

// A folder of the target that vanishes during a copy is a failure of the
// destination: it is never reported as a missing source file.
TEST(JobMessages, ADestinationIsNeverCalledTheSourceFile) {
    const CopyFailure gone(
        "tandrel: rename file", CopyFailure::Side::Destination, "/card/1.M2TS", "/out/1.m2ts",
        boost::system::errc::make_error_code(boost::system::errc::no_such_file_or_directory));
    EXPECT_EQ(skipPromptText(gone), "An unknown error occured while trying to copy file "
                                    "/card/1.M2TS to /out/1.m2ts.\nError code: 2\nError details: "
                                    "No such file or directory\n" +
                                        skipQuestion);
}

} // namespace

} // namespace tandrel
