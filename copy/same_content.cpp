#include "copy/same_content.h"

#include "copy/keep_both_name.h"
#include "metadata/file_descriptor.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tandrel {

namespace fs = boost::filesystem;

namespace {

constexpr std::size_t blockSize = 1024 * 1024;

// True when `fd` holds all `count` bytes at `offset`, read into `buffer`.
bool readWhole(int fd, char* buffer, std::size_t count, std::uint64_t offset) {
    return readFullyAt(fd, buffer, count, offset) == static_cast<ssize_t>(count);
}

bool sameBytes(const ClipSource& source, const fs::path& other) {
    const FileDescriptor fd(::open(other.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (!fd.isOpen() || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        static_cast<std::uint64_t>(status.st_size) != source.size()) {
        return false;
    }
    std::vector<char> ours(blockSize);
    std::vector<char> theirs(blockSize);
    std::uint64_t otherOffset = 0;
    for (const SourceFile& part : source.parts()) {
        for (std::uint64_t offset = 0; offset < part.size();) {
            const auto length =
                static_cast<std::size_t>(std::min<std::uint64_t>(blockSize, part.size() - offset));
            if (!readWhole(part.fd(), ours.data(), length, offset) ||
                !readWhole(fd.get(), theirs.data(), length, otherOffset) ||
                std::memcmp(ours.data(), theirs.data(), length) != 0) {
                return false;
            }
            offset += length;
            otherOffset += length;
        }
    }
    return true;
}

} // namespace

std::optional<fs::path> findSameContent(const ClipSource& source, const fs::path& destination) {
    for (fs::path candidate = destination; nameTaken(candidate);
         candidate = nextKeepBothName(candidate)) {
        if (sameBytes(source, candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

} // namespace tandrel
