#pragma once

#include <ostream>

namespace CLI {
class App;
}

namespace tandrel {

// Where a command writes: its result on `out`, progress, questions and
// messages on `err`.
struct CommandOutput {
    std::ostream& out;
    std::ostream& err;
};

// One tandrel-cli command. It declares itself and its options on the tool's
// parser and keeps what the parser fills in; once the arguments are parsed
// the tool runs the command that was named.
class Command {
public:
    virtual ~Command() = default;
    // Adds the command and its options to `app`; returns its sub-command.
    virtual CLI::App* define(CLI::App& app) = 0;
    // Runs with the parsed options and returns the exit status.
    virtual int run(const CommandOutput& output) = 0;
};

} // namespace tandrel
