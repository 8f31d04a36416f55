#include "metadata/path_text.h"

#include <algorithm>

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
