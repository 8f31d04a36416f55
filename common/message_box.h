#pragma once

#include "common/common_export.h"

#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

namespace tandrel {

// The program's message boxes: no icon, OK or OK/Cancel, the application
// title as caption unless one is given. Every box of the program goes through
// here, so a test can queue the answers and read what was shown instead of
// clicking real windows.
class COMMON_EXPORT MessageBox {
public:
    enum Buttons { Ok, OkCancel };
    enum Answer { AnswerOk = 1, AnswerCancel = 2 };
    // Modal blocks the whole program while the box is open. LeavesParentUsable
    // blocks only what the parent itself blocks: a question asked over the
    // progress dialog leaves its Cancel within reach.
    enum Modality { Modal, LeavesParentUsable };

    // Shows `text` over `parent` on the calling (UI) thread and returns
    // AnswerOk or AnswerCancel (Escape and the close button give AnswerCancel,
    // or AnswerOk for an OK-only box).
    static int show(QWidget* parent, const QString& text, Buttons buttons = Ok,
                    const QString& caption = QString(), Modality modality = Modal);

    // Runs `dialog` until it ends, with the given modality, and returns its result.
    static int exec(QDialog& dialog, Modality modality);

    // The executable's file name without extension.
    static QString applicationTitle();

    // Test scripting: while answers are queued, show() records the box and
    // returns the next answer instead of opening a window.
    static void queueAnswer(int answer);
    static void clearScript();
    static QStringList shownTexts();
    static QStringList shownCaptions();
};

} // namespace tandrel
