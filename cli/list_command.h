#pragma once

#include "cli/command.h"

#include <string>

namespace tandrel {

// tandrel-cli list SOURCE [--json]: the clips of the card in copy order, as
// lines "STREAM  YYYY-MM-DD HH:MM:SS" (and their part of a split recording)
// or as one JSON object. On a failure nothing goes to `out`, the failure's
// message to `err`, and the exit status is 1.
class ListCommand : public Command {
public:
    CLI::App* define(CLI::App& app) override;
    int run(const CommandOutput& output) override;

private:
    std::string source_;
    bool json_ = false;
};

} // namespace tandrel
