// SPDX-License-Identifier: GPL-3.0-or-later
// Exporting the invoice CSV the way a person does it: the data file, repository, model, the main
// window's Overview and the real save dialog, with stand-ins only for the outside services. The
// functions run in order and share the one running program, as one session.
#include "app/model/AppModel.h"
#include "app/model/Clock.h"
#include "app/services/NoIdleMonitor.h"
#include "app/services/PomodoroSkipBroadcaster.h"
#include "core/datafile/TivrenRepository.h"
#include "core/time/LocalCalendar.h"
#include "support/Fakes.h"
#include "support/ModelHarness.h"
#include "support/TimelineTesting.h"
#include "support/WidgetTesting.h"
#include "ui/export/DialogFileChooser.h"
#include "ui/overview/OverviewView.h"
#include "ui/shell/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <utility>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

Instant at(int day, int hour, int minute = 0)
{
    return localAt(QDate(2026, 3, day), hour, minute);
}

AppSnapshot userData()
{
    const Project acme = ratedProject(u"Acme, \"Inc\""_s, 85, u"red"_s);
    const Project hobby = ratedProject(u"Hobby"_s, std::nullopt);
    auto entry = [](const Project& project, Instant start, Instant end, const QString& notes) {
        return testEntry(project, start, end - start, notes);
    };
    return snapshotOf({ acme, hobby },
        { entry(acme, at(1, 23, 30), at(2, 0, 40), u"starts the day before"_s),
            entry(acme, at(2, 9), at(2, 10, 20), u"design\nsecond line"_s),
            entry(hobby, at(2, 13), at(2, 13, 45), {}),
            entry(acme, at(3, 23, 15), at(4, 1, 5), u"across midnight"_s),
            entry(acme, at(6, 9), at(6, 10), u"after the range"_s) });
}

QString canonical(const QString& path)
{
    return QFileInfo(path).canonicalFilePath();
}

// The visible save dialog, wherever the chooser parents it.
QFileDialog* visibleFileDialog()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QFileDialog*>(widget); dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

// Types `path` into the file name field and presses Enter, with the keyboard focus in the field of
// the active dialog (the dialog follows the typing only then).
bool typeIntoFileNameField(QFileDialog* dialog, const QString& path)
{
    auto* field = requireChild<QLineEdit>(dialog, u"fileNameEdit"_s);
    dialog->activateWindow();
    field->setFocus();
    if (!QTest::qWaitForWindowActive(dialog) || !QTest::qWaitFor([field] {
            return field->hasFocus();
        }))
        return false;
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, path);
    QTest::keyClick(field, Qt::Key_Return);
    return true;
}

} // namespace

class tst_CsvExportJourney : public QObject
{
    Q_OBJECT

    // The running program, built the way main.cpp builds it, on the default data file.
    struct Program
    {
        TivrenRepository repository;
        SystemClock clock;
        FakeGoogleCalendarService google;
        FakeAppleCalendarService apple;
        FakeNotifier notifier;
        FakeOverlay overlay;
        FakeLoginItems loginItems;
        PomodoroSkipBroadcaster broadcaster;
        DialogFileChooser fileChooser;
        NoIdleMonitor idleMonitor;
        AppModel model { AppServices { repository,
                             google,
                             apple,
                             notifier,
                             overlay,
                             loginItems,
                             fileChooser,
                             broadcaster,
                             idleMonitor,
                             clock },
            AppModel::Options { true, false } };
        MainWindow window { model };
    };

    QTemporaryDir m_root;
    std::unique_ptr<Program> m_program;
    QString m_dataFile;
    QString m_exportFolder;
    QString m_exported;
    const InstantRange m_range { at(2, 0), at(3, 23, 59) + 59 };

    OverviewView* overview() const { return requireChild<OverviewView>(&m_program->window, u"overviewView"_s); }

    // Clicks Export CSV and waits for the save dialog.
    QFileDialog* openSaveDialog()
    {
        auto* button = requireChild<QPushButton>(overview(), u"exportCSVButton"_s);
        if (!QTest::qWaitFor([&] {
                return visibleFileDialog() == nullptr && button->isEnabled();
            }))
            return nullptr;
        QTest::mouseClick(button, Qt::LeftButton);
        (void)QTest::qWaitFor([] {
            return visibleFileDialog() != nullptr;
        });
        return visibleFileDialog(); // nothing when none shows up
    }

    QByteArray tivrenctlReport() const
    {
        QProcess ctl;
        const QStringList args = u"report --from 2026-03-02 --to 2026-03-03 --csv --data"_s.split(u' ');
        ctl.start(QString::fromUtf8(TIVRENCTL_PATH), args + QStringList { m_dataFile });
        if (!ctl.waitForFinished(20000) || ctl.exitCode() != 0)
            qFatal("tivrenctl failed: %s", ctl.readAllStandardError().constData());
        return ctl.readAllStandardOutput();
    }

private Q_SLOTS:
    void initTestCase()
    {
        // A home of its own, also when run by hand; it has no Documents folder yet.
        QVERIFY(m_root.isValid());
        for (const auto& [variable, folder] : { std::pair { "HOME", u"home"_s },
                 std::pair { "XDG_CONFIG_HOME", u"config"_s },
                 std::pair { "XDG_DATA_HOME", u"data"_s } }) {
            QVERIFY(QDir().mkpath(m_root.filePath(folder)));
            qputenv(variable, QFile::encodeName(m_root.filePath(folder)));
        }
        m_dataFile = TivrenRepository::defaultFileURL();
        QCOMPARE(m_dataFile, m_root.filePath(u"data/Tivren/tivren-data.json"_s));
        QVERIFY(TivrenRepository::writeFile(m_dataFile, userData()));
        m_exportFolder = QDir::home().filePath(u"invoices"_s);
        QVERIFY(QDir().mkpath(m_exportFolder));

        m_program = std::make_unique<Program>();
        m_program->fileChooser.setParentWindow([this]() -> QWidget* {
            return &m_program->window;
        });
        QCoro::waitFor(m_program->model.load());
        m_program->window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_program->window));
        overview()->setRange(m_range.lower, at(3, 12));
        QCOMPARE(overview()->range(), m_range);
    }

    // Without ~/Documents the dialog starts at home, not in the working folder; cancelling it
    // writes nothing and says nothing.
    void cancelledInTheHomeFolder()
    {
        QFileDialog* dialog = openSaveDialog();
        QVERIFY(dialog);
        QCOMPARE(canonical(dialog->directory().absolutePath()), canonical(QDir::homePath()));
        QTest::keyClick(dialog, Qt::Key_Escape);
        QTRY_VERIFY(visibleFileDialog() == nullptr);
        QTest::qWait(200);
        QCOMPARE(m_program->model.errorMessage(), std::nullopt);
        QCOMPARE(QDir(QDir::homePath()).entryList(QDir::Files), QStringList {});
    }

    // The file written is the one tivrenctl prints for the same days, byte for byte, and is
    // readable by others (it goes to the client).
    void exportedLikeTivrenctl()
    {
        QVERIFY(QDir().mkpath(QDir::home().filePath(u"Documents"_s)));
        QFileDialog* dialog = openSaveDialog();
        QVERIFY(dialog);
        QCOMPARE(canonical(dialog->directory().absolutePath()), canonical(QDir::home().filePath(u"Documents"_s)));
        QVERIFY(dialog->selectedFiles().value(0).endsWith(u".csv"_s));
        m_exported = m_exportFolder + u"/march.csv"_s;
        QVERIFY(typeIntoFileNameField(dialog, m_exportFolder + u"/march"_s)); // the dialog adds the suffix
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_exported), 10000);
        QTRY_VERIFY(visibleFileDialog() == nullptr);

        QFile file(m_exported);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        QCOMPARE(written, tivrenctlReport());
        QVERIFY(written.startsWith("Project,Start,End,Hours,Hourly Rate,Billable Amount,Notes\n"));
        QVERIFY(written.contains("\"across midnight\"") && written.contains("\"starts the day before\""));
        QVERIFY(!written.contains("after the range"));
        QCOMPARE(file.permissions(),
            QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup
                | QFile::ReadOther);
        QCOMPARE(m_program->model.errorMessage(), std::nullopt);
    }

    // The next export starts where the last one went; a target that cannot be written is reported
    // and leaves nothing behind. CI runs as root, so the targets lie in a missing folder and "in" a
    // file (not /proc: Qt's dialog reads its files, and /proc/kmsg blocks).
    void failureIsReported()
    {
        const QStringList targets { m_exportFolder + u"/missing/march.csv"_s, m_exported + u"/april.csv"_s };
        for (const QString& target : targets) {
            QFileDialog* dialog = openSaveDialog();
            QVERIFY(dialog);
            if (target == targets.first())
                QCOMPARE(canonical(dialog->directory().absolutePath()), canonical(m_exportFolder));
            QVERIFY(typeIntoFileNameField(dialog, target));
            QTRY_VERIFY_WITH_TIMEOUT(m_program->model.errorMessage().has_value(), 10000);
            QVERIFY2(m_program->model.errorMessage()->startsWith(u"Could not export CSV: "_s),
                qPrintable(*m_program->model.errorMessage()));
            QVERIFY(!QFile::exists(target));
            QMessageBox* alert = nullptr;
            QTRY_VERIFY((alert = m_program->window.findChild<QMessageBox*>()) != nullptr);
            QCOMPARE(alert->text(), *m_program->model.errorMessage());
            QTest::mouseClick(alert->button(QMessageBox::Ok), Qt::LeftButton);
            QTRY_COMPARE(m_program->model.errorMessage(), std::nullopt);
            QTRY_VERIFY(m_program->window.findChild<QMessageBox*>() == nullptr);
        }
        QCOMPARE(QDir(m_exportFolder).entryList(QDir::Files), QStringList { u"march.csv"_s });
    }

    // A check that failed with the dialog open leaves it to the next step otherwise.
    void cleanup()
    {
        if (QFileDialog* dialog = visibleFileDialog())
            dialog->reject();
    }

    void cleanupTestCase() { m_program.reset(); }
};

QTEST_MAIN(tst_CsvExportJourney)
#include "tst_CsvExportJourney.moc"
