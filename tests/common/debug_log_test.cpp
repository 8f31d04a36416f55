// The log lies beside the executable and its header is written once per
// process, so every case runs a copy of a small helper program from a folder
// of its own.
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>

#include <sys/wait.h>
#include <unistd.h>

#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace tandrel {

namespace fs = boost::filesystem;

namespace {

const uid_t nobodyId = 65534;

// Copies the helper into `folder` and returns the copy's path.
fs::path installHelper(const fs::path& folder) {
    fs::create_directories(folder);
    const fs::path copy = folder / "debug_log_helper";
    fs::copy_file(DEBUG_LOG_HELPER, copy, fs::copy_options::overwrite_existing);
    fs::permissions(copy, fs::owner_all);
    return fs::canonical(copy);
}

// Runs `program` with `arguments`, as the user `user` when one is given,
// and returns its exit status.
int run(const fs::path& program, const std::vector<std::string>& arguments,
        std::optional<uid_t> user = std::nullopt) {
    std::vector<std::string> words{program.string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid < 0) {
        return -1;
    }
    if (pid == 0) {
        if (user && (setgid(*user) != 0 || setuid(*user) != 0)) {
            _exit(126);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        result.push_back(line);
    }
    return result;
}

void expectHeader(const std::vector<std::string>& log, const fs::path& executable) {
    ASSERT_GE(log.size(), 5u);
    EXPECT_EQ(log[0], "Executable:\t\t\t" + executable.string());
    EXPECT_EQ(log[1], "Module:\t\t\t\t" + executable.string());
    EXPECT_EQ(log[2], "DebugLog version:\t2.1");
    EXPECT_EQ(log[3], "Brellix Software (https://www.brellix.com/tandrel)");
    EXPECT_EQ(log[4], std::string(81, '='));
}

void expectEntry(const std::string& line, const std::string& message) {
    static const std::regex stamp(R"(\[\d\d/\d\d/\d\d - \d\d:\d\d:\d\d\]\t)");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(line, match, stamp, std::regex_constants::match_continuous))
        << line;
    EXPECT_EQ(match.suffix().str(), message);
}

} // namespace

TEST(DebugLog, HeaderOncePerProcessThenOneLinePerCall) {
    TempDir dir;
    const fs::path helper = installHelper(dir.path());
    const fs::path log = dir / "debug.log";

    ASSERT_EQ(run(helper, {"first", "second"}), 0);
    std::vector<std::string> text = lines(readFile(log));
    expectHeader(text, helper);
    ASSERT_EQ(text.size(), 7u);
    expectEntry(text[5], "first");
    expectEntry(text[6], "second");

    // A new process starts the file afresh.
    ASSERT_EQ(run(helper, {"third"}), 0);
    text = lines(readFile(log));
    expectHeader(text, helper);
    ASSERT_EQ(text.size(), 6u);
    expectEntry(text[5], "third");
}

TEST(DebugLog, MessagesAreWrittenUnchanged) {
    TempDir dir;
    const fs::path helper = installHelper(dir.path());

    ASSERT_EQ(run(helper, {"", "two\nlines", "50% done %d\t[x]"}), 0);
    const std::string text = readFile(dir / "debug.log");
    EXPECT_EQ(text.find('\r'), std::string::npos);
    const std::vector<std::string> log = lines(text);
    ASSERT_EQ(log.size(), 9u);
    expectEntry(log[5], "");
    expectEntry(log[6], "two");
    EXPECT_EQ(log[7], "lines");
    expectEntry(log[8], "50% done %d\t[x]");
}

TEST(DebugLog, LongExecutablePathComesBackWhole) {
    TempDir dir;
    fs::path folder = dir.path();
    while (folder.string().size() < 400) {
        folder /= std::string(60, 'd');
    }
    const fs::path helper = installHelper(folder);
    ASSERT_GT(helper.string().size(), 400u);

    ASSERT_EQ(run(helper, {"deep"}), 0);
    const std::vector<std::string> log = lines(readFile(folder / "debug.log"));
    expectHeader(log, helper);
    ASSERT_EQ(log.size(), 6u);
    expectEntry(log[5], "deep");
}

TEST(DebugLog, UnwritableLogIsSilent) {
    TempDir dir;
    const fs::path helper = installHelper(dir.path());
    // A folder in the log's place cannot be opened as a file, even by root.
    fs::create_directory(dir / "debug.log");

    EXPECT_EQ(run(helper, {"lost", "lost too"}), 0);
    EXPECT_TRUE(fs::is_empty(dir / "debug.log"));
}

TEST(DebugLog, ReadOnlyFolderIsSilent) {
    TempDir dir;
    const fs::path folder = dir / "bin";
    const fs::path helper = installHelper(folder);
    fs::permissions(helper, fs::owner_all | fs::group_read | fs::group_exe | fs::others_read |
                                fs::others_exe);
    // Root writes into any folder, so as root the helper runs as an
    // unprivileged user who owns the read-only folder.
    std::optional<uid_t> user;
    if (geteuid() == 0) {
        user = nobodyId;
        ASSERT_EQ(chown(folder.c_str(), nobodyId, nobodyId), 0);
    }
    fs::permissions(folder, fs::owner_read | fs::owner_exe | fs::group_read | fs::group_exe |
                                fs::others_read | fs::others_exe);

    const int status = run(helper, {"lost", "lost too"}, user);
    if (user && status == 127) {
        GTEST_SKIP() << "the unprivileged user cannot load the helper from this build folder";
    }
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(fs::exists(folder / "debug.log"));
}

} // namespace tandrel
