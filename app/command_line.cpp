#include "app/command_line.h"

#include <QDir>
#include <QFileInfo>

namespace tandrel {

namespace {

QString absoluteFolder(const QString& folder) {
    return QFileInfo(folder).isRelative()
               ? QDir::cleanPath(QDir::current().absoluteFilePath(folder))
               : folder;
}

} // namespace

QString commandLineFolder(const QStringList& arguments) {
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument.isEmpty()) {
            continue;
        }
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (optionsEnded || !argument.startsWith(QLatin1Char('-'))) {
            return absoluteFolder(argument);
        }
    }
    return {};
}

bool commandLineAsksForVersion(const QStringList& arguments) {
    const qsizetype optionsEnd = arguments.indexOf(QLatin1String("--"), 1);
    return arguments.mid(1, optionsEnd < 0 ? -1 : optionsEnd - 1)
        .contains(QLatin1String("--version"));
}

} // namespace tandrel
