#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tandrel {

// The bytes of the section called `name` in the ELF file `fileName` (32 or
// 64 bit, either byte order). Nothing when the file cannot be read, is not
// ELF, has no such section (or only an empty or unstored one), or is
// truncated or inconsistent where the search needs it. Sections above
// `maxSize` bytes are refused, so a crafted file cannot make us read
// unbounded amounts.
std::optional<QByteArray> readElfSection(const QString& fileName, const char* name, qint64 maxSize);

} // namespace tandrel
