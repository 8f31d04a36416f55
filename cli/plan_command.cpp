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
#include "metadata/recordings.h"
#include "naming/name_mask.h"
#include "naming/path_validity.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace tandrel {

namespace {

// A failure of the plan, as the copy job's message would tell it.
class PlanFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Every copy the job would make, in its order, by its own planning.
std::vector<PlannedCopy> planCopies(const NamingOptions& naming, bool joinRecordings) {
    try {
        const CardSource card = locateCard(naming.source);
        const NameMask folderMask = parseMask(naming.folderMask);
        const NameMask fileMask = parseMask(naming.fileMask);
        const PlaylistSet playlists = readCardPlaylists(card);
        const CopyPlanner planner(card, naming.absoluteTarget(), !naming.noFolder, folderMask,
                                  !naming.noRename, fileMask);
        std::vector<PlannedCopy> copies;
        for (const Recording& recording : recordingsOf(playlists, joinRecordings)) {
            try {
                copies.push_back(planner.plan(recording));
            } catch (const std::exception& error) {
                throw PlanFailure(clipFailureText(error));
            }
        }
        return copies;
    } catch (const PlanFailure&) {
        throw;
    } catch (const std::exception& error) {
        throw PlanFailure(jobFailureText(error));
    }
}

// The destinations that two copies of the job share: the second meets the
// first as a clash, so people and scripts see it before anything is copied.
std::set<boost::filesystem::path> sharedDestinations(const std::vector<PlannedCopy>& copies) {
    std::set<boost::filesystem::path> seen;
    std::set<boost::filesystem::path> shared;
    for (const PlannedCopy& copy : copies) {
        if (!seen.insert(copy.destination).second) {
            shared.insert(copy.destination);
        }
    }
    return shared;
}

void printPlan(const std::vector<PlannedCopy>& copies, bool json, std::ostream& out) {
    const std::set<boost::filesystem::path> shared = sharedDestinations(copies);
    if (!json) {
        for (const PlannedCopy& copy : copies) {
            std::string sources;
            for (const boost::filesystem::path& source : copy.sources) {
                sources += (sources.empty() ? "" : " + ") + printable(nativeText(source));
            }
            out << sources << " -> " << printable(nativeText(copy.destination))
                << (shared.count(copy.destination) != 0 ? "  [shared]" : "") << '\n';
        }
        return;
    }
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const PlannedCopy& copy : copies) {
        nlohmann::ordered_json entry = {{"source", nativeText(copy.sources.front())}};
        if (copy.sources.size() > 1) {
            nlohmann::ordered_json parts = nlohmann::ordered_json::array();
            for (const boost::filesystem::path& source : copy.sources) {
                parts.push_back(nativeText(source));
            }
            entry["parts"] = parts;
        }
        entry["destination"] = nativeText(copy.destination);
        entry["shared"] = shared.count(copy.destination) != 0;
        list.push_back(entry);
    }
    out << jsonText({{"copies", list}}) << '\n';
}

} // namespace

CLI::App* PlanCommand::define(CLI::App& app) {
    CLI::App* plan = app.add_subcommand(
        "plan", "Show where each clip of a card would be copied, checking every name, without "
                "copying anything.");
    addNamingOptions(*plan, naming_);
    plan->add_flag("--join", joinRecordings_,
                   "Plan the parts of a recording the camera split as one copy, named by its "
                   "first part");
    plan->add_flag("--json", json_,
                   "Print {\"copies\":[{\"source\":...,\"destination\":...,\"shared\":...}]}");
    return plan;
}

int PlanCommand::run(const CommandOutput& output) {
    if (!sourcePasses(naming_.source, output.err)) {
        return 1;
    }
    std::vector<PlannedCopy> copies;
    try {
        copies = planCopies(naming_, joinRecordings_);
    } catch (const std::exception& error) {
        output.err << printableMessage(error.what());
        return 1;
    }
    printPlan(copies, json_, output.out);
    return 0;
}

} // namespace tandrel
