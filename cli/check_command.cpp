#include "cli/check_command.h"

#include "metadata/card_layout.h"
#include "metadata/path_text.h"

#include <CLI/CLI.hpp>

namespace tandrel {

namespace {

SourceValidity checkSource(const std::string& sourceText) {
    return checkSourceFolder(pathFromText(sourceText));
}

} // namespace

CLI::App* CheckCommand::define(CLI::App& app) {
    CLI::App* command = app.add_subcommand(
        "check", "Checks that SOURCE holds a camera card's playlist and stream files.");
    command->add_option("SOURCE", source_, "The card's root folder, or a copy of its tree.")
        ->required();
    return command;
}

int CheckCommand::run(const CommandOutput& output) {
    const SourceValidity validity = checkSource(source_);
    output.out << sourceStatusText(validity) << '\n';
    return validity == SourceValidity::Ok ? 0 : 1;
}

bool sourcePasses(const std::string& sourceText, std::ostream& err) {
    const SourceValidity validity = checkSource(sourceText);
    if (validity != SourceValidity::Ok) {
        err << sourceStatusText(validity) << '\n';
    }
    return validity == SourceValidity::Ok;
}

} // namespace tandrel
