#pragma once

#include "cli/commands.h"

#include <ostream>
#include <string>

// tandrel-cli check SOURCE: prints the status line of the source check;
// exit code 0 when the source is Ok, 1 otherwise.
void addCheckCommand(CLI::App& app, CommandResult& result);
int runCheck(const std::string& sourceText, std::ostream& out);

// The source check that list, plan and copy run before anything else, so
// that the four commands judge a card (an empty SOURCE included) alike: true
// when it passes; otherwise its status line goes to `err`.
bool sourcePasses(const std::string& sourceText, std::ostream& err);
