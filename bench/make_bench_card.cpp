// Writes a card for the benchmarks:
//   tandrel_make_bench_card ROOT PLAYLISTS CLIPS_PER_PLAYLIST STREAM_BYTES
#include "tests/support/card_writer.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

using namespace tandrel;

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s ROOT PLAYLISTS CLIPS_PER_PLAYLIST STREAM_BYTES\n", argv[0]);
        return 2;
    }
    try {
        const int playlists = std::atoi(argv[2]);
        const int clips = std::atoi(argv[3]);
        const unsigned long long streamBytes = std::strtoull(argv[4], nullptr, 10);
        writeCard(argv[1], simpleCard(playlists, clips, streamBytes));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
