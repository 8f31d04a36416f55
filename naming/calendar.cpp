#include "naming/calendar.h"

#include <cstdint>

namespace tandrel {

namespace {

std::int64_t floorDivide(std::int64_t value, std::int64_t divisor) {
    const std::int64_t quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

std::int64_t floorModulo(std::int64_t value, std::int64_t divisor) {
    return value - floorDivide(value, divisor) * divisor;
}

// Days from 1970-01-01 to the first of `month` (0 to 11) of `year`, proleptic
// Gregorian calendar. Counting years from March puts the leap day at the end.
std::int64_t daysToMonthStart(std::int64_t year, std::int64_t month) {
    const std::int64_t marchYear = month < 2 ? year - 1 : year;
    const std::int64_t era = floorDivide(marchYear, 400);
    const std::int64_t yearOfEra = marchYear - era * 400;
    const std::int64_t monthFromMarch = month < 2 ? month + 10 : month - 2;
    const std::int64_t dayOfYear = (153 * monthFromMarch + 2) / 5;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// The calendar year that holds the day `days` after 1970-01-01.
std::int64_t yearOfDay(std::int64_t days) {
    const std::int64_t shifted = days + 719468;
    const std::int64_t era = floorDivide(shifted, 146097);
    const std::int64_t dayOfEra = shifted - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayFromMarch =
        dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayFromMarch + 2) / 153;
    // Months from March: 10 and 11 are January and February of the next year.
    return yearOfEra + era * 400 + (monthFromMarch >= 10 ? 1 : 0);
}

} // namespace

std::tm withCalendarFields(const std::tm& time) {
    const std::int64_t year = std::int64_t{time.tm_year} + 1900 + floorDivide(time.tm_mon, 12);
    const std::int64_t month = floorModulo(time.tm_mon, 12);
    const std::int64_t days = daysToMonthStart(year, month) + std::int64_t{time.tm_mday} - 1;

    std::tm completed = time;
    // 1970-01-01 was a Thursday (weekday 4).
    completed.tm_wday = static_cast<int>(floorModulo(days + 4, 7));
    completed.tm_yday = static_cast<int>(days - daysToMonthStart(yearOfDay(days), 0));
    return completed;
}

} // namespace tandrel
