#include "common/history_combo.h"

#include <QFileInfo>
#include <QSettings>

#include <algorithm>

namespace tandrel {

namespace {

// Stale values are looked for only this far, so a damaged store cannot make
// saving walk endlessly.
const int lastDeletableIndex = 999;

} // namespace

CHistoryCombo::CHistoryCombo(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    // Entries come only through AddToHistory; Return must not add the typed
    // text on its own, and paths are not to be completed from other entries
    // behind the user's back.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setMaxVisibleItems(10);
}

int CHistoryCombo::AddToHistory(const QString& text) {
    if (section_.isEmpty() || keyPrefix_.isEmpty()) {
        addItem(text);
        return count() - 1;
    }
    const QString entry = text.trimmed();
    if (entry.isEmpty()) {
        return -1;
    }
    insertItem(0, entry);
    // Folder names differ by case on this platform, so only an exact match
    // is the same entry.
    for (int index = count() - 1; index > 0; --index) {
        if (itemText(index) == entry) {
            removeItem(index);
        }
    }
    SetHistoryLimit(maxHistory_);
    setCurrentIndex(0);
    return 0;
}

QString CHistoryCombo::ReadHistory(const QString& section, const QString& keyPrefix,
                                   bool saveCurrent, const QString& currentItemKey) {
    section_ = section;
    keyPrefix_ = keyPrefix;
    saveCurrent_ = saveCurrent;
    currentItemKey_ = currentItemKey;

    QSettings settings;
    settings.beginGroup(section_);
    for (int index = 0; index < maxHistory_; ++index) {
        const QString value = settings.value(entryKey(index)).toString();
        if (value.isEmpty()) {
            break;
        }
        if (checkExists_ && !QFileInfo(value).isDir()) {
            continue;
        }
        addItem(value);
    }
    if (!saveCurrent_) {
        return {};
    }
    const QString current = settings.value(this->currentItemKey()).toString();
    const int index = findText(current, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        setCurrentIndex(index);
    } else if (isEditable()) {
        setEditText(current);
    }
    return current;
}

void CHistoryCombo::WriteHistory() {
    if (section_.isEmpty()) {
        return;
    }
    const QString text = currentText().trimmed();
    if (!text.isEmpty()) {
        AddToHistory(text);
    }

    QSettings settings;
    settings.beginGroup(section_);
    const int stored = std::min(count(), maxHistory_);
    for (int index = 0; index < stored; ++index) {
        settings.setValue(entryKey(index), itemText(index));
    }
    for (int index = stored; index <= lastDeletableIndex && settings.contains(entryKey(index));
         ++index) {
        settings.remove(entryKey(index));
    }
    if (saveCurrent_) {
        settings.setValue(currentItemKey(), currentText());
    }
}

void CHistoryCombo::SetHistoryLimit(int maximum) {
    maxHistory_ = std::max(maximum, 0);
    while (count() > maxHistory_) {
        removeItem(count() - 1);
    }
}

void CHistoryCombo::SetCheckExists(bool check) {
    checkExists_ = check;
}

void CHistoryCombo::SetDropDownItems(int items) {
    setMaxVisibleItems(items);
}

QString CHistoryCombo::entryKey(int index) const {
    return keyPrefix_ + QStringLiteral("%1").arg(index, 4, 10, QLatin1Char('0'));
}

QString CHistoryCombo::currentItemKey() const {
    if (!currentItemKey_.isEmpty()) {
        return currentItemKey_;
    }
    if (!keyPrefix_.isEmpty()) {
        return keyPrefix_;
    }
    return QStringLiteral("Last");
}

} // namespace tandrel
