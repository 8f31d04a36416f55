#include "common/date_time.h"

#include <cstring>
#include <iterator>
#include <locale>
#include <sstream>
#include <stdexcept>

namespace tandrel {

std::ostream& formatDateTime(std::ostream& stream, const std::tm& time, const char* format) {
    const auto& facet = std::use_facet<std::time_put<char>>(stream.getloc());
    const std::ostreambuf_iterator<char> out(stream);
    const auto end = facet.put(out, stream, ' ', &time, format, format + std::strlen(format));
    if (end.failed()) {
        throw std::runtime_error("Error: failed to format date time.");
    }
    return stream;
}

std::string dateTimeToString(const std::tm& time, const char* format) {
    std::stringstream stream(std::ios::in | std::ios::out);
    formatDateTime(stream, time, format);
    return stream.str();
}

std::tm timeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

} // namespace tandrel
