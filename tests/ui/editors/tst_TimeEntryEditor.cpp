// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FormTesting.h"
#include "ui/editors/TimeEntryEditor.h"

#include <QDateTimeEdit>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

// A local wall-clock time in the test's zone (Europe/Amsterdam).
QDateTime t(int day, int hour, int minute, int second = 0, int month = 3)
{
    return QDateTime(QDate(2026, month, day), QTime(hour, minute, second));
}
Instant at(const QDateTime& local)
{
    return Instant(local.toSecsSinceEpoch());
}

} // namespace

class tst_TimeEntryEditor : public QObject, ViewFixture<TimeEntryEditor>
{
    Q_OBJECT

    TimeEntry entry;

    // One entry on "Acme", recorded by the model itself, and its editor on screen.
    void record(const QDateTime& start, Seconds seconds, const QString& notes = {})
    {
        view.reset();
        h = std::make_unique<ModelHarness>();
        h->clock.time = at(start);
        h->model->startTracking(h->addProject(u"Acme"_s));
        h->advance(seconds);
        h->model->stopTracking(false);
        h->model->updateEntry(h->model->entries().constFirst(), at(start), at(start) + seconds, notes);
        entry = stored();
        open(entry);
    }

    void open(const TimeEntry& shown)
    {
        view = std::make_unique<TimeEntryEditor>(*h->model, shown);
        view->show();
    }

    QDateTimeEdit* picker(const QString& which) const { return child<QDateTimeEdit>(which + u"DateTimeEdit"_s); }
    TimeEntry stored() const { return h->model->entries().constFirst(); }

private Q_SLOTS:
    void initTestCase()
    {
        // The DST case needs a zone with daylight saving, also when run outside ctest.
        qputenv("TZ", "Europe/Amsterdam");
        QCOMPARE(at(t(29, 3, 0)) - at(t(29, 1, 0)), 3600.0);
    }

    // The entry runs 9:00:37 to 9:10:37 on 10 March 2026 with the notes "draft". Untouched pickers
    // hand back the stored seconds; an edited one the shown minute.
    void edits_data()
    {
        QTest::addColumn<QDateTime>("newStart"); // invalid: left alone
        QTest::addColumn<QList<QDateTime>>("endEdits"); // applied in order
        QTest::addColumn<QString>("typedNotes");
        QTest::addColumn<QDateTime>("storedStart"); // invalid: unsavable, the entry as it was
        QTest::addColumn<QDateTime>("storedEnd");
        const QDateTime none;
        const QDateTime start = t(10, 9, 0, 37);
        const QDateTime end = t(10, 9, 10, 37);
        QTest::newRow("notes only") << none << QList<QDateTime> {} << u" fixed typo "_s << start << end;
        QTest::newRow("earlier start") << t(10, 8, 30) << QList<QDateTime> {} << QString() << t(10, 8, 30) << end;
        QTest::newRow("end on the next day") << none << QList { t(11, 0, 15) } << QString() << start << t(11, 0, 15);
        QTest::newRow("end before start and back")
            << none << QList { t(10, 8, 0), t(10, 9, 20) } << QString() << start << t(10, 9, 20);
        QTest::newRow("end away and back to its minute")
            << none << QList { t(10, 9, 30), t(10, 9, 10) } << QString() << start << end;
        // 9:00 shows the start's minute; its seconds make the start later still.
        QTest::newRow("end on the start's minute") << none << QList { t(10, 9, 0) } << QString() << none << none;
        QTest::newRow("end before start") << none << QList { t(9, 17, 0) } << QString() << none << none;
        QTest::newRow("start after end") << t(10, 9, 11) << QList<QDateTime> {} << QString() << none << none;
    }

    void edits()
    {
        QFETCH(QDateTime, newStart);
        QFETCH(QList<QDateTime>, endEdits);
        QFETCH(QString, typedNotes);
        QFETCH(QDateTime, storedStart);
        QFETCH(QDateTime, storedEnd);
        const bool savable = storedStart.isValid();
        record(t(10, 9, 0, 37), 600, u"draft"_s);
        QSignalSpy saved(view.get(), &TimeEntryEditor::saved);
        if (newStart.isValid())
            picker(u"start"_s)->setDateTime(newStart);
        for (const QDateTime& value : endEdits)
            picker(u"end"_s)->setDateTime(value);
        if (!typedNotes.isEmpty()) {
            child<QLineEdit>(u"notesLineEdit"_s)->selectAll();
            QTest::keyClicks(child<QLineEdit>(u"notesLineEdit"_s), typedNotes);
        }
        QCOMPARE(child(u"saveButton"_s)->isEnabled(), savable);
        QCOMPARE(shown(u"validationLabel"_s), !savable);
        // Return saves from any field, and only when Save could be clicked.
        QTest::keyClick(picker(u"end"_s), Qt::Key_Return);
        QCOMPARE(saved.size(), savable ? 1 : 0);
        TimeEntry expected = entry;
        if (savable) {
            expected.startDate = at(storedStart);
            expected.endDate = at(storedEnd);
            expected.notes = typedNotes.isEmpty() ? expected.notes : typedNotes;
        }
        QCOMPARE(h->model->entries(), QList { expected });
        QVERIFY(!h->model->errorMessage());
        QCOMPARE(h->saved().entries, QList { expected });
    }

    void stepsAcrossTheSpringForwardGap()
    {
        // 1:30 to 1:40 on 29 March 2026; one step up of the end's hour lands past the missing
        // hour at 3:40 summer time, which is 70 real minutes after the start.
        record(t(29, 1, 30), 600);
        QDateTimeEdit* end = picker(u"end"_s);
        end->setFocus();
        end->setCurrentSection(QDateTimeEdit::HourSection);
        QTest::keyClick(end, Qt::Key_Up);
        QCOMPARE(end->time(), QTime(3, 40));
        child<QPushButton>(u"saveButton"_s)->click();
        QCOMPARE(stored().endDate - stored().startDate, 70 * 60.0);
        QCOMPARE(h->saved().entries, QList { stored() });
    }

    void cancelLeavesTheEntryAlone()
    {
        record(t(10, 9, 0), 600, u"draft"_s);
        QSignalSpy cancelled(view.get(), &TimeEntryEditor::cancelled);
        QSignalSpy entriesChanged(h->model.get(), &AppModel::entriesChanged);
        picker(u"start"_s)->setDateTime(t(10, 7, 0));
        auto* notes = child<QLineEdit>(u"notesLineEdit"_s);
        QTest::keyClicks(notes, u" and more"_s);
        QTest::keyClick(notes, Qt::Key_Escape);
        QCOMPARE(cancelled.size(), 1);
        QCOMPARE(entriesChanged.size(), 0);
        QCOMPARE(stored(), entry);
    }

    void entryOfAMissingProject()
    {
        record(t(10, 9, 0), 600);
        TimeEntry orphan = entry;
        orphan.projectID = QUuid::createUuid();
        open(orphan);
        QVERIFY(!shown(u"projectLabel"_s));
        picker(u"end"_s)->setDateTime(t(10, 10, 0));
        child<QPushButton>(u"saveButton"_s)->click();
        QCOMPARE(stored().endDate, at(t(10, 10, 0)));
    }

    void followsTheAppLanguage()
    {
        record(t(10, 9, 0), 600);
        QCOMPARE(text(u"projectLabel"_s), u"Acme"_s);
        picker(u"end"_s)->setDateTime(t(10, 9, 45));
        setLanguage(AppLanguagePreference::dutch);
        QCOMPARE(text(u"saveButton"_s), u"Opslaan"_s);
        QCOMPARE(picker(u"end"_s)->locale().language(), QLocale::Dutch);
        // Re-formatting the pickers keeps the edit made before.
        QCOMPARE(view->endDate(), at(t(10, 9, 45)));
        QCOMPARE(picker(u"end"_s)->dateTime(), t(10, 9, 45));
        if (const QString dir = qEnvironmentVariable("TIVREN_SCREENSHOT_DIR"); !dir.isEmpty()) {
            setLanguage(AppLanguagePreference::english);
            picker(u"end"_s)->setDateTime(t(10, 8, 45));
            view->adjustSize();
            QVERIFY(renderTo(*view, dir, u"entry-editor"_s));
        }
    }
};

QTEST_MAIN(tst_TimeEntryEditor)
#include "tst_TimeEntryEditor.moc"
