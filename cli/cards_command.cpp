#include "cli/cards_command.h"

#include "cli/json_text.h"
#include "cli/terminal_text.h"
#include "metadata/mounted_cards.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <array>
#include <cstdio>
#include <vector>

namespace tandrel {

namespace {

// Sizes in decimal units with one decimal, as the copy's rate is shown.
std::string sizeText(std::uint64_t bytes) {
    constexpr std::array<const char*, 5> units{"kB", "MB", "GB", "TB", "PB"};
    if (bytes < 1000) {
        return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
    }
    double size = static_cast<double>(bytes) / 1000;
    std::size_t unit = 0;
    while (size >= 999.95 && unit + 1 < units.size()) {
        size /= 1000;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", size, units[unit]);
    return text;
}

// One line per card: mount point, label and file system, layout, clips, size.
void printText(const std::vector<MountedCard>& cards, std::ostream& out) {
    if (cards.empty()) {
        out << "No camera card is mounted.\n";
    }
    for (const MountedCard& card : cards) {
        const std::string label = card.label.empty() ? "no label" : printable(card.label);
        out << printable(card.mountPoint.string()) << ": " << label << " ("
            << printable(card.fileSystem) << "), " << card.layout.name << ", " << card.clipCount
            << (card.clipCount == 1 ? " clip, " : " clips, ") << sizeText(card.totalBytes) << '\n';
    }
}

void printJson(const std::vector<MountedCard>& cards, std::ostream& out) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const MountedCard& card : cards) {
        list.push_back({{"mountPoint", card.mountPoint.string()},
                        {"label", card.label},
                        {"fileSystem", card.fileSystem},
                        {"layout", card.layout.name},
                        {"clips", card.clipCount},
                        {"bytes", card.totalBytes}});
    }
    out << jsonText({{"cards", list}}) << '\n';
}

} // namespace

CLI::App* CardsCommand::define(CLI::App& app) {
    CLI::App* command = app.add_subcommand(
        "cards", "Lists the mounted volumes that hold a camera card: mount point, label, file "
                 "system, layout, clips and their size.");
    command->add_flag(
        "--json", json_,
        "Print {\"cards\":[{\"mountPoint\":...,\"label\":...,\"fileSystem\":...,\"layout\":...,"
        "\"clips\":...,\"bytes\":...}]}");
    return command;
}

int CardsCommand::run(const CommandOutput& output) {
    const std::vector<MountedCard> cards = findMountedCards();
    if (json_) {
        printJson(cards, output.out);
    } else {
        printText(cards, output.out);
    }
    return 0;
}

} // namespace tandrel
