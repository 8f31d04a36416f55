#include "common/desktop_notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QStringList>
#include <QVariantMap>

namespace tandrel {

DesktopNotifier::DesktopNotifier(const QString& busAddress) : busAddress_(busAddress) {}

void DesktopNotifier::notify(const QString& body) const {
    const QDBusConnection bus =
        busAddress_.isEmpty()
            ? QDBusConnection::sessionBus()
            : QDBusConnection::connectToBus(busAddress_, QStringLiteral("notifier ") + busAddress_);
    if (!bus.isConnected()) {
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    const QString name = QGuiApplication::applicationDisplayName();
    const QString icon = QGuiApplication::desktopFileName();
    // app_name, replaces_id, app_icon, summary, body, actions, hints and
    // expire_timeout (-1: as the service likes).
    call << name << 0u << icon << name << body << QStringList() << QVariantMap() << -1;
    // Sent without waiting: a service that is missing or slow must not hold
    // up the program, and its answer changes nothing.
    bus.send(call);
}

} // namespace tandrel
