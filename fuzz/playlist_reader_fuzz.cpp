// Feeds each input to the playlist reader as the only playlist of a folder.
// Every input must end in a result or a MetaDataException; anything else
// escapes and libFuzzer reports it as a crash.
#include "metadata/errors.h"
#include "metadata/playlist_reader.h"

#include <boost/filesystem/operations.hpp>

#include <cstddef>
#include <cstdint>
#include <fstream>

using namespace tandrel;

namespace fs = boost::filesystem;

namespace {

// Every input is written to a file, so the folder lives in memory where the
// system offers a memory file system.
fs::path scratchRoot() {
    boost::system::error_code error;
    return fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
}

class FuzzFolder {
public:
    FuzzFolder() : path_(scratchRoot() / fs::unique_path("tandrel-fuzz-%%%%-%%%%")) {
        fs::create_directories(path_);
    }
    ~FuzzFolder() {
        boost::system::error_code ignored; // leftovers in the temporary folder are harmless
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// A stream name that could lead out of the stream folder is a reader fault.
void checkClips(const PlaylistSet& result) {
    for (const PlaylistRecord& playlist : result.playlists) {
        if (playlist.clips.size() != playlist.clipCount) {
            __builtin_trap();
        }
        for (const ClipRecord& clip : playlist.clips) {
            const std::string name = clip.streamFile.string();
            if (name.find_first_of("/\\") != std::string::npos || name == "." || name == "..") {
                __builtin_trap();
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const FuzzFolder folder;
    {
        std::ofstream out((folder.path() / "00000.MPLS").string(),
                          std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    PlaylistSet result;
    try {
        readPlaylists(folder.path(), result, ".MPLS");
    } catch (const MetaDataException&) {
        // The reader's answer to a file that does not fit the layout.
        return 0;
    }
    checkClips(result);
    return 0;
}
