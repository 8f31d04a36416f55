#pragma once

#include "cli/command.h"

#include <ostream>
#include <string>

namespace tandrel {

// tandrel-cli check SOURCE: prints the status line of the source check;
// exit status 0 when the source is Ok, 1 otherwise.
class CheckCommand : public Command {
public:
    CLI::App* define(CLI::App& app) override;
    int run(const CommandOutput& output) override;

private:
    std::string source_;
};

// The source check that list, plan and copy run before anything else, so
// that the four commands judge a card (an empty SOURCE included) alike: true
// when it passes; otherwise its status line goes to `err`.
bool sourcePasses(const std::string& sourceText, std::ostream& err);

} // namespace tandrel
