#include "copy/same_content.h"

#include "copy/keep_both_name.h"
#include "metadata/file_descriptor.h"

#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = boost::filesystem;

namespace {

constexpr std::size_t blockSize = 1024 * 1024;

bool sameBytes(const SourceFile& source, const fs::path& other) {
    const FileDescriptor fd(::open(other.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (!fd.isOpen() || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        static_cast<std::uint64_t>(status.st_size) != source.size()) {
        return false;
    }
    std::vector<char> ours(blockSize);
    std::vector<char> theirs(blockSize);
    for (std::uint64_t offset = 0; offset < source.size();) {
        const ssize_t got =
            ::pread(source.fd(), ours.data(), blockSize, static_cast<off_t>(offset));
        if (got <= 0) {
            return false;
        }
        const auto length = static_cast<std::size_t>(got);
        for (std::size_t have = 0; have < length;) {
            const ssize_t part = ::pread(fd.get(), theirs.data() + have, length - have,
                                         static_cast<off_t>(offset + have));
            if (part <= 0) {
                return false;
            }
            have += static_cast<std::size_t>(part);
        }
        if (std::memcmp(ours.data(), theirs.data(), length) != 0) {
            return false;
        }
        offset += length;
    }
    return true;
}

} // namespace

std::optional<fs::path> findSameContent(const SourceFile& source, const fs::path& destination) {
    for (fs::path candidate = destination; nameTaken(candidate);
         candidate = nextKeepBothName(candidate)) {
        if (sameBytes(source, candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}
