#include "cli/commands.h"

#include "cli/plan_command.h"

#include <CLI/CLI.hpp>

void addCommands(CLI::App& app, CommandResult& result) {
    addPlanCommand(app, result);
}
