#pragma once

#include "cli/commands.h"

#include <ostream>
#include <string>

// tandrel-cli check SOURCE: prints the status line of the source check;
// exit code 0 when the source is Ok, 1 otherwise.
void addCheckCommand(CLI::App& app, CommandResult& result);
int runCheck(const std::string& sourceText, std::ostream& out);
