#pragma once

#include "cli/commands.h"

#include <ostream>
#include <string>

// tandrel-cli list SOURCE [--json]: the clips of the card in copy order, as
// lines "STREAM  YYYY-MM-DD HH:MM:SS" or as one JSON object. On a failure
// nothing goes to `out`, the failure's message to `err`, and the exit code
// is 1.
void addListCommand(CLI::App& app, CommandResult& result);
int runList(const std::string& sourceText, bool json, std::ostream& out, std::ostream& err);
