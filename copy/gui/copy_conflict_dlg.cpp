#include "copy/gui/copy_conflict_dlg.h"

#include "common/dialog_units.h"
#include "common/message_box.h"
#include "copy/gui/wrapping_button.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QQueue>
#include <QTimer>

#include <algorithm>

namespace tandrel {

namespace {

const int forAllControlId = 1020;
const int skipButtonId = 1021;
const int replaceButtonId = 1022;
const int dontCopyButtonId = 1023;
const int keepBothButtonId = 1024;
const int existingPathControlId = 1025;
const int keepBothNameControlId = 1026;

QQueue<CCopyConflictDlg::Script>& scripts() {
    static QQueue<CCopyConflictDlg::Script> queue;
    return queue;
}

const int dialogWidth = 316;
const int dialogMargin = 7;
const int lineHeight = 8;

QLabel* addLabel(QDialog* dialog, const DialogUnits& units, const QString& text, int x, int y,
                 int width, int height) {
    auto* label = new QLabel(text, dialog);
    // Paths and file names are shown as they are, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    units.place(label, x, y, width, height);
    if (height > lineHeight) {
        label->setWordWrap(true);
    } else {
        // A one-line text whose font runs wider than the template's keeps
        // its line and takes the room up to the dialog's margin rather than
        // wrapping into a line that is cut off.
        const int room = units.x(dialogWidth - dialogMargin) - label->x();
        label->resize(
            std::clamp(label->sizeHint().width(), label->width(), std::max(room, label->width())),
            label->height());
    }
    return label;
}

} // namespace

CCopyConflictDlg::CCopyConflictDlg(const QString& existingPath, const QString& keepBothName,
                                   bool* repeat, QWidget* parent)
    : QDialog(parent), repeat_(repeat) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Copy File"));
    const DialogUnits units = DialogUnits::fixedDialog(this, dialogWidth, 185);

    // Created in the template's tab order.
    auto* skip = new QPushButton(QStringLiteral("&Skip"), this);
    setControlId(skip, skipButtonId);
    units.place(skip, 205, 164, 50, 14);
    connect(skip, &QPushButton::clicked, this, [this] { choose(ConflictChoice::Skip); });

    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    setControlId(cancel, static_cast<int>(ConflictChoice::Cancel));
    units.place(cancel, 259, 164, 50, 14);
    cancel->setDefault(true);
    connect(cancel, &QPushButton::clicked, this,
            [this] { done(static_cast<int>(ConflictChoice::Cancel)); });

    forAll_ = new QCheckBox(QStringLiteral("Do &this for any remaining conflicts"), this);
    setControlId(forAll_, forAllControlId);
    units.place(forAll_, 31, 168, 131, 10);

    auto* replace = new QPushButton(QStringLiteral("&Copy and Replace"), this);
    setControlId(replace, replaceButtonId);
    units.place(replace, 37, 56, 91, 23);
    connect(replace, &QPushButton::clicked, this,
            [this] { choose(ConflictChoice::CopyAndReplace); });

    auto* dontCopy = new QPushButton(QStringLiteral("&Don't Copy"), this);
    setControlId(dontCopy, dontCopyButtonId);
    units.place(dontCopy, 37, 93, 91, 23);
    connect(dontCopy, &QPushButton::clicked, this, [this] { choose(ConflictChoice::DontCopy); });

    auto* keepBoth = new WrappingButton(QStringLiteral("Copy, but &keep both files"), this);
    setControlId(keepBoth, keepBothButtonId);
    units.place(keepBoth, 37, 130, 91, 23);
    connect(keepBoth, &QPushButton::clicked, this, [this] { choose(ConflictChoice::KeepBoth); });

    addLabel(
        this, units,
        QStringLiteral("Replace the file in the destination folder with the one you are copying."),
        137, 56, 140, 21);
    addLabel(this, units, QStringLiteral("No files will be changed."), 137, 93, 140, 21);
    addLabel(this, units, QStringLiteral("The file you are copying will be renamed to:"), 137, 130,
             140, 8);
    addLabel(this, units,
             QStringLiteral("There is already a file with this name in this location."), 67, 20,
             199, 8);
    addLabel(this, units, QStringLiteral("What would you like to do?"), 67, 34, 199, 8);

    QLabel* existing = addLabel(this, units, existingPath, 7, 8, 302, 8);
    setControlId(existing, existingPathControlId);
    existing->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // A long path is cut off at the label's edge; the tip shows all of it.
    existing->setToolTip(existingPath);

    QLabel* keepBothLabel = addLabel(this, units, keepBothName, 137, 140, 140, 8);
    setControlId(keepBothLabel, keepBothNameControlId);
}

int CCopyConflictDlg::DoModal(MessageBox::Modality modality) {
    forAll_->setChecked(*repeat_);
    return MessageBox::exec(*this, modality);
}

ConflictChoice CCopyConflictDlg::ask(QWidget* parent, const QString& existingPath,
                                     const QString& keepBothName, bool& repeat) {
    CCopyConflictDlg dialog(existingPath, keepBothName, &repeat, parent);
    if (!scripts().isEmpty()) {
        QTimer::singleShot(0, &dialog, [&dialog, script = scripts().dequeue()] { script(dialog); });
    }
    // Any result is passed on as it came: the job rejects one it does not know.
    return static_cast<ConflictChoice>(dialog.DoModal(MessageBox::LeavesParentUsable));
}

void CCopyConflictDlg::queueScript(Script script) {
    scripts().enqueue(std::move(script));
}

void CCopyConflictDlg::queueAnswer(int buttonId, bool forAll) {
    queueScript([buttonId, forAll](CCopyConflictDlg& dialog) {
        if (forAll) {
            findControl<QCheckBox>(&dialog, forAllControlId)->setChecked(true);
        }
        findControl<QAbstractButton>(&dialog, buttonId)->click();
    });
}

void CCopyConflictDlg::clearScript() {
    scripts().clear();
}

void CCopyConflictDlg::reject() {
    done(static_cast<int>(ConflictChoice::Cancel));
}

void CCopyConflictDlg::choose(ConflictChoice choice) {
    if (forAll_->isChecked()) {
        *repeat_ = true;
    }
    done(static_cast<int>(choice));
}

} // namespace tandrel
