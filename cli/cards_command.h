#pragma once

#include "cli/command.h"

namespace tandrel {

// tandrel-cli cards [--json]: the mounted volumes that hold a camera card,
// with mount point, label, file system, layout, clip count and size. Exit
// status 0, also when there is none.
class CardsCommand : public Command {
public:
    CLI::App* define(CLI::App& app) override;
    int run(const CommandOutput& output) override;

private:
    bool json_ = false;
};

} // namespace tandrel
