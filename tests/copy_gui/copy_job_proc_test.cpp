// The copy job run as the program runs it: behind the progress dialog,
// through the GUI host, on a card from the card writer.
#include "app/termination_signals.h"
#include "common/desktop_notifier.h"
#include "common/dialog_units.h"
#include "common/message_box.h"
#include "copy/gui/copy_conflict_dlg.h"
#include "copy/gui/copy_job_proc.h"
#include "copy/gui/gui_copy_job_host.h"
#include "copy/gui/up_dialog.h"
#include "tests/support/card_writer.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

#include <boost/filesystem/operations.hpp>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <vector>

namespace tandrel {

namespace fs = boost::filesystem;

namespace {

class Fields : public CopyJobFields {
public:
    Fields(const std::string& sourceText = {}, const std::string& targetText = {})
        : source(QString::fromStdString(sourceText)), target(QString::fromStdString(targetText)) {}

    QString source;
    QString target;

    QString savedSourceFolder() const override { return source; }
    QString targetFolderText() const override { return target; }
    bool generateFolderChecked() const override { return false; }
    QString folderMaskText() const override { return QStringLiteral("%Y_%m_%d"); }
    bool renameFilesChecked() const override { return true; }
    QString fileMaskText() const override { return QStringLiteral("%H_%M_%S"); }
};

// Notes the status texts the job reports and can act once, at the first
// "Copying:" line.
class CopyRun : public CUPDialog {
public:
    CopyRun(QWidget* owner, GuiCopyJobHost& host) : CUPDialog(owner, copyJobProc, &host) {}
    QStringList texts;
    std::function<void(QDialog*)> whileCopying;

    void cancelWhileCopying() {
        whileCopying = [](QDialog* dialog) {
            auto* cancel = findControl<QPushButton>(dialog, 2);
            QTimer::singleShot(0, cancel, [cancel] { cancel->click(); });
        };
    }

protected:
    bool OnMessage(QDialog* dialog, QEvent* event, bool) override {
        if (static_cast<int>(event->type()) != UPDM_SETTEXT) {
            return false;
        }
        const QString text = static_cast<UPMessageEvent*>(event)->text();
        texts << text;
        if (whileCopying && text.startsWith(QStringLiteral("Copying:"))) {
            std::exchange(whileCopying, nullptr)(dialog);
        }
        return false;
    }
};

// Whatever is in `folder` is a whole copy of `size` bytes under its final
// name, and there are fewer than `clips` of them.
void expectOnlyWholeCopies(const fs::path& folder, std::uint64_t size, std::size_t clips) {
    const std::vector<std::string> names = namesIn(folder);
    EXPECT_LT(names.size(), clips);
    for (const std::string& name : names) {
        EXPECT_EQ(name.size(), std::string("18_00_00.m2ts").size()) << name;
        EXPECT_EQ(fs::file_size(folder / name), size) << name;
    }
}

TEST(CopyJobProc, CopiesACardAndSettlesAConflictThroughTheDialog) {
    TempDir card;
    TempDir target;
    writeCard(card.path(), simpleCard(1, 2));
    // The first clip was recorded at 18:00:00; a file of that name is there.
    writeFile(target / "18_00_00.m2ts", "older copy");

    QWidget owner;
    Fields fields(card.str(), target.str());
    GuiCopyJobHost host(&owner, fields);
    QString offered;
    CCopyConflictDlg::queueScript([&offered](CCopyConflictDlg& dialog) {
        offered = findControl<QLabel>(&dialog, 1026)->text();
        findControl<QPushButton>(&dialog, 1024)->click();
    });
    MessageBox::clearScript();

    CopyRun run(&owner, host);
    EXPECT_EQ(run.DoModal(), 1);
    EXPECT_EQ(offered, "18_00_00 (2).m2ts");
    EXPECT_EQ(namesIn(target.path()),
              (std::vector<std::string>{"18_00_00 (2).m2ts", "18_00_00.m2ts", "18_01_00.m2ts"}));
    EXPECT_EQ(readFile(target / "18_00_00.m2ts"), "older copy");
    EXPECT_EQ(fs::file_size(target / "18_00_00 (2).m2ts"), 4096u);
    EXPECT_EQ(run.texts.first(), "Initialising..");
    EXPECT_EQ(run.texts.last(), "Done!");
    EXPECT_TRUE(MessageBox::shownTexts().isEmpty());
}

TEST(CopyJobProc, AMissingCardEndsWithOneFatalMessage) {
    TempDir target;
    QWidget owner;
    Fields fields((target / "no card").string(), target.str());
    GuiCopyJobHost host(&owner, fields);
    MessageBox::clearScript();
    MessageBox::queueAnswer(MessageBox::AnswerOk);

    CopyRun run(&owner, host);
    EXPECT_EQ(run.DoModal(), 1);
    ASSERT_EQ(MessageBox::shownTexts().size(), 1);
    EXPECT_TRUE(MessageBox::shownTexts().first().contains("no card"));
    EXPECT_EQ(run.texts.last(), "Terminating..");
    MessageBox::clearScript();
}

TEST(CopyJobProc, CancelStopsTheJobAndLeavesOnlyWholeFiles) {
    TempDir card;
    TempDir target;
    const std::uint64_t size = 8 * 1024 * 1024;
    writeCard(card.path(), simpleCard(1, 4, size));

    QWidget owner;
    Fields fields(card.str(), target.str());
    GuiCopyJobHost host(&owner, fields);
    MessageBox::clearScript();

    CopyRun run(&owner, host);
    run.cancelWhileCopying();
    EXPECT_EQ(run.DoModal(), 0x10002);
    // DoModal returned after the job had ended: nothing is written any more,
    // and whatever is in the target is a whole copy under its final name.
    expectOnlyWholeCopies(target.path(), size, 4);
    EXPECT_TRUE(MessageBox::shownTexts().isEmpty());
}

TEST(CopyJobProc, TermAndHangUpStopTheJobLikeCancelAndCloseTheWindows) {
    const std::uint64_t size = 8 * 1024 * 1024;
    TempDir card;
    writeCard(card.path(), simpleCard(1, 4, size));
    const TerminationSignals sessionSignals;
    for (const int signal : {SIGTERM, SIGHUP}) {
        TempDir target;
        QWidget owner;
        owner.show();
        Fields fields(card.str(), target.str());
        GuiCopyJobHost host(&owner, fields);
        MessageBox::clearScript();

        CopyRun run(&owner, host);
        run.whileCopying = [signal](QDialog*) {
            std::raise(signal);
        };
        EXPECT_EQ(run.DoModal(), 0x10002) << signal;
        expectOnlyWholeCopies(target.path(), size, 4);
        EXPECT_FALSE(owner.isVisible()) << signal;
        EXPECT_TRUE(MessageBox::shownTexts().isEmpty()) << signal;
    }
}

TEST(CopyJobProc, AFileSizeLimitFailsTheFileInsteadOfEndingTheProgram) {
    TempDir card;
    TempDir target;
    writeCard(card.path(), simpleCard(1, 1, 2 * 1024 * 1024));
    QWidget owner;
    Fields fields(card.str(), target.str());
    GuiCopyJobHost host(&owner, fields);
    MessageBox::clearScript();
    MessageBox::queueAnswer(MessageBox::AnswerOk);

    const TerminationSignals sessionSignals;
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit limited = previous;
    limited.rlim_cur = 1024 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const int result = CopyRun(&owner, host).DoModal();
    setrlimit(RLIMIT_FSIZE, &previous);

    EXPECT_EQ(result, 1);
    ASSERT_EQ(MessageBox::shownTexts().size(), 1);
    EXPECT_TRUE(MessageBox::shownTexts().first().contains("File too large"))
        << MessageBox::shownTexts().first().toStdString();
    EXPECT_TRUE(namesIn(target.path()).empty());
    MessageBox::clearScript();
}

// A session bus of the test's own, with a stand-in for the desktop's
// notification service that records what it is asked to show.
class FakeNotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    FakeNotificationService() {
        bus_.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--session"), QStringLiteral("--nofork"),
                    QStringLiteral("--print-address")});
        if (bus_.waitForReadyRead()) {
            address = QString::fromLocal8Bit(bus_.readLine()).trimmed();
        }
        QDBusConnection service =
            QDBusConnection::connectToBus(address, QStringLiteral("notification service"));
        service.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this,
                               QDBusConnection::ExportAllSlots);
        registered = service.registerService(QStringLiteral("org.freedesktop.Notifications"));
    }
    ~FakeNotificationService() override {
        QDBusConnection::disconnectFromBus(QStringLiteral("notification service"));
        bus_.kill();
        bus_.waitForFinished();
    }

    // Processes events until `count` notifications came in, or gives up
    // after a while so a broken build fails instead of hanging.
    void waitFor(int count) {
        const QDeadlineTimer guard(10000);
        while (notifications.size() < count && !guard.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        }
    }

    QString address;
    bool registered = false;
    QList<QStringList> notifications;

public slots:
    uint Notify(const QString& appName, uint, const QString&, const QString& summary,
                const QString& body, const QStringList&, const QVariantMap&, int) {
        notifications << QStringList{appName, summary, body};
        return static_cast<uint>(notifications.size());
    }

private:
    QProcess bus_;
};

TEST(CopyJobProc, AJobThatEndsWhileNoWindowIsActiveIsAnnouncedToTheDesktop) {
    FakeNotificationService service;
    ASSERT_TRUE(service.registered) << service.address.toStdString();
    const DesktopNotifier notifier(service.address);
    TempDir card;
    writeCard(card.path(), simpleCard(1, 2));
    const QString videos = QDir::homePath() + QStringLiteral("/Videos");
    QWidget owner;
    Fields fields(card.str());
    GuiCopyJobHost host(&owner, fields, &notifier);
    MessageBox::clearScript();

    // Watched: the progress dialog is the active window.
    fields.target = videos + QStringLiteral("/watched");
    EXPECT_EQ(CopyRun(&owner, host).DoModal(), 1);

    fields.target = videos;
    const auto lookAway = [](QDialog*) {
        QApplication::setActiveWindow(nullptr);
    };
    CopyRun away(&owner, host);
    away.whileCopying = lookAway;
    EXPECT_EQ(away.DoModal(), 1);

    // The second clip's stream file is missing: the job fails there.
    fs::remove(cardStreamFolder(card.path()) / "00001.M2TS");
    fields.target = videos + QStringLiteral("/failed");
    MessageBox::queueAnswer(MessageBox::AnswerOk);
    CopyRun failing(&owner, host);
    failing.whileCopying = lookAway;
    EXPECT_EQ(failing.DoModal(), 1);

    service.waitFor(2);
    const QString app = QGuiApplication::applicationDisplayName();
    ASSERT_EQ(MessageBox::shownTexts().size(), 1);
    EXPECT_EQ(service.notifications,
              (QList<QStringList>{{app, app, QStringLiteral("2 clips copied to ~/Videos")},
                                  {app, app, MessageBox::shownTexts().first()}}));
    MessageBox::clearScript();

    // Without a service, or without a bus, nothing happens.
    DesktopNotifier(QStringLiteral("unix:path=/nonexistent/bus")).notify(QStringLiteral("-"));
}

} // namespace

#include "copy_job_proc_test.moc"

} // namespace tandrel
