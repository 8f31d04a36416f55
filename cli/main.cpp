// tandrel-cli: the command-line front end over the same core as the program.
#include "cli/commands.h"

#include <CLI/CLI.hpp>

#include <iostream>

int main(int argc, char** argv) {
    CLI::App app{"Tandrel copies the clips of an AVCHD camera card into a folder and names each "
                 "copy after the date and time it was recorded."};
    app.name("tandrel-cli");
    app.set_version_flag("--version", std::string("tandrel-cli ") + TANDREL_VERSION);
    app.require_subcommand(1);

    CommandResult result;
    addCommands(app, result);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int code = app.exit(error);
        // --help and --version end with success; every other parse error is a usage error.
        return code == 0 ? 0 : 2;
    }
    return result.exitCode;
}
