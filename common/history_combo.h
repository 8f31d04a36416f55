#pragma once

#include "common/common_export.h"

#include <QComboBox>
#include <QString>

namespace tandrel {

// An editable combo box that remembers recently used texts in the
// application's settings: one value per entry named from a key prefix and a
// four-digit index ("Folder0000", "Folder0001", ...), most recent first,
// plus the text the box held when it was last saved.
class COMMON_EXPORT CHistoryCombo : public QComboBox {
    Q_OBJECT

public:
    explicit CHistoryCombo(QWidget* parent = nullptr);

    // Puts `text`, trimmed, at the top of the list, drops an equal entry
    // further down and entries beyond the limit, and selects it. Returns its
    // index, or -1 for a blank text. Before ReadHistory has named a section
    // and a key prefix, the text is only appended as it is.
    int AddToHistory(const QString& text);

    // Loads the entries stored under `section`: values `keyPrefix`0000,
    // `keyPrefix`0001, ... up to the first empty one or the limit. With
    // `saveCurrent` set it also reads the current item (under
    // `currentItemKey`, else `keyPrefix`, else "Last"), selects the equal
    // entry or shows it in the edit field, and returns it.
    QString ReadHistory(const QString& section, const QString& keyPrefix, bool saveCurrent = true,
                        const QString& currentItemKey = QString());

    // Adds the box's text to the history and stores the list, removing the
    // stored values beyond it. Does nothing before ReadHistory.
    void WriteHistory();

    // At most `maximum` entries; surplus ones are removed from the end.
    void SetHistoryLimit(int maximum);

    // When set, ReadHistory loads only entries that name an existing folder.
    void SetCheckExists(bool check);

    // How many entries the drop-down list shows before it scrolls.
    void SetDropDownItems(int items);

private:
    QString entryKey(int index) const;
    QString currentItemKey() const;

    QString section_;
    QString keyPrefix_;
    QString currentItemKey_;
    bool saveCurrent_ = true;
    int maxHistory_ = 100;
    bool checkExists_ = false;
};

} // namespace tandrel
