#pragma once

#include "metadata/playlist_reader.h"

#include <boost/filesystem/path.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace tandrel {

// The masks a new user starts with: a folder per recording day, each copy
// named after its recording time.
inline constexpr const char* defaultFolderMask = "%Y_%m_%d";
inline constexpr const char* defaultFileMask = "%H_%M_%S";

enum class MaskTokenKind : std::int32_t { Literal = 1, Field = 2 };

// The conversion a Field token stands for; the README lists the mask
// language. 1 to 18 are date and time conversions, 19 and 20 the stream file's
// stem and extension.
enum class MaskField : std::int32_t {
    AbbreviatedWeekday = 1,
    FullWeekday = 2,
    AbbreviatedMonth = 3,
    FullMonth = 4,
    DayOfMonth = 5,
    Hour24 = 6,
    Hour12 = 7,
    DayOfYear = 8,
    MonthNumber = 9,
    Minute = 10,
    AmPm = 11,
    Second = 12,
    WeekOfYearSunday = 13,
    WeekdayNumber = 14,
    WeekOfYearMonday = 15,
    YearTwoDigits = 16,
    YearFourDigits = 17,
    TimeZone = 18,
    StreamStem = 19,
    StreamExtension = 20,
};

struct MaskToken {
    MaskTokenKind kind = MaskTokenKind::Literal;
    std::string text;
    // 0 for a Literal token.
    MaskField field{};
};

using NameMask = std::vector<MaskToken>;

// Never fails: an unknown conversion or a trailing "%" loses its "%" and the
// rest is read as text.
NameMask parseMask(const std::string& text);
// Throws GeneralException for a token parseMask cannot make, and passes on the
// std::runtime_error of dateTimeToString.
std::string expandMask(const NameMask& mask, const ClipRecord& clip);

// target (lexically normalised), then the expanded folder mask (when switched
// on and not empty), then the expanded file mask + ".m2ts" (when switched on)
// or the stream file's own name.
boost::filesystem::path buildDestinationPath(const std::string& targetText, bool generateFolder,
                                             const NameMask& folderMask, bool renameFiles,
                                             const NameMask& fileMask, const ClipRecord& clip);

} // namespace tandrel
