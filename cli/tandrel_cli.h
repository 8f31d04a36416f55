#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tandrel {

// tandrel-cli as a function: parses `arguments` (without the program's
// name), runs the command they name with its output on `out` and `err`, and
// returns the exit status: the command's, 0 for --help and --version, 2 for
// a usage error. main() is this over the process's arguments and streams.
int runTandrelCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace tandrel
