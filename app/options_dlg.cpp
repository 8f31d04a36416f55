#include "app/options_dlg.h"

#include "common/dialog_units.h"
#include "common/message_box.h"
#include "common/path_helpers.h"
#include "metadata/errors.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>

namespace tandrel {

COptionsDlg::COptionsDlg(QWidget* parent)
    : COptionsDlg(FileManagerEntries(FileManagerEntries::defaultDataHome(),
                                     QFile::decodeName(getExecutableFileName().c_str())),
                  parent) {}

COptionsDlg::COptionsDlg(const FileManagerEntries& entries, QWidget* parent)
    : QDialog(parent), entries_(entries) {
    createControls();
    OnInitDialog();
}

void COptionsDlg::createControls() {
    setWindowTitle(QStringLiteral("Options"));
    const DialogUnits units = DialogUnits::fixedDialog(this, 280, 170);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    units.place(ok, 169, 149, 50, 14);
    setControlId(ok, IdOptionsOk);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &COptionsDlg::accept);

    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    units.place(cancel, 223, 149, 50, 14);
    setControlId(cancel, IdOptionsCancel);
    connect(cancel, &QPushButton::clicked, this, &COptionsDlg::reject);

    includeInMenu_ = new QCheckBox(QStringLiteral("&Include in file manager context menu"), this);
    units.place(includeInMenu_, 16, 32, 200, 10);
    setControlId(includeInMenu_, IdIncludeInMenu);

    setTabOrder(includeInMenu_, ok);
    setTabOrder(ok, cancel);
    includeInMenu_->setFocus();
}

void COptionsDlg::OnInitDialog() {
    includeInMenu_->setChecked(entries_.present());
}

void COptionsDlg::accept() {
    try {
        if (includeInMenu_->checkState() == Qt::Checked) {
            entries_.write();
        } else {
            entries_.remove();
        }
    } catch (const RegistryException& e) {
        MessageBox::show(this, QString::fromUtf8(e.what()));
        return;
    }
    QDialog::accept();
}

} // namespace tandrel
