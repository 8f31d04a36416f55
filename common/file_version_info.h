#pragma once

#include "common/common_export.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>

namespace tandrel {

// Reads the version block of a program or library file once and answers
// questions about it: the fixed record (file and product version, flags,
// type, date) and the twelve texts of the string table that best fits the
// user's language (the default QLocale).
class COMMON_EXPORT CFileVersionInfo {
public:
    CFileVersionInfo();
    CFileVersionInfo(const CFileVersionInfo&) = default;
    CFileVersionInfo& operator=(const CFileVersionInfo&) = default;
    virtual ~CFileVersionInfo();

    // The running program's own file.
    int Create();
    // Non-zero when `fileName` has a version block; otherwise everything
    // stays reset.
    int Create(const QString& fileName);

    // Index 3 is the major part, 2 the minor, 1 the build, 0 the revision;
    // any other index gives 0.
    quint16 GetFileVersion(int index) const;
    quint16 GetProductVersion(int index) const;
    quint32 GetFileFlagsMask() const;
    quint32 GetFileFlags() const;
    quint32 GetFileOs() const;
    quint32 GetFileType() const;
    quint32 GetFileSubtype() const;
    // The fixed file date in local time; the epoch when it lies before 1900.
    // Throws std::invalid_argument for a date beyond the file-time range.
    QDateTime GetFileDate() const;

    QString GetCompanyName() const { return strings_[CompanyName]; }
    QString GetFileDescription() const { return strings_[FileDescription]; }
    QString GetFileVersion() const { return strings_[FileVersion]; }
    QString GetInternalName() const { return strings_[InternalName]; }
    QString GetLegalCopyright() const { return strings_[LegalCopyright]; }
    QString GetOriginalFileName() const { return strings_[OriginalFileName]; }
    QString GetProductName() const { return strings_[ProductName]; }
    QString GetProductVersion() const { return strings_[ProductVersion]; }
    QString GetComments() const { return strings_[Comments]; }
    QString GetLegalTrademarks() const { return strings_[LegalTrademarks]; }
    QString GetPrivateBuild() const { return strings_[PrivateBuild]; }
    QString GetSpecialBuild() const { return strings_[SpecialBuild]; }

protected:
    virtual void Reset();

    // Looks through a translation table (entries of language id and code
    // page, four bytes each) for `language`: an exact match first, then,
    // with `primaryMatch`, one that agrees in the primary language (low
    // eight bits). `entry` gets the chosen entry's four bytes.
    static bool GetTranslationId(const char* table, qsizetype size, quint16 language,
                                 quint32& entry, bool primaryMatch);

private:
    enum Text {
        CompanyName,
        FileDescription,
        FileVersion,
        InternalName,
        LegalCopyright,
        OriginalFileName,
        ProductName,
        ProductVersion,
        Comments,
        LegalTrademarks,
        PrivateBuild,
        SpecialBuild,
        TextCount
    };

    // The fixed record's 13 fields as stored: signature, structure version,
    // file version (high, low), product version (high, low), flags mask,
    // flags, OS, type, subtype, date (high, low).
    std::array<quint32, 13> fixed_{};
    std::array<QString, TextCount> strings_;
};

} // namespace tandrel
