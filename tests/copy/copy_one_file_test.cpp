#include "copy/copy_one_file.h"
#include "copy/keep_both_name.h"
#include "metadata/errors.h"
#include "metadata/file_errors.h"
#include "tests/copy/scripted_host.h"
#include "tests/support/temp_dir.h"

#include <boost/filesystem/exception.hpp>
#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tandrel {

namespace fs = boost::filesystem;

namespace {

std::string bigContent(std::size_t size) {
    std::string content(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        content[i] = static_cast<char>((i * 7 + i / 4096) & 0xFF);
    }
    return content;
}

boost::system::error_code errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const fs::filesystem_error& error) {
        return error.code();
    }
    return {};
}

class CopyOneFileTest : public ::testing::Test {
protected:
    TempDir dir;
    fs::path source = dir / "card/00001.M2TS";
    fs::path destination = dir / "out/2026_12_05/18_45_03.m2ts";
    ScriptedHost host;
    RecordingProgress progress;

    TargetFolders folders;

    void SetUp() override { writeFile(source, "new clip"); }
    void copy() { copyFrom(source, progress); }
    // `file` as a stream file of a card whose root is its folder.
    CopySettlement copyFrom(const fs::path& file, TransferProgress& copyProgress) {
        const CardTree card(file.parent_path());
        const ClipSource opened(card, {file}, destination);
        return copyOneFile(destination, host, opened, copyProgress, folders);
    }
};

TEST_F(CopyOneFileTest, CopiesIntoNewFoldersKeepingTheModificationTime) {
    fs::last_write_time(source, 1'700'000'000);
    copy();
    EXPECT_EQ(readFile(destination), "new clip");
    EXPECT_EQ(fs::last_write_time(destination), 1'700'000'000);
    EXPECT_TRUE(host.conflictQuestions.empty());
    EXPECT_EQ(namesIn(destination.parent_path()), std::vector<std::string>{"18_45_03.m2ts"});
    ASSERT_FALSE(progress.counts.empty());
    EXPECT_EQ(progress.counts.back(), 8u);
}

TEST_F(CopyOneFileTest, EachChoiceForOneClash) {
    writeFile(destination, "old clip");
    const auto ask = [&](ConflictChoice choice) {
        host.conflictAnswers.push_back({choice, false});
        copy();
    };

    ask(ConflictChoice::DontCopy);
    ask(ConflictChoice::Skip);
    EXPECT_EQ(readFile(destination), "old clip");

    ask(ConflictChoice::KeepBoth);
    EXPECT_EQ(readFile(destination.parent_path() / "18_45_03 (2).m2ts"), "new clip");
    EXPECT_EQ(readFile(destination), "old clip");

    ask(ConflictChoice::CopyAndReplace);
    EXPECT_EQ(readFile(destination), "new clip");

    ASSERT_EQ(host.conflictQuestions.size(), 4u);
    EXPECT_EQ(host.conflictQuestions[0].existing, destination.string());
    EXPECT_EQ(host.conflictQuestions[0].keepBothName, "18_45_03 (2).m2ts");
    EXPECT_EQ(host.conflictQuestions[3].keepBothName, "18_45_03 (3).m2ts");
    EXPECT_FALSE(host.state.rememberReplace || host.state.rememberDontCopy ||
                 host.state.rememberKeepBoth || host.state.rememberSkip ||
                 host.state.abortRequested);
    EXPECT_EQ(namesIn(destination.parent_path()),
              (std::vector<std::string>{"18_45_03 (2).m2ts", "18_45_03.m2ts"}));
}

TEST_F(CopyOneFileTest, CancelStopsTheJobAndRemembersNothing) {
    writeFile(destination, "old clip");
    host.conflictAnswers.push_back({ConflictChoice::Cancel, true});
    copy();
    EXPECT_TRUE(host.state.abortRequested);
    EXPECT_FALSE(host.state.rememberReplace || host.state.rememberDontCopy ||
                 host.state.rememberKeepBoth || host.state.rememberSkip);
    EXPECT_EQ(readFile(destination), "old clip");

    host.conflictAnswers.push_back({static_cast<ConflictChoice>(0x8006), false});
    try {
        copy();
        FAIL() << "an unknown answer was accepted";
    } catch (const GeneralException& error) {
        EXPECT_STREQ(error.what(), "Invalid return value.");
    }
}

TEST_F(CopyOneFileTest, WriteProtectedFileIsNeverReplaced) {
    writeFile(destination, "old clip");
    fs::permissions(destination, fs::owner_read | fs::group_read);
    host.conflictAnswers.push_back({ConflictChoice::CopyAndReplace, false});
    try {
        copy();
        FAIL() << "a read-only file was replaced";
    } catch (const fs::filesystem_error& error) {
        EXPECT_EQ(error.code(), boost::system::errc::permission_denied);
        EXPECT_EQ(error.path1(), destination);
    }
    EXPECT_EQ(readFile(destination), "old clip");
    EXPECT_EQ(namesIn(destination.parent_path()), std::vector<std::string>{"18_45_03.m2ts"});

    fs::remove(destination);
    fs::create_directories(destination);
    host.conflictAnswers.push_back({ConflictChoice::CopyAndReplace, false});
    EXPECT_EQ(errorOf([&] { copy(); }), boost::system::errc::is_a_directory);
}

TEST_F(CopyOneFileTest, StopMidFileLeavesNoCopyAndKeepsTheReplacedFile) {
    writeFile(source, bigContent(10 * 1024 * 1024));
    progress.stopAfterBytes = 1;
    EXPECT_THROW(copy(), OperationStopped);
    EXPECT_TRUE(namesIn(destination.parent_path()).empty());

    writeFile(destination, "old clip");
    host.conflictAnswers.push_back({ConflictChoice::CopyAndReplace, false});
    RecordingProgress stopping;
    stopping.stopAfterBytes = 1;
    EXPECT_THROW(copyFrom(source, stopping), OperationStopped);
    EXPECT_EQ(readFile(destination), "old clip");
    EXPECT_EQ(namesIn(destination.parent_path()), std::vector<std::string>{"18_45_03.m2ts"});
}

TEST_F(CopyOneFileTest, LargeFileIsCopiedWholeWithProgressOnTheWay) {
    const std::string content = bigContent(9 * 1024 * 1024 + 123);
    writeFile(source, content);
    copy();
    EXPECT_TRUE(readFile(destination) == content);
    EXPECT_GE(progress.counts.size(), 2u);
    EXPECT_TRUE(std::is_sorted(progress.counts.begin(), progress.counts.end()));
    EXPECT_EQ(progress.counts.back(), content.size());
}

TEST_F(CopyOneFileTest, CopiesFromAnotherFileSystemByReadingAndWriting) {
    // The kernel copies only within one file system; from a tmpfs the bytes
    // take the read/write path.
    struct stat shm {};
    struct stat here {};
    if (::stat("/dev/shm", &shm) != 0 || ::stat(dir.path().c_str(), &here) != 0 ||
        shm.st_dev == here.st_dev) {
        GTEST_SKIP() << "no second file system at /dev/shm";
    }
    const fs::path elsewhere = fs::unique_path("/dev/shm/tandrel-%%%%-%%%%.M2TS");
    const std::string content = bigContent(2 * 1024 * 1024 + 5);
    writeFile(elsewhere, content);
    copyFrom(elsewhere, progress);
    fs::remove(elsewhere);
    EXPECT_TRUE(readFile(destination) == content);
    EXPECT_EQ(progress.counts.back(), content.size());
}

TEST_F(CopyOneFileTest, FileThatAppearsDuringTheCopyIsLeftAlone) {
    writeFile(source, bigContent(9 * 1024 * 1024));
    progress.onFirstChunk = [&] {
        writeFile(destination, "arrived meanwhile");
    };
    EXPECT_EQ(errorOf([&] { copy(); }), boost::system::errc::file_exists);
    EXPECT_EQ(readFile(destination), "arrived meanwhile");
    EXPECT_EQ(namesIn(destination.parent_path()), std::vector<std::string>{"18_45_03.m2ts"});
}

TEST_F(CopyOneFileTest, SourceThatIsMissingOrNoPlainFileFails) {
    fs::remove(source);
    try {
        copy();
        FAIL() << "a missing source was copied";
    } catch (const fs::filesystem_error& error) {
        EXPECT_EQ(error.code(), boost::system::errc::no_such_file_or_directory);
        EXPECT_EQ(error.path1(), source);
        EXPECT_EQ(error.path2(), destination);
    }

    // A link out of the card and a FIFO (which would block a plain open) are
    // both refused without touching the destination.
    writeFile(dir / "secret", "not on the card");
    fs::create_symlink(dir / "secret", source);
    EXPECT_TRUE(errorOf([&] { copy(); }));
    fs::remove(source);
    ASSERT_EQ(::mkfifo(source.c_str(), 0644), 0);
    EXPECT_EQ(errorOf([&] { copy(); }), makeErrorCode(FileError::NotRegularFile));
    EXPECT_TRUE(filesBelow(dir / "out").empty());
}

TEST_F(CopyOneFileTest, FileSizeLimitFailsTheCopyWithoutLeavingAPart) {
    writeFile(source, bigContent(3 * 1024 * 1024));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024 * 1024, 1024 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            copy();
        } catch (const fs::filesystem_error& error) {
            _exit(error.code() == boost::system::errc::file_too_large ? 0 : 2);
        } catch (...) {
            _exit(3);
        }
        _exit(4);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(namesIn(destination.parent_path()).empty());
}

// A copy must hold exactly what the source held when it was opened: a clip
// truncated on the card while it is read, or a file system that takes no
// more bytes, fails the copy and leaves nothing under any name.
TEST_F(CopyOneFileTest, ACopyThatIsNotWholeIsNeverPublished) {
    writeFile(source, bigContent(9 * 1024 * 1024));
    progress.onFirstChunk = [&] {
        fs::resize_file(source, 5 * 1024 * 1024);
    };
    EXPECT_EQ(errorOf([&] { copy(); }), makeErrorCode(FileError::SourceChangedSize));
    EXPECT_TRUE(filesBelow(dir / "out").empty());

    fs::create_directories(destination.parent_path());
    const CardTree card(source.parent_path());
    const ClipSource opened(card, {source}, destination);
    CopyCalls stuck;
    stuck.copyFileRange = [](int, off64_t*, int, off64_t*, std::size_t, unsigned) -> ssize_t {
        errno = EXDEV;
        return -1;
    };
    stuck.write = [](int, const void*, std::size_t) -> ssize_t {
        return 0;
    };
    EXPECT_EQ(errorOf([&] {
                  transferFile(opened, destination, TransferMode::NoReplace, progress, false,
                               stuck);
              }),
              makeErrorCode(FileError::NoProgress));
    EXPECT_TRUE(filesBelow(dir / "out").empty());
}

// A verified copy is read back from the disk; one whose bytes do not match
// the source's never gets its name.
TEST_F(CopyOneFileTest, AVerifiedCopyThatDiffersIsNeverPublished) {
    writeFile(source, bigContent(3 * 1024 * 1024));
    fs::create_directories(destination.parent_path());
    const CardTree card(source.parent_path());
    const ClipSource opened(card, {source}, destination);
    transferFile(opened, destination, TransferMode::NoReplace, progress, true);
    EXPECT_TRUE(readFile(destination) == readFile(source));
    fs::remove(destination);

    CopyCalls flipping;
    flipping.copyFileRange = [](int, off64_t*, int, off64_t*, std::size_t, unsigned) -> ssize_t {
        errno = EXDEV;
        return -1;
    };
    flipping.write = [](int fd, const void* bytes, std::size_t count) -> ssize_t {
        std::string corrupted(static_cast<const char*>(bytes), count);
        corrupted[count / 2] = static_cast<char>(corrupted[count / 2] ^ 0x01);
        return ::write(fd, corrupted.data(), count);
    };
    EXPECT_EQ(errorOf([&] {
                  transferFile(opened, destination, TransferMode::NoReplace, progress, true,
                               flipping);
              }),
              makeErrorCode(FileError::VerifyMismatch));
    EXPECT_TRUE(namesIn(destination.parent_path()).empty());
}

// Temporaries that a killed run left behind go when a job next writes to
// their folder; one that a running copy holds stays.
TEST_F(CopyOneFileTest, LeftOverTemporariesAreRemovedButHeldOnesStay) {
    const fs::path folder = destination.parent_path();
    writeFile(folder / ".tandrel-0000000a.part", "left by a killed run");
    writeFile(folder / ".tandrel-0000000b.part", "being written");
    writeFile(folder / ".tandrel-notes.part", "not ours");
    const int held = ::open((folder / ".tandrel-0000000b.part").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    copy();
    ::close(held);
    EXPECT_EQ(namesIn(folder), (std::vector<std::string>{".tandrel-0000000b.part",
                                                         ".tandrel-notes.part", "18_45_03.m2ts"}));
}

TEST(KeepBothName, CountsUpTheNumberInParentheses) {
    TempDir dir;
    const auto next = [&](const std::string& name) {
        writeFile(dir / name, "");
        return makeKeepBothName((dir / name).string()).filename().string();
    };
    EXPECT_EQ(next("12_30_00.m2ts"), "12_30_00 (2).m2ts");
    EXPECT_EQ(next("12_30_00 (2).m2ts"), "12_30_00 (3).m2ts");
    EXPECT_EQ(next("clip(7).m2ts"), "clip(8).m2ts");
    EXPECT_EQ(next("clip().m2ts"), "clip() (2).m2ts");
    EXPECT_EQ(next("clip(a).m2ts"), "clip(a) (2).m2ts");
    EXPECT_EQ(next("a(1)b.m2ts"), "a(1)b (2).m2ts");
    EXPECT_EQ(next("take( 7x).m2ts"), "take(8).m2ts");
    EXPECT_EQ(next("neg(-1).m2ts"), "neg(0).m2ts");
    EXPECT_EQ(next("neg(-10).m2ts"), "neg(-9).m2ts");
    EXPECT_EQ(next("zero(007).m2ts"), "zero(8).m2ts");
    EXPECT_EQ(next("noextension"), "noextension (2)");
    EXPECT_EQ(next("archive.tar.m2ts"), "archive.tar (2).m2ts");
}

TEST(KeepBothName, NumbersBeyondThirtyTwoBitsKeepCounting) {
    TempDir dir;
    const auto next = [&](const std::string& name) {
        writeFile(dir / name, "");
        return makeKeepBothName((dir / name).string()).filename().string();
    };
    EXPECT_EQ(next("c(2147483647).m2ts"), "c(2147483648).m2ts");
    EXPECT_EQ(next("c(99999999999999999999).m2ts"), "c(100000000000000000000).m2ts");
    EXPECT_EQ(next("c(-2147483649).m2ts"), "c(-2147483648).m2ts");
}

TEST(KeepBothName, SkipsEveryTakenNameAndReturnsTheFreeOne) {
    TempDir dir;
    writeFile(dir / "x.m2ts", "");
    writeFile(dir / "x (2).m2ts", "");
    fs::create_directory(dir / "x (3).m2ts");
    fs::create_symlink(dir / "nowhere", dir / "x (4).m2ts");
    EXPECT_EQ(makeKeepBothName((dir / "x.m2ts").string()), dir / "x (5).m2ts");
    EXPECT_EQ(makeKeepBothName((dir / "free.m2ts").string()), dir / "free.m2ts");
}

} // namespace

} // namespace tandrel
