#include "app/file_manager_entries.h"

#include "metadata/errors.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace tandrel {

namespace {

const char* const writeFailed = "Could not write to registry.";
const char* const deleteFailed = "Could not delete from registry.";

constexpr QFileDevice::Permissions executablePermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
    QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;

// One argument of a desktop entry's Exec key, quoted: inside the quotes
// `"`, `` ` ``, `$` and `\` take a backslash, and `%` is doubled so it is not
// read as a field code.
QString quotedExecArgument(const QString& argument) {
    QString quoted;
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\')) {
            quoted += QLatin1Char('\\');
        } else if (c == QLatin1Char('%')) {
            quoted += QLatin1Char('%');
        }
        quoted += c;
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// A desktop entry string value: backslashes and control characters escaped.
QString desktopValue(const QString& text) {
    QString value;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\')) {
            value += QLatin1String("\\\\");
        } else if (c == QLatin1Char('\n')) {
            value += QLatin1String("\\n");
        } else if (c == QLatin1Char('\t')) {
            value += QLatin1String("\\t");
        } else if (c == QLatin1Char('\r')) {
            value += QLatin1String("\\r");
        } else {
            value += c;
        }
    }
    return value;
}

// A POSIX shell word in single quotes; a quote inside ends the quoting,
// adds an escaped quote and starts it again.
QString shellQuoted(const QString& text) {
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

void writeEntry(const QString& path, const QString& text) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        throw RegistryException(writeFailed);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw RegistryException(writeFailed);
    }
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit() ||
        !QFile::setPermissions(path, executablePermissions)) {
        throw RegistryException(writeFailed);
    }
}

void removeEntry(const QString& path) {
    const QFileInfo entry(path);
    if (!entry.exists() && !entry.isSymLink()) {
        return;
    }
    if (!QFile::remove(path)) {
        throw RegistryException(deleteFailed);
    }
}

bool executableFile(const QString& path) {
    const QFileInfo entry(path);
    return entry.isFile() && entry.isExecutable();
}

} // namespace

FileManagerEntries::FileManagerEntries(const QString& dataHome, const QString& executable)
    : dataHome_(dataHome), executable_(executable) {}

QString FileManagerEntries::defaultDataHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString FileManagerEntries::serviceMenuPath() const {
    return dataHome_ + QLatin1String("/kio/servicemenus/tandrel.desktop");
}

QString FileManagerEntries::scriptPath() const {
    return dataHome_ + QLatin1String("/nautilus/scripts/Tandrel");
}

bool FileManagerEntries::present() const {
    return executableFile(serviceMenuPath()) && executableFile(scriptPath());
}

void FileManagerEntries::write() const {
    writeEntry(serviceMenuPath(), serviceMenuText(executable_));
    writeEntry(scriptPath(), scriptText(executable_));
}

void FileManagerEntries::remove() const {
    removeEntry(serviceMenuPath());
    removeEntry(scriptPath());
}

QString FileManagerEntries::serviceMenuText(const QString& executable) {
    // Type Application rather than the older Service: KDE reads both, and
    // only this one passes desktop-file-validate. NoDisplay keeps it out of
    // the application menus.
    const QString exec = desktopValue(quotedExecArgument(executable) + QLatin1String(" %f"));
    return QLatin1String("[Desktop Entry]\n"
                         "Type=Application\n"
                         "Name=Tandrel\n"
                         "Exec=") +
           exec +
           QLatin1String("\n"
                         "NoDisplay=true\n"
                         "MimeType=inode/directory;\n"
                         "Actions=tandrel;\n"
                         "X-KDE-ServiceTypes=KonqPopupMenu/Plugin\n"
                         "\n"
                         "[Desktop Action tandrel]\n"
                         "Name=Tandrel\n"
                         "Exec=") +
           exec + QLatin1String("\n");
}

QString FileManagerEntries::scriptText(const QString& executable) {
    // GNOME Files passes the chosen folder as the first argument, relative
    // to the folder shown, and runs the script inside that folder; with
    // nothing chosen the folder shown is the one meant. The path is made
    // absolute so a name beginning with "-" never reads as an option.
    return QLatin1String("#!/bin/sh\n"
                         "# Opens the chosen folder in Tandrel as the source folder.\n"
                         "folder=${1:-$PWD}\n"
                         "case $folder in\n"
                         "/*) ;;\n"
                         "*) folder=$PWD/$folder ;;\n"
                         "esac\n"
                         "exec ") +
           shellQuoted(executable) + QLatin1String(" \"$folder\"\n");
}

} // namespace tandrel
