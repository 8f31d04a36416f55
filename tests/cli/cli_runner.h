#pragma once

#include <boost/filesystem/path.hpp>

#include <string>
#include <vector>

namespace tandrel {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built tandrel-cli with `arguments`, as a script would: in
// `workingDirectory` (this process's when empty), standard input from
// /dev/null, and both outputs caught. A run ended by a signal exits with 128
// plus its number, as a shell reports it.
CliRun runCli(const std::vector<std::string>& arguments,
              const boost::filesystem::path& workingDirectory = {});

// `text` quoted for a POSIX shell.
std::string shellQuoted(const std::string& text);

} // namespace tandrel
