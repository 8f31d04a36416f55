#include "common/file_version_info.h"
#include "common/language_id.h"
#include "tests/common/elf_image.h"
#include "tests/support/qstring_printer.h"
#include "tests/support/temp_dir.h"
#include "tools/version_block/version_block_writer.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <stdexcept>

namespace tandrel {

namespace {

// Reads with the user language of `locale`, restoring the default after.
class UserLanguage {
public:
    explicit UserLanguage(const char* locale) { QLocale::setDefault(QLocale(locale)); }
    ~UserLanguage() { QLocale::setDefault(QLocale::c()); }
    UserLanguage(const UserLanguage&) = delete;
    UserLanguage& operator=(const UserLanguage&) = delete;
};

VersionDescription::Table table(std::uint16_t language, std::uint16_t codePage,
                                const std::string& company) {
    return {language, codePage, {{"CompanyName", company}, {"ProductName", "Tandrel"}}};
}

// A file holding a version block with these tables (and 3.1.4.1).
std::string fileWith(const TempDir& dir, const std::string& name,
                     const std::vector<VersionDescription::Table>& tables,
                     std::uint64_t fileDate = 0) {
    VersionDescription d;
    d.productVersion = {3, 1, 4, 1};
    d.fileDate = fileDate;
    d.tables = tables;
    const std::string file = (dir / name).string();
    writeFile(file, elfImage(".tandrel_version", writeVersionBlock(d)));
    return file;
}

void expectReset(const CFileVersionInfo& info) {
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(info.GetFileVersion(i), 0);
        EXPECT_EQ(info.GetProductVersion(i), 0);
    }
    EXPECT_EQ(info.GetFileType(), 0u);
    EXPECT_EQ(info.GetFileFlagsMask(), 0u);
    EXPECT_TRUE(info.GetCompanyName().isEmpty());
    EXPECT_TRUE(info.GetLegalCopyright().isEmpty());
    EXPECT_TRUE(info.GetProductVersion().isEmpty());
}

} // namespace

TEST(FileVersionInfo, ReadsTheBlockTheBuildGaveAProgram) {
    UserLanguage user("en_US");
    CFileVersionInfo info;
    ASSERT_NE(info.Create(QStringLiteral(VERSION_PROBE)), 0);
    EXPECT_EQ(info.GetProductVersion(3), 2);
    EXPECT_EQ(info.GetProductVersion(2), 5);
    EXPECT_EQ(info.GetProductVersion(1), 0);
    EXPECT_EQ(info.GetProductVersion(0), 11);
    EXPECT_EQ(info.GetProductVersion(4), 0);
    EXPECT_EQ(info.GetProductVersion(-1), 0);
    EXPECT_EQ(info.GetFileVersion(0), 11);
    EXPECT_EQ(info.GetFileType(), 1u);

    // The only translation is 0x0800 / 0x04E4: found through the neutral
    // language, its texts come from \StringFileInfo\080004E4.
    EXPECT_EQ(info.GetCompanyName(), QStringLiteral("Brellix"));
    EXPECT_EQ(info.GetProductName(), QStringLiteral("Tandrel"));
    EXPECT_EQ(info.GetProductVersion(), QStringLiteral("2.5.0.11"));
    EXPECT_EQ(info.GetLegalCopyright(), QStringLiteral("© 2026 Brellix, 100% %s"));
    EXPECT_EQ(info.GetOriginalFileName(), QStringLiteral("version_probe"));
    EXPECT_EQ(info.GetInternalName(), QStringLiteral("version_probe"));
    EXPECT_TRUE(info.GetSpecialBuild().isEmpty());

    const CFileVersionInfo copy = info;
    EXPECT_EQ(copy.GetLegalCopyright(), info.GetLegalCopyright());
    EXPECT_EQ(copy.GetProductVersion(0), 11);
}

TEST(FileVersionInfo, CommonLibraryCarriesTheProjectVersion) {
    CFileVersionInfo info;
    ASSERT_NE(info.Create(QStringLiteral(COMMON_LIBRARY)), 0);
    EXPECT_EQ(QStringLiteral("%1.%2.%3.%4")
                  .arg(info.GetFileVersion(3))
                  .arg(info.GetFileVersion(2))
                  .arg(info.GetFileVersion(1))
                  .arg(info.GetFileVersion(0)),
              QStringLiteral(PROJECT_VERSION_TEXT));
    EXPECT_EQ(info.GetFileType(), 2u);
    EXPECT_EQ(info.GetCompanyName(), QStringLiteral("Brellix"));
}

TEST(FileVersionInfo, FilesWithoutABlockFailAndLeaveEverythingReset) {
    TempDir dir;
    writeFile(dir / "text", "not a program\n");
    writeFile(dir / "elf-header-only", std::string("\x7F"
                                                   "ELF\x02\x01\x01",
                                                   7));
    CFileVersionInfo info;
    ASSERT_NE(info.Create(QStringLiteral(VERSION_PROBE)), 0);
    EXPECT_EQ(info.Create(QStringLiteral(PROBE_WITHOUT_BLOCK)), 0);
    expectReset(info);
    EXPECT_EQ(info.Create(QString::fromStdString((dir / "text").string())), 0);
    EXPECT_EQ(info.Create(QString::fromStdString((dir / "elf-header-only").string())), 0);
    EXPECT_EQ(info.Create(QString::fromStdString((dir / "missing").string())), 0);
    EXPECT_EQ(info.Create(QString::fromStdString(dir.str())), 0);
    expectReset(info);
}

TEST(FileVersionInfo, ChoosesTheStringTableByTheUsersLanguage) {
    TempDir dir;
    const QString file = QString::fromStdString(
        fileWith(dir, "four",
                 {table(0x0407, 0x04B0, "de"), table(0x0809, 0x04B0, "en-GB"),
                  table(0x0409, 0x04E4, "en-US"), table(0x0000, 0x04B0, "neutral")}));
    const struct {
        const char* locale;
        const char* company;
    } cases[] = {
        {"en_US", "en-US"}, // exact
        {"en_AU", "en-GB"}, // first of the same primary language
        {"de_AT", "de"},
        {"ja_JP", "neutral"}, // no Japanese: the neutral table
    };
    for (const auto& c : cases) {
        UserLanguage user(c.locale);
        CFileVersionInfo info;
        ASSERT_NE(info.Create(file), 0);
        EXPECT_EQ(info.GetCompanyName(), QLatin1String(c.company)) << c.locale;
    }

    const QString noNeutral = QString::fromStdString(
        fileWith(dir, "no-neutral", {table(0x0407, 0x04B0, "de"), table(0x0809, 0x04B0, "en-GB")}));
    const QString neitherNorEnglish = QString::fromStdString(fileWith(
        dir, "french-italian", {table(0x040C, 0x04B0, "fr"), table(0x0410, 0x04B0, "it")}));
    UserLanguage user("ja_JP");
    CFileVersionInfo info;
    ASSERT_NE(info.Create(noNeutral), 0);
    EXPECT_EQ(info.GetCompanyName(), QStringLiteral("en-GB"));
    ASSERT_NE(info.Create(neitherNorEnglish), 0);
    EXPECT_EQ(info.GetCompanyName(), QStringLiteral("fr"));
}

TEST(FileVersionInfo, BlockWithoutTranslationsKeepsTheNumbersOnly) {
    TempDir dir;
    CFileVersionInfo info;
    ASSERT_NE(info.Create(QString::fromStdString(fileWith(dir, "empty", {}))), 0);
    EXPECT_EQ(info.GetProductVersion(3), 3);
    EXPECT_TRUE(info.GetCompanyName().isEmpty());
}

TEST(FileVersionInfo, ReadsEveryElfClassAndByteOrder) {
    VersionDescription d;
    d.productVersion = {7, 0, 0, 1};
    d.tables = {table(0x0409, 0x04B0, "Brellix")};
    TempDir dir;
    for (const bool wide : {false, true}) {
        for (const bool bigEndian : {false, true}) {
            writeFile(dir / "probe",
                      elfImage(".tandrel_version", writeVersionBlock(d), wide, bigEndian));
            CFileVersionInfo info;
            ASSERT_NE(info.Create(QString::fromStdString((dir / "probe").string())), 0)
                << wide << bigEndian;
            EXPECT_EQ(info.GetProductVersion(3), 7);
            EXPECT_EQ(info.GetCompanyName(), QStringLiteral("Brellix"));
        }
    }
    writeFile(dir / "other", elfImage(".tandrel_versions", writeVersionBlock(d)));
    CFileVersionInfo info;
    EXPECT_EQ(info.Create(QString::fromStdString((dir / "other").string())), 0);
}

TEST(FileVersionInfo, FileDateIsLocalTimeOrTheEpochBefore1900) {
    TempDir dir;
    // 2020-01-02 03:04:05 UTC in 100 ns steps from 1601; the tests run in UTC.
    const std::uint64_t date = (13'222'407'845ULL) * 10'000'000ULL;
    CFileVersionInfo info;
    ASSERT_NE(info.Create(QString::fromStdString(fileWith(dir, "dated", {}, date))), 0);
    EXPECT_EQ(info.GetFileDate().toUTC().toString(Qt::ISODate),
              QStringLiteral("2020-01-02T03:04:05Z"));

    ASSERT_NE(info.Create(QString::fromStdString(fileWith(dir, "dated", {}, 0))), 0);
    EXPECT_EQ(info.GetFileDate().toSecsSinceEpoch(), 0);

    ASSERT_NE(info.Create(QString::fromStdString(fileWith(dir, "dated", {}, ~0ULL))), 0);
    EXPECT_THROW(info.GetFileDate(), std::invalid_argument);
}

TEST(FileVersionInfo, DamagedFilesNeverReadOutsideThemselves) {
    const std::string probe = readFile(VERSION_PROBE);
    const std::string key("V\0S\0_\0V\0E\0R\0S\0I\0O\0N\0_\0I\0N\0F\0O\0", 30);
    const std::size_t block = probe.find(key);
    ASSERT_NE(block, std::string::npos);
    TempDir dir;
    const QString file = QString::fromStdString((dir / "damaged").string());

    // Cut anywhere: the section headers sit at the end, so nothing is found.
    for (std::size_t length = 0; length < probe.size(); length += 1 + length / 3) {
        writeFile(dir / "damaged", probe.substr(0, length));
        CFileVersionInfo info;
        EXPECT_EQ(info.Create(file), 0) << length;
    }

    // Every byte of the block's headers and of the ELF header changed in turn.
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < 64; ++i) {
        offsets.push_back(i);
    }
    for (std::size_t i = block - 6; i < block + 0x2C0 && i < probe.size(); i += 2) {
        offsets.push_back(i);
    }
    for (const std::size_t at : offsets) {
        for (const unsigned char value : {0x00, 0xFF}) {
            std::string damaged = probe;
            damaged[at] = static_cast<char>(value);
            writeFile(dir / "damaged", damaged);
            CFileVersionInfo info;
            info.Create(file);
            EXPECT_LE(info.GetCompanyName().size(), 0x8000) << at;
        }
    }
}

TEST(LanguageId, MapsLocalesToWindowsLanguageIds) {
    EXPECT_EQ(languageIdForLocale(QLocale("en_US")), 0x0409);
    EXPECT_EQ(languageIdForLocale(QLocale("en_GB")), 0x0809);
    EXPECT_EQ(languageIdForLocale(QLocale("de_AT")), 0x0C07);
    EXPECT_EQ(languageIdForLocale(QLocale("de_LU")), 0x0407);
    EXPECT_EQ(languageIdForLocale(QLocale("zh_TW")), 0x0404);
    EXPECT_EQ(languageIdForLocale(QLocale::c()), 0x0409);
    EXPECT_EQ(languageIdForLocale(QLocale("sw_KE")), 0x0000);
}

} // namespace tandrel
