#include "tests/cli/cli_runner.h"

#include "tests/support/temp_dir.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tandrel {

namespace {

int exitCodeOf(int status) {
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
}

} // namespace

CliRun runCli(const std::vector<std::string>& arguments,
              const boost::filesystem::path& workingDirectory) {
    const TempDir capture;
    const boost::filesystem::path outFile = capture / "out";
    const boost::filesystem::path errFile = capture / "err";
    std::vector<std::string> words{TANDREL_CLI_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);

    const pid_t child = ::fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_RDONLY);
        const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(null, STDIN_FILENO);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        if (!workingDirectory.empty() && ::chdir(workingDirectory.c_str()) != 0) {
            _exit(126);
        }
        ::execv(TANDREL_CLI_PATH, argv.data());
        _exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return {exitCodeOf(status), readFile(outFile), readFile(errFile)};
}

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

} // namespace tandrel
