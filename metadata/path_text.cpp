#include "metadata/path_text.h"

#include <algorithm>
#include <vector>

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
