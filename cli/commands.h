#pragma once

namespace CLI {
class App;
}

// What a sub-command's callback leaves for main() to return.
struct CommandResult {
    int exitCode = 0;
};

// Registers every sub-command; each one's callback runs the command and sets
// result.exitCode.
void addCommands(CLI::App& app, CommandResult& result);
