#pragma once

#include "cli/command.h"
#include "cli/naming_options.h"

namespace tandrel {

// tandrel-cli plan: where each clip of a card would be copied, checked against
// the name rules by the copy job's own planning, without copying anything;
// destinations that two copies share are marked.
class PlanCommand : public Command {
public:
    CLI::App* define(CLI::App& app) override;
    int run(const CommandOutput& output) override;

private:
    NamingOptions naming_;
    bool joinRecordings_ = false;
    bool json_ = false;
};

} // namespace tandrel
