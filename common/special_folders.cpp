#include "common/special_folders.h"

#include <QDir>
#include <QStandardPaths>

namespace tandrel {

namespace {

const std::uint32_t videosFolderId = 14;
const std::uint32_t documentsFolderId = 5;

} // namespace

QString GetSpecialFolderPath(std::uint32_t folderId) {
    QStandardPaths::StandardLocation location;
    switch (folderId) {
    case videosFolderId:
        location = QStandardPaths::MoviesLocation;
        break;
    case documentsFolderId:
        location = QStandardPaths::DocumentsLocation;
        break;
    default:
        return {};
    }
    return QDir::toNativeSeparators(QStandardPaths::writableLocation(location));
}

} // namespace tandrel
