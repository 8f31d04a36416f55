#pragma once

#include "cli/commands.h"

namespace CLI {
class App;
}

// `tandrel-cli copy SOURCE TARGET ...`: runs the copy job of the program on
// the command line. Exit codes: 0 every clip copied or settled by a choice,
// 1 a fatal error or an abort after a failed file, 2 a usage error, 3 done
// but files were skipped after errors, 130 stopped by SIGINT, SIGTERM or
// Cancel at a name clash.
void addCopyCommand(CLI::App& app, CommandResult& result);
