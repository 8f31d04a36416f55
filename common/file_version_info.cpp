#include "common/file_version_info.h"

#include "common/elf_section.h"
#include "common/language_id.h"
#include "common/version_block.h"

#include <QLocale>
#include <QTimeZone>

#include <stdexcept>

namespace tandrel {

namespace {

// Where tandrel-version-block puts a binary's version block.
const char* const versionSection = ".tandrel_version";
// A version block's length is a 16-bit field; its section holds nothing more.
constexpr qint64 maxBlockSize = 0x10000;
constexpr qsizetype fixedRecordSize = 52;

const char* const textNames[] = {
    "CompanyName",    "FileDescription",  "FileVersion",  "InternalName",
    "LegalCopyright", "OriginalFileName", "ProductName",  "ProductVersion",
    "Comments",       "LegalTrademarks",  "PrivateBuild", "SpecialBuild",
};

enum Field {
    FileVersionHigh = 2,
    FileVersionLow,
    ProductVersionHigh,
    ProductVersionLow,
    FlagsMask,
    Flags,
    Os,
    Type,
    Subtype,
    DateHigh,
    DateLow
};

quint32 little32(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return quint32{b[0]} | (quint32{b[1]} << 8) | (quint32{b[2]} << 16) | (quint32{b[3]} << 24);
}

quint16 versionPart(quint32 high, quint32 low, int index) {
    switch (index) {
    case 0:
        return static_cast<quint16>(low & 0xFFFF);
    case 1:
        return static_cast<quint16>(low >> 16);
    case 2:
        return static_cast<quint16>(high & 0xFFFF);
    case 3:
        return static_cast<quint16>(high >> 16);
    default:
        return 0;
    }
}

} // namespace

CFileVersionInfo::CFileVersionInfo() = default;

CFileVersionInfo::~CFileVersionInfo() = default;

void CFileVersionInfo::Reset() {
    fixed_.fill(0);
    for (QString& text : strings_) {
        text.clear();
    }
}

int CFileVersionInfo::Create() {
    return Create(QStringLiteral("/proc/self/exe"));
}

int CFileVersionInfo::Create(const QString& fileName) {
    Reset();
    const std::optional<QByteArray> bytes = readElfSection(fileName, versionSection, maxBlockSize);
    if (!bytes) {
        return 0;
    }
    const VersionBlock block(*bytes);

    const std::optional<QByteArray> fixed = block.value(QStringLiteral("\\"));
    if (fixed && fixed->size() == fixedRecordSize) {
        for (std::size_t i = 0; i < fixed_.size(); ++i) {
            fixed_[i] = little32(fixed->constData() + 4 * i);
        }
    }

    const std::optional<QByteArray> translations =
        block.value(QStringLiteral("\\VarFileInfo\\Translation"));
    if (!translations || translations->size() < 4) {
        return 1;
    }
    const char* table = translations->constData();
    const qsizetype size = translations->size();
    const quint16 userLanguage = languageIdForLocale(QLocale());
    quint32 entry = 0;
    if (!GetTranslationId(table, size, userLanguage, entry, false) &&
        !GetTranslationId(table, size, userLanguage, entry, true) &&
        !GetTranslationId(table, size, 0, entry, true) &&
        !GetTranslationId(table, size, 9, entry, true)) {
        entry = little32(table);
    }
    const QString prefix = QStringLiteral("\\StringFileInfo\\%1%2\\")
                               .arg(entry & 0xFFFF, 4, 16, QLatin1Char('0'))
                               .arg(entry >> 16, 4, 16, QLatin1Char('0'))
                               .toUpper();
    for (int i = 0; i < TextCount; ++i) {
        const std::optional<QString> text = block.text(prefix + QLatin1String(textNames[i]));
        if (text) {
            strings_[i] = *text;
        }
    }
    return 1;
}

bool CFileVersionInfo::GetTranslationId(const char* table, qsizetype size, quint16 language,
                                        quint32& entry, bool primaryMatch) {
    for (qsizetype at = 0; at + 4 <= size; at += 4) {
        if ((little32(table + at) & 0xFFFF) == language) {
            entry = little32(table + at);
            return true;
        }
    }
    if (!primaryMatch) {
        return false;
    }
    for (qsizetype at = 0; at + 4 <= size; at += 4) {
        if ((little32(table + at) & 0xFF) == (language & 0xFF)) {
            entry = little32(table + at);
            return true;
        }
    }
    return false;
}

quint16 CFileVersionInfo::GetFileVersion(int index) const {
    return versionPart(fixed_[FileVersionHigh], fixed_[FileVersionLow], index);
}

quint16 CFileVersionInfo::GetProductVersion(int index) const {
    return versionPart(fixed_[ProductVersionHigh], fixed_[ProductVersionLow], index);
}

quint32 CFileVersionInfo::GetFileFlagsMask() const {
    return fixed_[FlagsMask];
}

quint32 CFileVersionInfo::GetFileFlags() const {
    return fixed_[Flags];
}

quint32 CFileVersionInfo::GetFileOs() const {
    return fixed_[Os];
}

quint32 CFileVersionInfo::GetFileType() const {
    return fixed_[Type];
}

quint32 CFileVersionInfo::GetFileSubtype() const {
    return fixed_[Subtype];
}

QDateTime CFileVersionInfo::GetFileDate() const {
    // File times count 100-nanosecond steps from 1601-01-01 UTC.
    constexpr quint64 ticksPerSecond = 10'000'000;
    constexpr qint64 secondsFrom1601To1970 = 11'644'473'600;
    constexpr qint64 secondsFrom1601To1900 = 9'435'484'800;
    const quint64 fileTime = (quint64{fixed_[DateHigh]} << 32) | fixed_[DateLow];
    if (fileTime >= (quint64{1} << 63)) {
        throw std::invalid_argument("Invalid file date.");
    }
    const auto seconds = static_cast<qint64>(fileTime / ticksPerSecond);
    const QDateTime zero = QDateTime::fromSecsSinceEpoch(0, QTimeZone::systemTimeZone());
    if (seconds < secondsFrom1601To1900) {
        return zero;
    }
    return zero.addSecs(seconds - secondsFrom1601To1970);
}

} // namespace tandrel
