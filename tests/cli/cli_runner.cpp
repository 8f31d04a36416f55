#include "tests/cli/cli_runner.h"

#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <sys/wait.h>

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

CliRun runCli(const std::vector<std::string>& arguments,
              const boost::filesystem::path& workingDirectory,
              const boost::filesystem::path& scratch) {
    const boost::filesystem::path outFile = scratch / "cli.out";
    const boost::filesystem::path errFile = scratch / "cli.err";
    std::string command =
        "cd " + shellQuoted(workingDirectory.string()) + " && " + shellQuoted(TANDREL_CLI_PATH);
    for (const std::string& argument : arguments) {
        command += " " + shellQuoted(argument);
    }
    command += " >" + shellQuoted(outFile.string()) + " 2>" + shellQuoted(errFile.string());

    CliRun run;
    const int status = std::system(command.c_str());
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = readFile(outFile);
    run.err = readFile(errFile);
    return run;
}
