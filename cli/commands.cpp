#include "cli/commands.h"

#include "cli/cards_command.h"
#include "cli/check_command.h"
#include "cli/copy_command.h"
#include "cli/list_command.h"
#include "cli/plan_command.h"

#include <CLI/CLI.hpp>

void addCommands(CLI::App& app, CommandResult& result) {
    addCheckCommand(app, result);
    addListCommand(app, result);
    addPlanCommand(app, result);
    addCopyCommand(app, result);
    addCardsCommand(app, result);
}
