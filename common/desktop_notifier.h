#pragma once

#include "common/common_export.h"

#include <QString>

namespace tandrel {

// Tells the desktop something the user should hear of while looking
// elsewhere: a notification through the freedesktop notification service on
// the D-Bus session bus, under the application's display name and icon.
// Where no bus or no service runs, nothing happens; nothing waits for an
// answer.
class COMMON_EXPORT DesktopNotifier {
public:
    // The session bus of the user.
    DesktopNotifier() = default;
    // The bus at `busAddress` instead (tests run a bus of their own).
    explicit DesktopNotifier(const QString& busAddress);

    void notify(const QString& body) const;

private:
    QString busAddress_;
};

} // namespace tandrel
