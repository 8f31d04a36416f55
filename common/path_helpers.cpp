#include "common/path_helpers.h"

#include <unistd.h>

#include <vector>

namespace tandrel {

std::string getExecutableFileName() {
    // readlink does not say whether it had to cut the path, so the buffer
    // grows until the link fits with room to spare.
    std::vector<char> buffer(512);
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) {
            return {};
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            return {buffer.data(), static_cast<std::size_t>(length)};
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string getModuleFileName() {
    return getExecutableFileName();
}

std::string getPath(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/");
    if (separator == std::string::npos) {
        return {};
    }
    return path.substr(0, separator);
}

} // namespace tandrel
