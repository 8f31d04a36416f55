#pragma once

#include <ctime>

namespace tandrel {

// `time` with its day of week and day of year set from its year, month and
// day (Gregorian calendar); every other field is left as it is. The playlist
// reader leaves those two fields at 0, and the weekday and week conversions of
// the masks read them. A month or day out of its range rolls over into the
// next month or year, as mktime would count it, so a crafted card still gets
// fields inside their ranges.
std::tm withCalendarFields(const std::tm& time);

} // namespace tandrel
