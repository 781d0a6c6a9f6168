// SPDX-License-Identifier: GPL-3.0-or-later
// Bringing another tracker's history along the way a person does it: the main window's Settings,
// Import…, the real open dialog, the preview and the data file, with stand-ins only for the outside
// services. The functions run in order and share the one running program, as one session.
#include "app/model/AppModel.h"
#include "app/model/Clock.h"
#include "app/services/PomodoroSkipBroadcaster.h"
#include "core/datafile/TivrenRepository.h"
#include "core/time/LocalCalendar.h"
#include "journeys/InProcessProgram.h"
#include "support/Fakes.h"
#include "support/FormTesting.h"
#include "support/ModelHarness.h"
#include "support/TimelineTesting.h"
#include "ui/export/DialogFileChooser.h"
#include "ui/settings/ImportCard.h"
#include "ui/settings/ImportPreviewDialog.h"
#include "ui/shell/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <utility>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

// The user's own data: "Acme" already exists, so the export's "acme " lands in it.
AppSnapshot userData()
{
    const Project acme = ratedProject(u"Acme"_s, 85, u"red"_s);
    const Instant start = localAt(QDate(2026, 3, 2), 9);
    return snapshotOf({ acme }, { testEntry(acme, start, 3600, u"already here"_s) });
}

// The entries of the data file on disk as "project|notes" lines, in file order.
QStringList entriesOnDisk(const QString& path)
{
    const LoadResult loaded = TivrenRepository::readFile(path);
    if (!loaded)
        return { u"unreadable"_s };
    QStringList lines;
    for (const TimeEntry& entry : loaded->entries) {
        QString project;
        for (const Project& candidate : loaded->projects) {
            if (candidate.id == entry.projectID)
                project = candidate.name;
        }
        lines << project + u'|' + entry.notes;
    }
    return lines;
}

} // namespace

class tst_ImportJourney : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    std::unique_ptr<InProcessProgram> m_program;
    QString m_dataFile;
    const QString m_export = QFINDTESTDATA("../data/import/toggl-detailed.csv");
    const QStringList m_before { u"Acme|already here"_s };
    const QStringList m_after { u"Acme|already here"_s,
        u"Acme|Kick-off call, \"urgent\" #client #phone"_s,
        u"No Project|Notes over\ntwo lines"_s,
        u"Globex Redesign|Wireframes #design"_s };

    // Presses Import… in Settings, picks path in the open dialog and waits for what follows.
    void importThroughDialog(const QString& path)
    {
        auto* button = requireChild<QPushButton>(&m_program->window, u"importButton"_s);
        QTRY_VERIFY(button->isVisible() && button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
        QFileDialog* dialog = nullptr;
        QTRY_VERIFY((dialog = visibleWindow<QFileDialog>()) != nullptr);
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
        QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
        QCOMPARE(dialog->nameFilters(), QStringList({ u"Exports (*.csv *.json)"_s, u"All files (*)"_s }));
        QCOMPARE(dialog->parentWidget(), &m_program->window);
        QVERIFY(typeIntoFileNameField(dialog, path));
        QTRY_VERIFY(visibleWindow<QFileDialog>() == nullptr);
    }

    ImportPreviewDialog* waitForPreview()
    {
        (void)QTest::qWaitFor([this] {
            return m_program->window.findChild<ImportPreviewDialog*>() != nullptr;
        });
        return m_program->window.findChild<ImportPreviewDialog*>();
    }

    QString summaryOf(ImportPreviewDialog* preview) const
    {
        return requireChild<QLabel>(preview, u"importPreviewSummaryLabel"_s)->text();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        QVERIFY(!m_export.isEmpty());
        QVERIFY(useHomeIn(m_root));
        m_dataFile = TivrenRepository::defaultFileURL();
        QVERIFY(TivrenRepository::writeFile(m_dataFile, userData()));

        m_program = std::make_unique<InProcessProgram>();
        QCoro::waitFor(m_program->model.load());
        m_program->window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_program->window));
        QTest::keyClick(&m_program->window, Qt::Key_4, Qt::ControlModifier);
        QTRY_VERIFY(m_program->window.findChild<ImportCard*>() != nullptr);
    }

    // A file that is no export says why in one line and changes nothing.
    void unknownFileIsRefused()
    {
        const QString notes = QDir::home().filePath(u"notes.txt"_s);
        QFile file(notes);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("just some notes\n") > 0);
        file.close();
        importThroughDialog(notes);
        QTRY_VERIFY(m_program->model.errorMessage().has_value());
        const QString message = *m_program->model.errorMessage();
        QVERIFY2(
            message.startsWith(u"Could not import “notes.txt”: "_s) && !message.contains(u'\n'), qPrintable(message));
        QMessageBox* alert = nullptr;
        QTRY_VERIFY((alert = m_program->window.findChild<QMessageBox*>()) != nullptr);
        QTest::mouseClick(alert->button(QMessageBox::Ok), Qt::LeftButton);
        QTRY_COMPARE(m_program->model.errorMessage(), std::nullopt);
        QVERIFY(m_program->window.findChild<ImportPreviewDialog*>() == nullptr);
        QCOMPARE(entriesOnDisk(m_dataFile), m_before);
    }

    // The preview names what would change and changes nothing; Enter imports, in one save.
    void previewThenImport()
    {
        importThroughDialog(m_export);
        ImportPreviewDialog* preview = waitForPreview();
        QVERIFY(preview);
        QCOMPARE(requireChild<QLabel>(preview, u"importPreviewTitleLabel"_s)->text(), u"Import from Toggl Track CSV"_s);
        QCOMPARE(summaryOf(preview),
            u"3 entries will be added.\n"
            "2 new projects: No Project, Globex Redesign\n"
            "1 record cannot be imported:\n"
            "Line 6: it has no end (a timer still running when the file was exported)"_s);
        QCOMPARE(entriesOnDisk(m_dataFile), m_before);
        QCOMPARE(m_program->model.entries().size(), 1);
        if (const QString dir = qEnvironmentVariable("TIVREN_SCREENSHOT_DIR"); !dir.isEmpty())
            QVERIFY(preview->grab().save(QDir(dir).filePath(u"tivren-import-preview.png"_s)));

        QVERIFY(QTest::qWaitForWindowActive(preview));
        QTest::keyClick(preview, Qt::Key_Return);
        QTRY_COMPARE(m_program->model.successMessage(), std::optional(u"Imported 3 entries. Created 2 projects."_s));
        QTRY_COMPARE(entriesOnDisk(m_dataFile), m_after);
        QMessageBox* alert = nullptr;
        QTRY_VERIFY((alert = m_program->window.findChild<QMessageBox*>()) != nullptr);
        QTest::mouseClick(alert->button(QMessageBox::Ok), Qt::LeftButton);
        QTRY_COMPARE(m_program->model.successMessage(), std::nullopt);
    }

    // The same file again: nothing new, Import cannot be pressed, Esc leaves the data as it is.
    void secondTimeNothingNew()
    {
        importThroughDialog(m_export);
        ImportPreviewDialog* preview = waitForPreview();
        QVERIFY(preview);
        QVERIFY2(summaryOf(preview).startsWith(
                     u"Nothing new to add.\n3 entries are already in Tivren and will be skipped.\n"_s),
            qPrintable(summaryOf(preview)));
        QVERIFY(!requireChild<QPushButton>(preview, u"importConfirmButton"_s)->isEnabled());
        QVERIFY(QTest::qWaitForWindowActive(preview));
        QTest::keyClick(preview, Qt::Key_Escape);
        QTRY_VERIFY(m_program->window.findChild<ImportPreviewDialog*>() == nullptr);
        QTest::qWait(200);
        QCOMPARE(m_program->model.successMessage(), std::nullopt);
        QCOMPARE(entriesOnDisk(m_dataFile), m_after);
    }

    void renderCard()
    {
        TIVREN_RENDER_DIR_OR_SKIP(dir);
        auto* card = requireChild<QWidget>(&m_program->window, u"importCard"_s);
        QVERIFY(card->grab().save(QDir(dir).filePath(u"tivren-import-card.png"_s)));
    }

    // A check that failed with a dialog open leaves it to the next step otherwise.
    void cleanup()
    {
        if (QFileDialog* dialog = visibleWindow<QFileDialog>())
            dialog->reject();
        if (auto* preview = m_program ? m_program->window.findChild<ImportPreviewDialog*>() : nullptr)
            preview->reject();
    }

    void cleanupTestCase() { m_program.reset(); }
};

QTEST_MAIN(tst_ImportJourney)
#include "tst_ImportJourney.moc"
