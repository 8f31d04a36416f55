#include "cli/naming_options.h"

#include "copy/card_source.h"
#include "metadata/path_text.h"

#include <CLI/CLI.hpp>

namespace tandrel {

std::string NamingOptions::absoluteTarget() const {
    return absoluteFromStart(pathFromText(target)).string();
}

void addNamingOptions(CLI::App& command, NamingOptions& options) {
    command
        .add_option("SOURCE", options.source, "the card (its root folder, or a copy of its tree)")
        ->required();
    command.add_option("TARGET", options.target, "the folder the copies go to")->required();

    CLI::Option* folderMask = command
                                  .add_option("--folder-mask", options.folderMask,
                                              "mask of the folder each copy goes into")
                                  ->capture_default_str();
    CLI::Option* noFolder =
        command.add_flag("--no-folder", options.noFolder, "copy straight into TARGET");
    folderMask->excludes(noFolder);

    CLI::Option* fileMask = command
                                .add_option("--file-mask", options.fileMask,
                                            "mask of each copy's name (\".m2ts\" is added)")
                                ->capture_default_str();
    CLI::Option* noRename =
        command.add_flag("--no-rename", options.noRename, "keep the stream files' own names");
    fileMask->excludes(noRename);
}

} // namespace tandrel
