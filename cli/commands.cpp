#include "cli/commands.h"

#include "cli/copy_command.h"

#include <CLI/CLI.hpp>

void addCommands(CLI::App& app, CommandResult& result) {
    addCopyCommand(app, result);
}
