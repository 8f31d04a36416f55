#include "cli/plan_command.h"

#include "copy/card_source.h"
#include "copy/job_messages.h"
#include "metadata/card_layout.h"
#include "metadata/errors.h"
#include "metadata/playlist_reader.h"
#include "naming/name_mask.h"
#include "naming/path_validity.h"

#include <CLI/CLI.hpp>
#include <boost/filesystem/operations.hpp>
#include <nlohmann/json.hpp>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace fs = boost::filesystem;

namespace {

struct PlanOptions {
    std::string source;
    std::string target;
    std::string folderMask = "%Y_%m_%d";
    std::string fileMask = "%H_%M_%S";
    bool noFolder = false;
    bool noRename = false;
    bool json = false;
};

struct PlannedCopy {
    std::string source;
    std::string destination;
};

PlannedCopy planClip(const CardSource& card, const PlanOptions& options, const NameMask& folderMask,
                     const NameMask& fileMask, const ClipRecord& clip) {
    const fs::path source = streamFileOf(card, clip.streamFile);
    if (!fs::exists(source)) {
        throw InputDataMissingException("The file \"" + nativeText(source) + "\" does not exist.");
    }
    const fs::path destination = buildDestinationPath(options.target, !options.noFolder, folderMask,
                                                      !options.noRename, fileMask, clip);
    if (checkPathValidity(destination) != Valid) {
        throw FileTransferException("The following filename is not valid:\n" +
                                    nativeText(destination));
    }
    return PlannedCopy{nativeText(source), nativeText(destination)};
}

// Every clip of every playlist, in the order the copy job takes them. Throws
// the finished fatal message as std::runtime_error.
std::vector<PlannedCopy> planCopies(const PlanOptions& options) {
    CardSource card;
    PlaylistSet playlists;
    NameMask folderMask;
    NameMask fileMask;
    try {
        card = locateCard(options.source);
        folderMask = parseMask(options.folderMask);
        fileMask = parseMask(options.fileMask);
        readPlaylists(card.playlistFolder, playlists, playlistExtension);
    } catch (const InputDataMissingException& error) {
        throw std::runtime_error(fatalMessageText(error.what(), false));
    } catch (const std::exception& error) {
        throw std::runtime_error(fatalMessageText(error.what(), true));
    }

    std::vector<PlannedCopy> copies;
    for (const PlaylistRecord& playlist : playlists.playlists) {
        for (const ClipRecord& clip : playlist.clips) {
            try {
                copies.push_back(planClip(card, options, folderMask, fileMask, clip));
            } catch (const std::exception& error) {
                throw std::runtime_error(fatalMessageText(error.what(), true));
            }
        }
    }
    return copies;
}

void printPlan(const std::vector<PlannedCopy>& copies, bool json) {
    if (!json) {
        for (const PlannedCopy& copy : copies) {
            std::cout << copy.source << " -> " << copy.destination << '\n';
        }
        return;
    }
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const PlannedCopy& copy : copies) {
        list.push_back({{"source", copy.source}, {"destination", copy.destination}});
    }
    const nlohmann::ordered_json document = {{"copies", list}};
    // Names from a card or a typed target need not be UTF-8; such bytes show
    // as U+FFFD rather than ending the run.
    std::cout << document.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
              << '\n';
}

int runPlan(const PlanOptions& options) {
    std::vector<PlannedCopy> copies;
    try {
        copies = planCopies(options);
    } catch (const std::exception& error) {
        const std::string message = error.what();
        std::cerr << message << (message.ends_with('\n') ? "" : "\n");
        return 1;
    }
    printPlan(copies, options.json);
    return 0;
}

} // namespace

void addPlanCommand(CLI::App& app, CommandResult& result) {
    auto options = std::make_shared<PlanOptions>();
    CLI::App* plan = app.add_subcommand(
        "plan", "Show where each clip of a card would be copied, checking every name, without "
                "copying anything.");
    plan->add_option("SOURCE", options->source, "The card's root folder")->required();
    plan->add_option("TARGET", options->target, "The folder the copies would go to")->required();
    CLI::Option* folderMask = plan->add_option("--folder-mask", options->folderMask,
                                               "Mask naming each copy's folder (default %Y_%m_%d)");
    CLI::Option* noFolder =
        plan->add_flag("--no-folder", options->noFolder, "Put the copies into TARGET itself");
    folderMask->excludes(noFolder);
    CLI::Option* fileMask = plan->add_option("--file-mask", options->fileMask,
                                             "Mask naming each copy (default %H_%M_%S)");
    CLI::Option* noRename =
        plan->add_flag("--no-rename", options->noRename, "Keep each stream file's own name");
    fileMask->excludes(noRename);
    plan->add_flag("--json", options->json,
                   "Print {\"copies\":[{\"source\":...,\"destination\":...}]}");
    plan->callback([options, &result] { result.exitCode = runPlan(*options); });
}
