#pragma once

#include <boost/filesystem/path.hpp>

#include <string>
#include <vector>

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// `text` as one word for the shell, in single quotes.
std::string shellQuoted(const std::string& text);

// Runs the built tandrel-cli with `arguments` in `workingDirectory`, catching
// its standard output and error in files below `scratch`.
CliRun runCli(const std::vector<std::string>& arguments,
              const boost::filesystem::path& workingDirectory,
              const boost::filesystem::path& scratch);
