#include "metadata/card_tree.h"

#include <boost/filesystem/exception.hpp>
#include <boost/filesystem/operations.hpp>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <string>

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace tandrel {

namespace fs = boost::filesystem;

namespace {

std::atomic<bool> openat2Missing{false};

// The path below the root that `path` names, or nothing when it names a
// place outside.
bool relativeToRoot(const fs::path& root, const fs::path& path, fs::path& relative) {
    if (!path.is_absolute()) {
        relative = path;
        return true;
    }
    relative = path.lexically_relative(root);
    if (relative.empty() || *relative.begin() == "..") {
        return false;
    }
    return true;
}

// "/media/card/" and "/media/card" are one root; paths below it are taken
// relative to the second form.
fs::path withoutTrailingSeparator(const fs::path& path) {
    const std::string& text = path.string();
    return text.size() > 1 && text.back() == '/' ? fs::path(text.substr(0, text.size() - 1)) : path;
}

std::string resolved(const fs::path& path) {
    const std::unique_ptr<char, decltype(&std::free)> text(::realpath(path.c_str(), nullptr),
                                                           &std::free);
    return text ? std::string(text.get()) : std::string();
}

} // namespace

CardTree::CardTree(const fs::path& root)
    : root_(withoutTrailingSeparator(root)),
      rootDescriptor_(::open(root.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)) {
    if (!rootDescriptor_.isOpen()) {
        throw fs::filesystem_error(
            "tandrel: open card folder", root,
            boost::system::error_code(errno, boost::system::system_category()));
    }
}

FileDescriptor CardTree::open(const fs::path& path, int flags) const {
    fs::path relative;
    if (!relativeToRoot(root_, path, relative)) {
        errno = EXDEV;
        return FileDescriptor();
    }
    if (relative == ".") {
        relative.clear();
    }
    if (!openat2Missing.load(std::memory_order_relaxed)) {
        open_how how{};
        how.flags = static_cast<std::uint64_t>(flags | O_CLOEXEC);
        how.resolve = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
        const std::string name = relative.empty() ? std::string(".") : relative.string();
        const long fd =
            ::syscall(SYS_openat2, rootDescriptor_.get(), name.c_str(), &how, sizeof how);
        if (fd >= 0 || errno != ENOSYS) {
            return FileDescriptor(static_cast<int>(fd));
        }
        openat2Missing.store(true, std::memory_order_relaxed);
    }
    return openByResolvedPath(root_, relative, flags);
}

FileDescriptor openByResolvedPath(const fs::path& root, const fs::path& relative, int flags) {
    const std::string resolvedRoot = resolved(root);
    const std::string resolvedPath = resolved(relative.empty() ? root : root / relative);
    if (resolvedRoot.empty() || resolvedPath.empty()) {
        return FileDescriptor();
    }
    const bool inside = resolvedPath == resolvedRoot ||
                        (resolvedPath.size() > resolvedRoot.size() &&
                         resolvedPath.compare(0, resolvedRoot.size(), resolvedRoot) == 0 &&
                         (resolvedRoot.back() == '/' || resolvedPath[resolvedRoot.size()] == '/'));
    if (!inside) {
        errno = EXDEV;
        return FileDescriptor();
    }
    return FileDescriptor(::open(resolvedPath.c_str(), flags | O_CLOEXEC | O_NOFOLLOW));
}

} // namespace tandrel
