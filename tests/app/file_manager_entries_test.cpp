#include "app/file_manager_entries.h"
#include "metadata/errors.h"
#include "tests/support/qstring_printer.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace tandrel {

namespace {

QString text(const boost::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// A stand-in program that writes each argument it gets on a line of `log`.
QString fakeProgram(const TempDir& dir, const std::string& name, const QString& log) {
    const auto path = dir / name;
    writeFile(path, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" +
                        log.toStdString() + "'\n");
    QFile::setPermissions(text(path), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return text(path);
}

std::string failureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const RegistryException& e) {
        return e.what();
    }
    return "no failure";
}

} // namespace

TEST(FileManagerEntries, WriteMakesBothPresentAndRemoveTakesThemAway) {
    TempDir dir;
    const FileManagerEntries entries(text(dir / "data"), QStringLiteral("/opt/tandrel/tandrel"));
    EXPECT_EQ(entries.serviceMenuPath(), text(dir / "data/kio/servicemenus/tandrel.desktop"));
    EXPECT_EQ(entries.scriptPath(), text(dir / "data/nautilus/scripts/Tandrel"));
    EXPECT_FALSE(entries.present());

    entries.write();
    EXPECT_TRUE(entries.present());
    entries.write();
    EXPECT_TRUE(entries.present());
    EXPECT_EQ(QDir(text(dir / "data/kio/servicemenus")).entryList(QDir::Files).size(), 1);

    entries.remove();
    EXPECT_FALSE(entries.present());
    EXPECT_FALSE(QFile::exists(entries.serviceMenuPath()));
    EXPECT_FALSE(QFile::exists(entries.scriptPath()));
    EXPECT_NO_THROW(entries.remove());
}

TEST(FileManagerEntries, PresentNeedsBothAsExecutableFiles) {
    TempDir dir;
    const FileManagerEntries entries(text(dir / "data"), QStringLiteral("/opt/tandrel/tandrel"));
    entries.write();
    QFile::remove(entries.scriptPath());
    EXPECT_FALSE(entries.present());

    entries.write();
    QFile::setPermissions(entries.serviceMenuPath(), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_FALSE(entries.present());
}

TEST(FileManagerEntries, ServiceMenuValidatesAndQuotesTheProgram) {
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty()) {
        GTEST_SKIP() << "desktop-file-validate is not installed";
    }
    TempDir dir;
    const FileManagerEntries entries(text(dir / "data"),
                                     QStringLiteral("/opt/my \"tools\"/$HOME\\100%/tandrel"));
    entries.write();
    const QString desktop =
        QString::fromStdString(readFile(entries.serviceMenuPath().toStdString()));
    EXPECT_TRUE(desktop.contains(
        QStringLiteral("\nExec=\"/opt/my \\\\\"tools\\\\\"/\\\\$HOME\\\\\\\\100%%/tandrel\" %f\n")))
        << desktop.toStdString();

    QProcess validate;
    validate.start(validator, {entries.serviceMenuPath()});
    ASSERT_TRUE(validate.waitForFinished());
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAll().toStdString();
}

TEST(FileManagerEntries, ScriptStartsTheProgramWithTheChosenFolder) {
    TempDir dir;
    const QString log = text(dir / "arguments");
    const QString program = fakeProgram(dir, "it's a \"$program\"", log);
    const FileManagerEntries entries(text(dir / "data"), program);
    entries.write();
    writeFile(dir / "videos/-2024 trip/x", "");

    const struct {
        QStringList arguments;
        std::string expected;
    } cases[] = {
        {{text(dir / "videos/-2024 trip")}, (dir / "videos/-2024 trip").string()},
        {{QStringLiteral("-2024 trip")}, (dir / "videos/-2024 trip").string()},
        {{}, (dir / "videos").string()},
    };
    for (const auto& c : cases) {
        QProcess script;
        script.setWorkingDirectory(text(dir / "videos"));
        script.start(entries.scriptPath(), c.arguments);
        ASSERT_TRUE(script.waitForFinished());
        EXPECT_EQ(script.exitCode(), 0) << script.readAllStandardError().toStdString();
        EXPECT_EQ(readFile(log.toStdString()), c.expected + "\n");
    }
}

TEST(FileManagerEntries, FailuresSayWhichWayTheyFailed) {
    TempDir dir;
    // A file where a folder must go, and a folder where an entry is to be
    // removed: both stop even a program running as root.
    writeFile(dir / "data/kio/servicemenus", "in the way");
    const FileManagerEntries blocked(text(dir / "data"), QStringLiteral("/opt/tandrel/tandrel"));
    EXPECT_EQ(failureOf([&] { blocked.write(); }), "Could not write to registry.");

    writeFile(dir / "other/nautilus/scripts/Tandrel/keep", "");
    const FileManagerEntries stuck(text(dir / "other"), QStringLiteral("/opt/tandrel/tandrel"));
    EXPECT_EQ(failureOf([&] { stuck.remove(); }), "Could not delete from registry.");
    EXPECT_EQ(failureOf([&] { stuck.write(); }), "Could not write to registry.");
}

} // namespace tandrel
