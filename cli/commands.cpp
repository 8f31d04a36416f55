#include "cli/commands.h"

#include <CLI/CLI.hpp>

void addCommands(CLI::App& app, CommandResult& result) {
    (void)app;
    (void)result;
}
