#pragma once

#include "cli/commands.h"

#include <ostream>

// tandrel-cli cards [--json]: the mounted volumes that hold a camera card,
// with mount point, label, file system, layout, clip count and size. Exit
// code 0, also when there is none.
void addCardsCommand(CLI::App& app, CommandResult& result);
