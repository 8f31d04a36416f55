#pragma once

#include "app/tandrel_dlg.h"
#include "common/dialog_units.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QStringList>

#include <ctime>
#include <memory>

namespace tandrel {

// 5 December 2026, 18:45:03: the time every test dialog takes as its
// example time.
std::tm fixedExampleTime();

// A fresh settings store and no scripted answers before every test.
class MainDialogTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The main dialog as the program opens it, with `arguments` as its
    // command line.
    std::unique_ptr<CTandrelDlg> openDialog(const QStringList& arguments = {"tandrel"});

    // Shows the dialog and waits until it is the active window, so focus
    // changes reach its controls.
    static void activate(CTandrelDlg& dialog);

    static QString stored(const char* name) { return QSettings().value(name).toString(); }
    static void store(const char* name, const QVariant& value) {
        QSettings().setValue(name, value);
    }
};

// The control with `id`; fails the test when there is none.
template <typename Control> Control* control(const QWidget& dialog, int id) {
    Control* found = findControl<Control>(&dialog, id);
    EXPECT_NE(found, nullptr) << "no control " << id;
    return found;
}

} // namespace tandrel
