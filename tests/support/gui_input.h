#pragma once

#include <QString>

class QLineEdit;

namespace tandrel {

// Replaces the text of `edit` with `text` key by key, as a user typing it
// would, so the edit's own signals fire as they do for real input.
void typeText(QLineEdit* edit, const QString& text);

} // namespace tandrel
