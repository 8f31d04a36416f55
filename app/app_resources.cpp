#include "app/app_resources.h"

#include <QDir>

// The resources live in the static library tandrel_gui; nothing refers to
// their registration from outside, so it is asked for explicitly, outside any
// namespace, as Qt's registration function is declared there.
static void initialiseResources() {
    [[maybe_unused]] static const bool initialised = [] {
        Q_INIT_RESOURCE(tandrel);
        return true;
    }();
}

namespace tandrel {

QIcon programIcon() {
    initialiseResources();
    QIcon icon;
    const QDir sizes(QStringLiteral(":/icons/128"));
    for (const QString& file : sizes.entryList(QDir::Files)) {
        icon.addFile(sizes.filePath(file));
    }
    return icon;
}

QIcon tokenArrowIcon() {
    initialiseResources();
    return QIcon(QStringLiteral(":/icons/147"));
}

} // namespace tandrel
