#include "app/settings_store.h"

#include "common/special_folders.h"

#include <QSettings>

namespace tandrel {

QString defaultFolder() {
    const QString videos = GetSpecialFolderPath(14);
    return videos.isEmpty() ? GetSpecialFolderPath(5) : videos;
}

QString storedText(const QSettings& settings, const char* name,
                   const std::function<QString()>& fallback) {
    const QString key = QString::fromLatin1(name);
    return settings.contains(key) ? settings.value(key).toString() : fallback();
}

int storedNumber(const QSettings& settings, const char* name, int fallback) {
    bool isNumber = false;
    const int number = settings.value(QString::fromLatin1(name)).toInt(&isNumber);
    return isNumber ? number : fallback;
}

} // namespace tandrel
