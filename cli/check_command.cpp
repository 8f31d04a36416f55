#include "cli/check_command.h"

#include "metadata/card_layout.h"
#include "metadata/path_text.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

namespace {

SourceValidity checkSource(const std::string& sourceText) {
    return checkSourceFolder(pathFromText(sourceText));
}

} // namespace

void addCheckCommand(CLI::App& app, CommandResult& result) {
    CLI::App* command = app.add_subcommand(
        "check", "Checks that SOURCE holds a camera card's playlist and stream files.");
    auto source = std::make_shared<std::string>();
    command->add_option("SOURCE", *source, "The card's root folder, or a copy of its tree.")
        ->required();
    command->callback([source, &result] { result.exitCode = runCheck(*source, std::cout); });
}

int runCheck(const std::string& sourceText, std::ostream& out) {
    const SourceValidity validity = checkSource(sourceText);
    out << sourceStatusText(validity) << '\n';
    return validity == Ok ? 0 : 1;
}

bool sourcePasses(const std::string& sourceText, std::ostream& err) {
    const SourceValidity validity = checkSource(sourceText);
    if (validity != Ok) {
        err << sourceStatusText(validity) << '\n';
    }
    return validity == Ok;
}
