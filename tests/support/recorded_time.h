#pragma once

#include <ctime>

namespace tandrel {

// A recording time as the playlist reader leaves it: day of week and day of
// year at 0.
inline std::tm recordedAt(int year, int month, int day, int hour, int minute, int second) {
    std::tm time{};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    return time;
}

} // namespace tandrel
