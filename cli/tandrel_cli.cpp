#include "cli/tandrel_cli.h"

#include "cli/cards_command.h"
#include "cli/check_command.h"
#include "cli/copy_command.h"
#include "cli/list_command.h"
#include "cli/plan_command.h"
#include "common/product_facts.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <utility>

namespace tandrel {

int runTandrelCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    CLI::App app{"Tandrel copies the clips of an AVCHD camera card into a folder and names each "
                 "copy after the date and time it was recorded."};
    app.name("tandrel-cli");
    app.set_version_flag("--version", std::string("tandrel-cli ") + productVersion);
    app.require_subcommand(1);

    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(std::make_unique<CheckCommand>());
    commands.push_back(std::make_unique<ListCommand>());
    commands.push_back(std::make_unique<PlanCommand>());
    commands.push_back(std::make_unique<CopyCommand>());
    commands.push_back(std::make_unique<CardsCommand>());
    std::vector<std::pair<CLI::App*, Command*>> parsers;
    for (const std::unique_ptr<Command>& command : commands) {
        parsers.emplace_back(command->define(app), command.get());
    }

    try {
        // CLI11 takes the arguments last first.
        std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
        app.parse(reversed);
    } catch (const CLI::ParseError& error) {
        // --help and --version end with success; every other parse error is
        // a usage error.
        return app.exit(error, out, err) == 0 ? 0 : 2;
    }
    for (const auto& [parser, command] : parsers) {
        if (parser->parsed()) {
            return command->run({out, err});
        }
    }
    // require_subcommand(1) leaves no other way out.
    return 2;
}

} // namespace tandrel
