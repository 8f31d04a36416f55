#include "cli/check_command.h"

#include "metadata/card_layout.h"
#include "metadata/path_text.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

void addCheckCommand(CLI::App& app, CommandResult& result) {
    CLI::App* command = app.add_subcommand(
        "check", "Checks that SOURCE holds a camera card's playlist and stream files.");
    auto source = std::make_shared<std::string>();
    command->add_option("SOURCE", *source, "The card's root folder, or a copy of its tree.")
        ->required();
    command->callback([source, &result] { result.exitCode = runCheck(*source, std::cout); });
}

int runCheck(const std::string& sourceText, std::ostream& out) {
    const SourceValidity validity = checkSourceFolder(pathFromText(sourceText));
    out << sourceStatusText(validity) << '\n';
    return validity == Ok ? 0 : 1;
}
