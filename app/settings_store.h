#pragma once

#include "naming/name_mask.h"

#include <QString>

#include <functional>

class QSettings;

namespace tandrel {

// Names of the main dialog's values in the settings store: top-level keys of
// QSettings for the organisation "Brellix" and the application "Tandrel".
namespace SettingName {
inline constexpr const char* sourceFolder = "sourceFolder";
inline constexpr const char* targetFolder = "targetFolder";
inline constexpr const char* generateFolder = "generateFolder";
inline constexpr const char* renameFiles = "renameFiles";
inline constexpr const char* destinationFolderMask = "destinationFolderMask";
inline constexpr const char* renameFilesMask = "renameFilesMask";
} // namespace SettingName

// The user's video folder, else the documents folder, else empty.
QString defaultFolder();

// The stored text of `name`; `fallback` runs only when the value is missing.
QString storedText(const QSettings& settings, const char* name,
                   const std::function<QString()>& fallback);

// The stored number of `name`, or `fallback` when it is missing or is not a
// whole number.
int storedNumber(const QSettings& settings, const char* name, int fallback);

} // namespace tandrel
