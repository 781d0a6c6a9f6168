#include "support/LanguageSwitch.h"
#include "support/ModelHarness.h"
#include "ui/editors/TimeEntryEditor.h"

#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;
using tivren::testing::ModelHarness;

namespace {

// A local wall-clock time in the test's zone (Europe/Amsterdam) as an instant.
Instant at(int year, int month, int day, int hour, int minute, int second = 0)
{
    return Instant(QDateTime(QDate(year, month, day), QTime(hour, minute, second)).toSecsSinceEpoch());
}

QDateTime local(Instant instant)
{
    return QDateTime::fromSecsSinceEpoch(qint64(instant));
}

// One entry recorded on "Acme" by the model itself, from `start` for `seconds`.
struct Fixture
{
    ModelHarness h;
    Project project = h.addProject(u"Acme"_s);
    TimeEntry entry;

    Fixture(Instant start, Seconds seconds, const QString& notes = {})
    {
        h.clock.time = start;
        h.model->startTracking(project);
        h.advance(seconds);
        h.model->stopTracking(false);
        entry = h.model->entries().constFirst();
        if (!notes.isEmpty()) {
            h.model->updateEntry(entry, entry.startDate, entry.endDate, notes);
            entry = h.model->entries().constFirst();
        }
    }
};

struct Editor : TimeEntryEditor
{
    Editor(AppModel& model, const TimeEntry& entry)
        : TimeEntryEditor(model, entry)
    {
        show();
    }
    template <typename T> T* child(const QString& name) const { return findChild<T*>(name); }
    QDateTimeEdit* picker(const QString& which) const { return child<QDateTimeEdit>(which + u"DateTimeEdit"_s); }
    QPushButton* saveButton() const { return child<QPushButton>(u"saveButton"_s); }
    QLineEdit* notesEdit() const { return child<QLineEdit>(u"notesLineEdit"_s); }
    bool warns() const { return child<QLabel>(u"validationLabel"_s)->isVisibleTo(this); }
};

} // namespace

class tst_TimeEntryEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // The DST cases need a zone with daylight saving, also when run outside ctest.
        qputenv("TZ", "Europe/Amsterdam");
        QCOMPARE(at(2026, 3, 29, 3, 0) - at(2026, 3, 29, 1, 0), 3600.0);
    }

    void edits_data()
    {
        QTest::addColumn<QDateTime>("newStart"); // invalid: left alone
        QTest::addColumn<QList<QDateTime>>("endEdits"); // applied in order
        QTest::addColumn<QString>("typedNotes");
        QTest::addColumn<bool>("savable");
        QTest::addColumn<Instant>("storedStart");
        QTest::addColumn<Instant>("storedEnd");

        // The entry runs 9:00:37 to 9:10:37 on 10 March 2026 and has the notes "draft".
        const Instant start = at(2026, 3, 10, 9, 0, 37);
        const Instant end = start + 600;
        auto t = [](int day, int hour, int minute) {
            return QDateTime(QDate(2026, 3, day), QTime(hour, minute));
        };
        const QDateTime none;

        // Untouched pickers hand back the stored seconds; an edited one the shown minute.
        QTest::newRow("notes only") << none << QList<QDateTime> {} << u" fixed typo "_s << true << start << end;
        QTest::newRow("later end") << none << QList { t(10, 9, 45) } << QString() << true << start
                                   << at(2026, 3, 10, 9, 45);
        QTest::newRow("earlier start") << t(10, 8, 30) << QList<QDateTime> {} << QString() << true
                                       << at(2026, 3, 10, 8, 30) << end;
        QTest::newRow("end on the next day")
            << none << QList { t(11, 0, 15) } << QString() << true << start << at(2026, 3, 11, 0, 15);
        QTest::newRow("end moved before start and back")
            << none << QList { t(10, 8, 0), t(10, 9, 20) } << QString() << true << start << at(2026, 3, 10, 9, 20);
        QTest::newRow("end moved away and back to its minute")
            << none << QList { t(10, 9, 30), t(10, 9, 10) } << QString() << true << start << end;
        // 9:00 shows the start's minute; its seconds make the start later still.
        QTest::newRow("end on the start's minute")
            << none << QList { t(10, 9, 0) } << QString() << false << start << end;
        QTest::newRow("end before start") << none << QList { t(9, 17, 0) } << QString() << false << start << end;
        QTest::newRow("start equal to end")
            << t(10, 9, 30) << QList { t(10, 9, 30) } << QString() << false << start << end;
        QTest::newRow("start after end") << t(10, 9, 11) << QList<QDateTime> {} << QString() << false << start << end;
    }

    void edits()
    {
        QFETCH(QDateTime, newStart);
        QFETCH(QList<QDateTime>, endEdits);
        QFETCH(QString, typedNotes);
        QFETCH(bool, savable);
        QFETCH(Instant, storedStart);
        QFETCH(Instant, storedEnd);

        Fixture f(at(2026, 3, 10, 9, 0, 37), 600, u"draft"_s);
        Editor editor(*f.h.model, f.entry);
        QSignalSpy saved(&editor, &TimeEntryEditor::saved);
        QVERIFY(editor.saveButton()->isEnabled());

        if (newStart.isValid())
            editor.picker(u"start"_s)->setDateTime(newStart);
        for (const QDateTime& value : endEdits)
            editor.picker(u"end"_s)->setDateTime(value);
        if (!typedNotes.isEmpty()) {
            editor.notesEdit()->selectAll();
            QTest::keyClicks(editor.notesEdit(), typedNotes);
        }
        QCOMPARE(editor.saveButton()->isEnabled(), savable);
        QCOMPARE(editor.warns(), !savable);

        // Return saves from any field, and only when Save could be clicked.
        QTest::keyClick(editor.picker(u"end"_s), Qt::Key_Return);
        QCOMPARE(saved.size(), savable ? 1 : 0);

        QCOMPARE(f.h.model->entries().size(), 1);
        const TimeEntry stored = f.h.model->entries().constFirst();
        QCOMPARE(stored.id, f.entry.id);
        QCOMPARE(stored.projectID, f.project.id);
        QCOMPARE(local(stored.startDate), local(storedStart));
        QCOMPARE(local(stored.endDate), local(storedEnd));
        QCOMPARE(stored.notes, savable && !typedNotes.isEmpty() ? typedNotes : u"draft"_s);
        QVERIFY(!f.h.model->errorMessage());
        if (savable)
            QCOMPARE(f.h.saved().entries.constFirst(), stored);
    }

    void stepsAcrossTheSpringForwardGap()
    {
        // 1:30 to 1:40 on 29 March 2026; one step up of the end's hour lands past the missing
        // hour at 3:40 summer time, which is 70 real minutes after the start.
        Fixture f(at(2026, 3, 29, 1, 30), 600);
        Editor editor(*f.h.model, f.entry);
        QDateTimeEdit* end = editor.picker(u"end"_s);
        end->setFocus();
        end->setCurrentSection(QDateTimeEdit::HourSection);
        QTest::keyClick(end, Qt::Key_Up);
        QCOMPARE(end->time(), QTime(3, 40));

        editor.saveButton()->click();
        const TimeEntry stored = f.h.model->entries().constFirst();
        QCOMPARE(stored.endDate - stored.startDate, 70 * 60.0);
        QCOMPARE(f.h.saved().entries.constFirst().endDate, stored.endDate);
    }

    void cancelLeavesTheEntryAlone()
    {
        Fixture f(at(2026, 3, 10, 9, 0), 600, u"draft"_s);
        Editor editor(*f.h.model, f.entry);
        QSignalSpy saved(&editor, &TimeEntryEditor::saved);
        QSignalSpy cancelled(&editor, &TimeEntryEditor::cancelled);
        QSignalSpy entriesChanged(f.h.model.get(), &AppModel::entriesChanged);

        editor.picker(u"start"_s)->setDateTime(QDateTime(QDate(2026, 3, 10), QTime(7, 0)));
        editor.picker(u"end"_s)->setDateTime(QDateTime(QDate(2026, 3, 10), QTime(12, 0)));
        QTest::keyClicks(editor.notesEdit(), u" and more"_s);
        QTest::keyClick(editor.notesEdit(), Qt::Key_Escape);

        QCOMPARE(cancelled.size(), 1);
        QCOMPARE(saved.size(), 0);
        QCOMPARE(entriesChanged.size(), 0);
        QCOMPARE(f.h.model->entries().constFirst(), f.entry);
    }

    void entryOfAMissingProject()
    {
        Fixture f(at(2026, 3, 10, 9, 0), 600);
        TimeEntry orphan = f.entry;
        orphan.projectID = QUuid::createUuid();
        Editor editor(*f.h.model, orphan);
        QVERIFY(!editor.child<QLabel>(u"projectLabel"_s)->isVisibleTo(&editor));

        editor.picker(u"end"_s)->setDateTime(QDateTime(QDate(2026, 3, 10), QTime(10, 0)));
        editor.saveButton()->click();
        QCOMPARE(f.h.model->entries().constFirst().endDate, at(2026, 3, 10, 10, 0));
    }

    void followsTheAppLanguage()
    {
        Fixture f(at(2026, 3, 10, 9, 0), 600);
        Editor editor(*f.h.model, f.entry);
        QCOMPARE(editor.child<QLabel>(u"projectLabel"_s)->text(), u"Acme"_s);
        editor.picker(u"end"_s)->setDateTime(QDateTime(QDate(2026, 3, 10), QTime(9, 45)));

        testing::setLanguage(*f.h.model, AppLanguagePreference::dutch);
        QCOMPARE(editor.saveButton()->text(), u"Opslaan"_s);
        QCOMPARE(editor.child<QLabel>(u"titleLabel"_s)->text(), u"Registratie bewerken"_s);
        QCOMPARE(editor.picker(u"end"_s)->locale().language(), QLocale::Dutch);
        // Re-formatting the pickers keeps the edit made before.
        QCOMPARE(editor.endDate(), at(2026, 3, 10, 9, 45));
        QCOMPARE(editor.picker(u"end"_s)->dateTime(), QDateTime(QDate(2026, 3, 10), QTime(9, 45)));

        const QString dir = qEnvironmentVariable("TIVREN_SCREENSHOT_DIR");
        if (!dir.isEmpty()) {
            testing::setLanguage(*f.h.model, AppLanguagePreference::english);
            editor.picker(u"end"_s)->setDateTime(QDateTime(QDate(2026, 3, 10), QTime(8, 45)));
            editor.adjustSize();
            QVERIFY(editor.grab().save(dir + u"/tivren-entry-editor.png"_s));
        }
    }
};

QTEST_MAIN(tst_TimeEntryEditor)
#include "tst_TimeEntryEditor.moc"
