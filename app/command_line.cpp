#include "app/command_line.h"

#include <QDir>
#include <QFileInfo>

QString commandLineFolder(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument.isEmpty() || argument.startsWith(QLatin1Char('-'))) {
            continue;
        }
        if (QFileInfo(argument).isRelative()) {
            return QDir::cleanPath(QDir::current().absoluteFilePath(argument));
        }
        return argument;
    }
    return {};
}
