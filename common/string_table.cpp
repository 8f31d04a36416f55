#include "common/string_table.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace tandrel {

QString loadString(int id) {
    const QString folder = QStringLiteral(":/strings");
    const QString key = QString::number(id);
    const QStringList tables = QDir(folder).entryList(QDir::Files, QDir::Name);
    for (const QString& name : tables) {
        QFile file(folder + QLatin1Char('/') + name);
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QJsonObject table = QJsonDocument::fromJson(file.readAll()).object();
        const QJsonValue text = table.value(key);
        if (text.isString()) {
            return text.toString();
        }
    }
    return {};
}

} // namespace tandrel
