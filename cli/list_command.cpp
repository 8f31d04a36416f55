#include "cli/list_command.h"

#include "cli/check_command.h"
#include "cli/json_text.h"
#include "cli/terminal_text.h"
#include "common/date_time.h"
#include "copy/card_source.h"
#include "metadata/card_layout.h"
#include "metadata/playlist_reader.h"
#include "metadata/recordings.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace tandrel {

namespace {

// The clip's stream file as the card names it (an 8.3 camera card says
// 00001.MTS where the playlist says 00001.M2TS), or the playlist's name when
// the card has no such file.
std::string streamName(const CardSource& card, const ClipRecord& clip) {
    const std::string playlistName = clip.streamFile.filename().string();
    const std::optional<boost::filesystem::path> onCard = card.streams.find(playlistName);
    return onCard ? onCard->filename().string() : playlistName;
}

// Where a clip stands among the card's recordings.
struct ClipPlace {
    std::size_t playlist = 0;
    std::size_t recording = 0; // the index of the recording's first clip
    std::size_t part = 1;
    std::size_t parts = 1;
};

// Every clip in copy order with its place; a recording the camera split has
// several parts.
std::vector<std::pair<const ClipRecord*, ClipPlace>> clipsOf(const PlaylistSet& playlists) {
    std::map<const ClipRecord*, std::size_t> playlistOf;
    for (std::size_t index = 0; index < playlists.playlists.size(); ++index) {
        for (const ClipRecord& clip : playlists.playlists[index].clips) {
            playlistOf[&clip] = index;
        }
    }
    std::vector<std::pair<const ClipRecord*, ClipPlace>> clips;
    for (const Recording& recording : recordingsOf(playlists)) {
        for (std::size_t part = 0; part < recording.parts.size(); ++part) {
            const ClipRecord* clip = recording.parts[part];
            clips.push_back(
                {clip, {playlistOf[clip], recording.firstClip, part + 1, recording.parts.size()}});
        }
    }
    return clips;
}

std::string textListing(const CardSource& card, const PlaylistSet& playlists) {
    std::string text;
    for (const auto& [clip, place] : clipsOf(playlists)) {
        text += printable(streamName(card, *clip)) + "  " +
                dateTimeToString(clip->recordingTime, "%Y-%m-%d %H:%M:%S");
        if (place.parts > 1) {
            text += "  part " + std::to_string(place.part) + " of " + std::to_string(place.parts) +
                    " of recording " + std::to_string(place.recording);
        }
        text += "\n";
    }
    return text;
}

// The recording time as stored: out-of-range values are shown, not corrected.
nlohmann::ordered_json recordedJson(const std::tm& time) {
    return {{"year", time.tm_year + 1900}, {"month", time.tm_mon + 1}, {"day", time.tm_mday},
            {"hour", time.tm_hour},        {"minute", time.tm_min},    {"second", time.tm_sec}};
}

std::string jsonListing(const CardSource& card, const PlaylistSet& playlists) {
    nlohmann::ordered_json clips = nlohmann::ordered_json::array();
    for (const auto& [clip, place] : clipsOf(playlists)) {
        clips.push_back({{"playlist", place.playlist},
                         {"stream", streamName(card, *clip)},
                         {"recorded", recordedJson(clip->recordingTime)},
                         {"recording", place.recording},
                         {"part", place.part}});
    }
    const nlohmann::ordered_json listing = {{"layout", card.layout.name}, {"clips", clips}};
    return jsonText(listing) + "\n";
}

} // namespace

CLI::App* ListCommand::define(CLI::App& app) {
    CLI::App* command = app.add_subcommand(
        "list", "Lists the clips of the card in SOURCE in copy order with their recording times.");
    command->add_option("SOURCE", source_, "The card's root folder, or a copy of its tree.")
        ->required();
    command->add_flag("--json", json_, "Print one JSON object instead of lines.");
    return command;
}

int ListCommand::run(const CommandOutput& output) {
    if (!sourcePasses(source_, output.err)) {
        return 1;
    }
    std::string listing;
    try {
        const CardSource card = locateCard(source_);
        const PlaylistSet playlists = readCardPlaylists(card);
        listing = json_ ? jsonListing(card, playlists) : textListing(card, playlists);
    } catch (const std::exception& error) {
        // Every failure ends the command the same way: its message as it
        // stands.
        output.err << printableMessage(error.what());
        return 1;
    }
    output.out << listing;
    return 0;
}

} // namespace tandrel
