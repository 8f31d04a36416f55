#pragma once

#include "cli/command.h"
#include "cli/copy_progress.h"
#include "cli/copy_prompts.h"

#include <optional>

namespace tandrel {

// `tandrel-cli copy SOURCE TARGET ...`: runs the copy job of the program on
// the command line. Exit 0 is a promise that every clip of the card is in the
// target, copied or already there byte for byte; 1 a refused card, a fatal
// error or an abort after a failed file; 2 a usage error; 3 files skipped
// after errors; 4 clips left out at a clash while their names hold other
// files; 130 stopped by a stop signal or Cancel at a name clash.
class CopyCommand : public Command {
public:
    CLI::App* define(CLI::App& app) override;
    int run(const CommandOutput& output) override;

private:
    CopySettings settings_;
    std::optional<ProgressStyle> progress_;
    bool quiet_ = false;
};

} // namespace tandrel
