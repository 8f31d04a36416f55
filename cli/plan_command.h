#pragma once

#include "cli/commands.h"

// tandrel-cli plan: where each clip of a card would be copied, checked against
// the name rules, without copying anything.
void addPlanCommand(CLI::App& app, CommandResult& result);
