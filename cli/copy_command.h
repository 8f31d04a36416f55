#pragma once

#include "cli/commands.h"

namespace CLI {
class App;
}

// `tandrel-cli copy SOURCE TARGET ...`: runs the copy job of the program on
// the command line. Exit 0 is a promise that every clip of the card is in the
// target, copied or already there byte for byte; 1 a refused card, a fatal
// error or an abort after a failed file; 2 a usage error; 3 files skipped
// after errors; 4 clips left out at a clash while their names hold other
// files; 130 stopped by a stop signal or Cancel at a name clash.
void addCopyCommand(CLI::App& app, CommandResult& result);
