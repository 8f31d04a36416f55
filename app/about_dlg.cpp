#include "app/about_dlg.h"

#include "app/app_resources.h"
#include "app/picture_dlg.h"
#include "common/dialog_units.h"
#include "common/file_version_info.h"
#include "common/message_box.h"
#include "common/product_facts.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <utility>

namespace tandrel {

CAboutDlg::CAboutDlg(QWidget* parent) : CAboutDlg(QString(), parent) {}

CAboutDlg::CAboutDlg(const QString& executable, QWidget* parent) : QDialog(parent) {
    createControls();
    OnInitDialog(executable);
}

void CAboutDlg::createControls() {
    setWindowTitle(QStringLiteral("About %1").arg(QLatin1String(productName)));
    const DialogUnits units = DialogUnits::fixedDialog(this, 280, 170);

    auto* icon = new QLabel(this);
    units.place(icon, 14, 14, 20, 20);
    icon->setPixmap(programIcon().pixmap(icon->size()));

    const struct {
        int id;
        const char* text;
        int y;
    } labels[] = {
        {IdApplicationName, "Application Name", 14},
        {IdApplicationVersion, "Application Version", 30},
        {IdLegalCopyright, "Legal Copyright", 46},
    };
    for (const auto& entry : labels) {
        auto* label = new QLabel(QLatin1String(entry.text), this);
        // The copyright comes from a file; it is shown as written.
        label->setTextFormat(Qt::PlainText);
        units.place(label, 51, entry.y, 122, 8);
        setControlId(label, entry.id);
    }

    auto* link = new QLabel(QLatin1String(makerWebAddress), this);
    units.place(link, 42, 146, 132, 8);
    setControlId(link, IdMakerLink);
    link->setFocusPolicy(Qt::TabFocus);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    units.place(ok, 216, 149, 50, 14);
    setControlId(ok, IdAboutOk);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    setTabOrder(link, ok);
}

void CAboutDlg::OnInitDialog(const QString& executable) {
    auto* name = findControl<QLabel>(this, IdApplicationName);
    auto* version = findControl<QLabel>(this, IdApplicationVersion);
    auto* copyright = findControl<QLabel>(this, IdLegalCopyright);

    CFileVersionInfo info;
    if (executable.isEmpty() ? info.Create() : info.Create(executable)) {
        name->setText(
            QStringLiteral("%1 %2").arg(QLatin1String(productName), QLatin1String(releaseText)));
        copyright->setText(info.GetLegalCopyright());
        version->setText(QStringLiteral("Version: %1.%2.%3.%4")
                             .arg(info.GetProductVersion(3))
                             .arg(info.GetProductVersion(2))
                             .arg(info.GetProductVersion(1))
                             .arg(info.GetProductVersion(0)));
    } else {
        versionMissing_ = true;
        name->setText(QStringLiteral("-"));
        copyright->setText(QStringLiteral("-"));
        version->setText(QStringLiteral("-"));
    }

    const QString linkText = findControl<QLabel>(this, IdMakerLink)->text();
    link_.SubclassDlgItem(IdMakerLink, this, linkText);
}

void CAboutDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (std::exchange(versionMissing_, false)) {
        // Said over the dialog, centred on it, once it is on screen.
        QTimer::singleShot(0, this, [this] {
            MessageBox::show(this, QStringLiteral("Unable to retrieve file version information."));
        });
    }
}

void CAboutDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_H && (event->modifiers() & Qt::ControlModifier)) {
        CPictureDlg picture(this);
        picture.exec();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace tandrel
