#include "metadata/path_text.h"

#include <boost/filesystem/operations.hpp>

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

namespace tandrel {

boost::filesystem::path pathFromText(const std::string& text) {
    std::string generic = text;
    std::replace(generic.begin(), generic.end(), '\\', '/');
    return boost::filesystem::path(generic);
}

boost::filesystem::path appendText(const boost::filesystem::path& base, const std::string& text) {
    std::string joined = base.string();
    std::string tail = pathFromText(text).string();
    // A base ending in ":" is a bare drive ("D:"): Windows joins it without a
    // separator, and the name rules then reject the result as relative.
    const bool baseEndsInSeparator =
        !joined.empty() && (joined.back() == '/' || joined.back() == ':');
    const bool tailStartsWithSeparator = !tail.empty() && tail.front() == '/';
    if (!joined.empty() && !baseEndsInSeparator && !tailStartsWithSeparator) {
        joined += '/';
    }
    joined += tail;
    return boost::filesystem::path(joined);
}

boost::filesystem::path lexicallyNormal(const boost::filesystem::path& path) {
    const std::string text = path.generic_string();
    const bool rooted = !text.empty() && text.front() == '/';
    std::vector<std::string> components;
    std::string::size_type start = 0;
    while (start <= text.size()) {
        std::string::size_type end = text.find('/', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string component = text.substr(start, end - start);
        start = end + 1;
        if (component.empty() || component == ".") {
            continue;
        }
        if (component == ".." && !components.empty() && components.back() != "..") {
            components.pop_back();
        } else if (component != ".." || !rooted) {
            components.push_back(component);
        }
    }
    std::string normal = rooted ? "/" : "";
    for (const std::string& component : components) {
        if (!normal.empty() && normal.back() != '/') {
            normal += '/';
        }
        normal += component;
    }
    // A folder written with its separator ("C:\", "/media/") keeps it, so
    // joining a name to it still gives one separator.
    if (!normal.empty() && normal.back() != '/' && text.back() == '/') {
        normal += '/';
    }
    return boost::filesystem::path(normal);
}

char separatorOf(PathStyle style) {
    return style == PathStyle::Windows ? '\\' : '/';
}

std::string nativeText(const boost::filesystem::path& path, PathStyle style) {
    std::string text = path.string();
    std::replace(text.begin(), text.end(), '/', separatorOf(style));
    return text;
}

boost::filesystem::path absoluteFromStart(const boost::filesystem::path& path) {
    static const boost::filesystem::path initialDirectory = boost::filesystem::current_path();
    return boost::filesystem::absolute(path, initialDirectory);
}

std::string caseFolded(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool sameNameIgnoringCase(const std::string& left, const std::string& right) {
    return left.size() == right.size() && caseFolded(left) == caseFolded(right);
}

bool extensionMatches(const std::string& fileName, const std::string& extension) {
    const std::string::size_type dot = fileName.rfind('.');
    return dot != std::string::npos && sameNameIgnoringCase(fileName.substr(dot), extension);
}

namespace {

namespace fs = boost::filesystem;

std::optional<fs::path> findIgnoringCase(const fs::path& folder, const std::string& name) {
    std::optional<std::string> firstFolder;
    std::optional<std::string> firstAny;
    boost::system::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string entryName = entry->path().filename().string();
        if (!sameNameIgnoringCase(entryName, name)) {
            continue;
        }
        if (!firstAny || entryName < *firstAny) {
            firstAny = entryName;
        }
        boost::system::error_code statusError;
        if (fs::is_directory(entry->status(statusError)) &&
            (!firstFolder || entryName < *firstFolder)) {
            firstFolder = entryName;
        }
    }
    if (firstFolder) {
        return folder / *firstFolder;
    }
    if (firstAny) {
        return folder / *firstAny;
    }
    return std::nullopt;
}

} // namespace

bool isFolder(const boost::filesystem::path& path) {
    boost::system::error_code error;
    return fs::is_directory(path, error);
}

boost::filesystem::path followIgnoringCase(const boost::filesystem::path& folder,
                                           const std::string& relative) {
    fs::path result = folder;
    bool searching = true;
    for (const fs::path& component : fs::path(relative)) {
        const fs::path exact = result / component;
        if (searching && !isFolder(exact)) {
            const std::optional<fs::path> found = findIgnoringCase(result, component.string());
            if (found) {
                result = *found;
                continue;
            }
            // Below a missing folder nothing can be found.
            searching = false;
        }
        result = exact;
    }
    return result;
}

} // namespace tandrel
