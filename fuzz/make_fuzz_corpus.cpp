// Writes the seed corpus of fuzz_playlist_reader: playlists of the usual
// layout and variants near each rule the reader checks.
// Usage: make_fuzz_corpus FOLDER
#include "tests/support/card_writer.h"

#include <boost/filesystem/operations.hpp>

#include <exception>
#include <fstream>
#include <iostream>
#include <vector>

using namespace tandrel;

namespace fs = boost::filesystem;

namespace {

std::vector<CardPlaylist> seeds() {
    std::vector<CardPlaylist> result;
    for (int clips : {0, 1, 2, 3}) {
        result.push_back(simpleCard(1, clips).playlists.front());
    }
    CardPlaylist usual = simpleCard(1, 2).playlists.front();

    CardPlaylist tails = usual;
    tails.clips[0].entryTail = std::string("\xFF\x00\xFF\xFF\x00", 5);
    tails.clips[1].entryText = "";
    result.push_back(tails);

    CardPlaylist open = usual;
    open.clips[1].omitEntryMarker = true;
    result.push_back(open);

    CardPlaylist reference = usual;
    reference.clips[1].markReference = 7;
    result.push_back(reference);

    CardPlaylist numbers = usual;
    numbers.clips[0].entryNumber = 1;
    result.push_back(numbers);

    CardPlaylist names = usual;
    names.clips[0].clipName = "../ab";
    names.clips[1].clipName = "";
    result.push_back(names);

    CardPlaylist dates = usual;
    dates.clips[0].recorded = {0x00, 0x00, 0x00, 0x1A, 0x99, 0x60, 0x0F};
    dates.recorded = {0x20, 0xA6, 0x12, 0x31, 0x23, 0x59, 0x59};
    result.push_back(dates);

    CardPlaylist cut = usual;
    cut.truncateAt = 300;
    result.push_back(cut);
    return result;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_fuzz_corpus FOLDER\n";
        return 2;
    }
    try {
        const fs::path folder(argv[1]);
        fs::create_directories(folder);
        int number = 0;
        for (const CardPlaylist& playlist : seeds()) {
            const std::string bytes = playlistBytes(playlist);
            std::ofstream out((folder / ("seed-" + std::to_string(number++))).string(),
                              std::ios::binary | std::ios::trunc);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            if (!out) {
                std::cerr << "cannot write the corpus into " << folder.string() << '\n';
                return 1;
            }
        }
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
