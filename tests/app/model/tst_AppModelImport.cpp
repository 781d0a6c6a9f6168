// SPDX-License-Identifier: GPL-3.0-or-later
// Settings' import on the model's side: what a chosen file turns into, and what Import saves.
#include "support/ModelHarness.h"
#include "support/TaskResult.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

class tst_AppModelImport : public QObject
{
    Q_OBJECT

    const QString m_export = QFINDTESTDATA("../data/import/toggl-detailed.csv");

private Q_SLOTS:
    // A file that cannot become a reading is named with its reason, in one line; a cancelled
    // dialog says nothing.
    void refusedFiles_data()
    {
        QTest::addColumn<QString>("name"); // in the test's folder; empty: the dialog was cancelled
        QTest::addColumn<QByteArray>("content"); // "<folder>" or "<huge>" for what such a name stands for
        QTest::addColumn<QString>("error");

        QTest::newRow("cancelled") << QString() << QByteArray() << QString();
        QTest::newRow("a folder") << u"exports"_s << QByteArray("<folder>")
                                  << u"Could not import “exports”: It is not a file."_s;
        QTest::newRow("larger than any export")
            << u"huge.csv"_s << QByteArray("<huge>")
            << u"Could not import “huge.csv”: It is larger than 64 MiB; no export of time entries is that large."_s;
        QTest::newRow("not an export") << u"notes.csv"_s << QByteArray("just,some\nnotes,here\n")
                                       << u"Could not import “notes.csv”: "_s;
    }

    void refusedFiles()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        ModelHarness h;
        const QString path = h.dir.filePath(name);
        if (content == "<folder>") {
            QVERIFY(QDir().mkpath(path));
        } else if (content == "<huge>") {
            QFile file(path); // sparse: nothing of it is written
            QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(largestImportFile + 1));
        } else if (!name.isEmpty()) {
            writeRaw(path, content);
        }
        h.fileChooser.importAnswer = name.isEmpty() ? std::nullopt : std::optional(path);
        const auto reading = resultOf(h.model->chooseImport());
        QVERIFY(reading.has_value()); // the task finished
        QCOMPARE(reading->has_value(), false);
        QVERIFY2(h.errorText().startsWith(error) && (error.isEmpty() == h.errorText().isEmpty())
                && !h.errorText().contains(u'\n'),
            qPrintable(h.errorText()));
    }

    // Import adds what the preview promised in one save and says so; the same file again adds nothing.
    void importThenAgain()
    {
        ModelHarness h;
        h.fileChooser.importAnswer = m_export;
        const auto reading = resultOf(h.model->chooseImport()).value_or(std::nullopt);
        QVERIFY2(reading.has_value(), qPrintable(m_export + u": "_s + h.errorText()));
        QCOMPARE(h.model->importPreview(*reading).addsSomething, true);
        QVERIFY(h.model->entries().isEmpty());

        h.model->confirmImport(*reading);
        QCOMPARE(h.model->successMessage(), std::optional(u"Imported 3 entries. Created 3 projects."_s));
        QCOMPARE(h.saved().entries.size(), 3);
        QCOMPARE(h.saved().projects.size(), 3);
        QCOMPARE(h.model->importPreview(*reading).addsSomething, false);
        h.model->clearSuccessMessage();
        h.model->confirmImport(*reading);
        QCOMPARE(h.model->successMessage(), std::optional(u"Imported 0 entries."_s));
        QCOMPARE(h.saved().entries.size(), 3);
    }

    // Read-only: Import says why nothing can change instead of changing what would not be saved.
    void readOnlyRefusesImport()
    {
        ModelHarness h;
        h.fileChooser.importAnswer = m_export;
        const auto reading = resultOf(h.model->chooseImport()).value_or(std::nullopt);
        QVERIFY2(reading.has_value(), qPrintable(m_export + u": "_s + h.errorText()));
        h.model->setReadOnly(u"The data folder cannot be written."_s);
        h.model->confirmImport(*reading);
        QVERIFY(h.model->entries().isEmpty());
        QCOMPARE(h.model->successMessage(), std::nullopt);
        QVERIFY2(h.errorText().contains(u"cannot be written"_s), qPrintable(h.errorText()));
    }
};

QTEST_GUILESS_MAIN(tst_AppModelImport)
#include "tst_AppModelImport.moc"
