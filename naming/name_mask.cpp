#include "naming/name_mask.h"

#include "common/date_time.h"
#include "metadata/errors.h"
#include "naming/calendar.h"

#include <array>
#include <ctime>

namespace tandrel {

namespace {

struct Conversion {
    char letter;
    MaskField field;
};

// Letters are case-sensitive except for the pairs z/Z, f/F and e/E.
constexpr std::array<Conversion, 23> conversions{{
    {'a', MaskField::AbbreviatedWeekday},
    {'A', MaskField::FullWeekday},
    {'b', MaskField::AbbreviatedMonth},
    {'B', MaskField::FullMonth},
    {'d', MaskField::DayOfMonth},
    {'H', MaskField::Hour24},
    {'I', MaskField::Hour12},
    {'j', MaskField::DayOfYear},
    {'m', MaskField::MonthNumber},
    {'M', MaskField::Minute},
    {'p', MaskField::AmPm},
    {'S', MaskField::Second},
    {'U', MaskField::WeekOfYearSunday},
    {'w', MaskField::WeekdayNumber},
    {'W', MaskField::WeekOfYearMonday},
    {'y', MaskField::YearTwoDigits},
    {'Y', MaskField::YearFourDigits},
    {'z', MaskField::TimeZone},
    {'Z', MaskField::TimeZone},
    {'f', MaskField::StreamStem},
    {'F', MaskField::StreamStem},
    {'e', MaskField::StreamExtension},
    {'E', MaskField::StreamExtension},
}};

// The strftime conversion handed to dateTimeToString for fields 1 to 17, by
// field code.
constexpr std::array<const char*, 18> dateFormats{
    nullptr, "%a", "%A", "%b", "%B", "%d", "%H", "%I", "%j",
    "%m",    "%M", "%p", "%S", "%U", "%w", "%W", "%y", "%Y",
};

bool findField(char letter, MaskField& field) {
    for (const Conversion& conversion : conversions) {
        if (conversion.letter == letter) {
            field = conversion.field;
            return true;
        }
    }
    return false;
}

// The reader leaves the zone fields of a recording time empty, while the
// example time carries this system's; both take the system zone's offset at
// their own date, so the example line and the copies agree.
std::tm inSystemZone(const std::tm& time) {
    std::tm zoned = time;
    zoned.tm_isdst = -1;
    if (std::mktime(&zoned) == static_cast<std::time_t>(-1)) {
        zoned = time;
        zoned.tm_isdst = 0;
    }
    return zoned;
}

std::string streamFileName(const ClipRecord& clip) {
    return clip.streamFile.filename().string();
}

std::string streamStem(const ClipRecord& clip) {
    const std::string name = streamFileName(clip);
    return name.substr(0, name.rfind('.'));
}

std::string streamExtension(const ClipRecord& clip) {
    const std::string name = streamFileName(clip);
    const std::string::size_type dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

} // namespace

NameMask parseMask(const std::string& text) {
    NameMask mask;
    std::string::size_type position = 0;
    while (position < text.size()) {
        if (text[position] != '%') {
            const std::string::size_type next = text.find('%', position);
            const std::string::size_type end = next == std::string::npos ? text.size() : next;
            mask.push_back(
                MaskToken{MaskTokenKind::Literal, text.substr(position, end - position), {}});
            position = end;
            continue;
        }
        MaskField field{};
        const bool hasNext = position + 1 < text.size();
        if (hasNext && text[position + 1] == '%') {
            mask.push_back(MaskToken{MaskTokenKind::Literal, "%", {}});
            position += 2;
        } else if (hasNext && findField(text[position + 1], field)) {
            mask.push_back(MaskToken{MaskTokenKind::Field, std::string(), field});
            position += 2;
        } else {
            // An unknown conversion drops only its "%"; the character after it
            // is read again as ordinary text.
            position += 1;
        }
    }
    return mask;
}

std::string expandMask(const NameMask& mask, const ClipRecord& clip) {
    const std::tm time = withCalendarFields(clip.recordingTime);
    std::string result;
    for (const MaskToken& token : mask) {
        if (token.kind == MaskTokenKind::Literal) {
            result += token.text;
        } else if (token.kind != MaskTokenKind::Field) {
            throw GeneralException("Invalid token type.");
        } else if (token.field == MaskField::TimeZone) {
            result += dateTimeToString(inSystemZone(time), "%z");
        } else if (token.field >= MaskField::AbbreviatedWeekday &&
                   token.field < MaskField::TimeZone) {
            result += dateTimeToString(time, dateFormats[static_cast<std::size_t>(token.field)]);
        } else if (token.field == MaskField::StreamStem) {
            result += streamStem(clip);
        } else if (token.field == MaskField::StreamExtension) {
            result += streamExtension(clip);
        } else {
            throw GeneralException("Invalid parameter.");
        }
    }
    return result;
}

} // namespace tandrel
