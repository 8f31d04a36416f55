#include "cli/plan_command.h"

#include "cli/check_command.h"
#include "cli/json_text.h"
#include "cli/naming_options.h"
#include "cli/terminal_text.h"
#include "copy/card_source.h"
#include "copy/copy_plan.h"
#include "copy/job_messages.h"
#include "metadata/card_layout.h"
#include "metadata/errors.h"
#include "metadata/playlist_reader.h"
#include "naming/name_mask.h"
#include "naming/path_validity.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

struct PlanOptions {
    NamingOptions naming;
    bool json = false;
};

// A failure of the plan, as the copy job's message would tell it.
class PlanFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Every clip of every playlist, in the order the copy job takes them, by the
// job's own planning.
std::vector<PlannedClip> planCopies(const PlanOptions& options) {
    const NamingOptions& naming = options.naming;
    try {
        const CardSource card = locateCard(naming.source);
        const NameMask folderMask = parseMask(naming.folderMask);
        const NameMask fileMask = parseMask(naming.fileMask);
        const PlaylistSet playlists = readCardPlaylists(card);
        const CopyPlanner planner(card, naming.absoluteTarget(), !naming.noFolder, folderMask,
                                  !naming.noRename, fileMask);
        std::vector<PlannedClip> copies;
        for (const PlaylistRecord& playlist : playlists.playlists) {
            for (const ClipRecord& clip : playlist.clips) {
                try {
                    copies.push_back(planner.plan(clip));
                } catch (const std::exception& error) {
                    throw PlanFailure(clipFailureText(error));
                }
            }
        }
        return copies;
    } catch (const PlanFailure&) {
        throw;
    } catch (const std::exception& error) {
        throw PlanFailure(jobFailureText(error));
    }
}

void printPlan(const std::vector<PlannedClip>& copies, bool json) {
    if (!json) {
        for (const PlannedClip& copy : copies) {
            std::cout << printable(nativeText(copy.source)) << " -> "
                      << printable(nativeText(copy.destination)) << '\n';
        }
        return;
    }
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const PlannedClip& copy : copies) {
        list.push_back(
            {{"source", nativeText(copy.source)}, {"destination", nativeText(copy.destination)}});
    }
    std::cout << jsonText({{"copies", list}}) << '\n';
}

int runPlan(const PlanOptions& options) {
    if (!sourcePasses(options.naming.source, std::cerr)) {
        return 1;
    }
    std::vector<PlannedClip> copies;
    try {
        copies = planCopies(options);
    } catch (const std::exception& error) {
        std::cerr << printableMessage(error.what());
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
    addNamingOptions(*plan, options->naming);
    plan->add_flag("--json", options->json,
                   "Print {\"copies\":[{\"source\":...,\"destination\":...}]}");
    plan->callback([options, &result] { result.exitCode = runPlan(*options); });
}
