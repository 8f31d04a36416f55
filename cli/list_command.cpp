#include "cli/list_command.h"

#include "cli/check_command.h"
#include "common/date_time.h"
#include "copy/card_source.h"
#include "metadata/card_layout.h"
#include "metadata/playlist_reader.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <exception>
#include <iostream>
#include <memory>

namespace {

std::string textListing(const PlaylistSet& playlists) {
    std::string text;
    for (const PlaylistRecord& playlist : playlists.playlists) {
        for (const ClipRecord& clip : playlist.clips) {
            text += clip.streamFile.string() + "  " +
                    dateTimeToString(clip.recordingTime, "%Y-%m-%d %H:%M:%S") + "\n";
        }
    }
    return text;
}

// The recording time as stored: out-of-range values are shown, not corrected.
nlohmann::ordered_json recordedJson(const std::tm& time) {
    return {{"year", time.tm_year + 1900}, {"month", time.tm_mon + 1}, {"day", time.tm_mday},
            {"hour", time.tm_hour},        {"minute", time.tm_min},    {"second", time.tm_sec}};
}

std::string jsonListing(const PlaylistSet& playlists) {
    nlohmann::ordered_json clips = nlohmann::ordered_json::array();
    for (std::size_t index = 0; index < playlists.playlists.size(); ++index) {
        for (const ClipRecord& clip : playlists.playlists[index].clips) {
            clips.push_back({{"playlist", index},
                             {"stream", clip.streamFile.string()},
                             {"recorded", recordedJson(clip.recordingTime)}});
        }
    }
    const nlohmann::ordered_json listing = {{"clips", clips}};
    // A card may name its streams in bytes that are not UTF-8; they show as
    // U+FFFD rather than making the listing fail.
    return listing.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

} // namespace

void addListCommand(CLI::App& app, CommandResult& result) {
    CLI::App* command = app.add_subcommand(
        "list", "Lists the clips of the card in SOURCE in copy order with their recording times.");
    auto source = std::make_shared<std::string>();
    auto json = std::make_shared<bool>(false);
    command->add_option("SOURCE", *source, "The card's root folder, or a copy of its tree.")
        ->required();
    command->add_flag("--json", *json, "Print one JSON object instead of lines.");
    command->callback([source, json, &result] {
        result.exitCode = runList(*source, *json, std::cout, std::cerr);
    });
}

int runList(const std::string& sourceText, bool json, std::ostream& out, std::ostream& err) {
    if (!sourcePasses(sourceText, err)) {
        return 1;
    }
    std::string listing;
    try {
        const CardSource card = locateCard(sourceText);
        PlaylistSet playlists;
        readPlaylists(card.playlistFolder, playlists, playlistExtension, {&card.tree, {}});
        listing = json ? jsonListing(playlists) : textListing(playlists);
    } catch (const std::exception& error) {
        // Every failure ends the command the same way: its message as it
        // stands, ended by a line break when it does not carry one.
        const std::string message = error.what();
        err << message;
        if (message.empty() || message.back() != '\n') {
            err << '\n';
        }
        return 1;
    }
    out << listing;
    return 0;
}
