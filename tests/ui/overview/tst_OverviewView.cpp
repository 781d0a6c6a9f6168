#include "support/ViewFixture.h"
#include "ui/editors/TimeEntryEditor.h"
#include "ui/export/CalendarExportSheet.h"
#include "ui/overview/EntryListView.h"
#include "ui/overview/OverviewView.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimeZone>

#include <memory>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

// Local wall-clock time (the tests pin Europe/Amsterdam) as an instant.
Instant at(int month, int day, int hour, int minute = 0)
{
    return Instant(QDateTime(QDate(2026, month, day), QTime(hour, minute)).toSecsSinceEpoch());
}

Project project(const QString& name, std::optional<double> rate, const QString& color = u"blue"_s)
{
    return Project(QUuid::createUuid(), name, rate, 15, BillingRoundingStrategy::roundUpPerEntry, color, false, 0);
}

TimeEntry entry(const Project& project, Instant start, Instant end, const QString& notes = {})
{
    return TimeEntry { QUuid::createUuid(), project.id, start, end, notes };
}

AppSnapshot english(const QList<Project>& projects, const QList<TimeEntry>& entries)
{
    AppSnapshot snapshot;
    snapshot.settings.languagePreference = AppLanguagePreference::english;
    snapshot.projects = projects;
    snapshot.entries = entries;
    return snapshot;
}

} // namespace

class tst_OverviewView : public QObject, ViewFixture<OverviewView>
{
    Q_OBJECT

    EntryListView* list() const { return child<EntryListView>(u"entryListView"_s); }
    void settle() { QCoreApplication::processEvents(); }

    void open(const AppSnapshot& snapshot)
    {
        h->load(snapshot);
        view = std::make_unique<OverviewView>(*h->model);
        view->resize(900, 700);
        view->show();
        settle();
    }

private Q_SLOTS:
    void init()
    {
        h = std::make_unique<ModelHarness>();
        h->clock.time = at(3, 6, 17); // a Friday afternoon
        h->model->tick();
    }
    void cleanup()
    {
        view.reset();
        h.reset();
    }

    void emptyStates()
    {
        open(english({}, {}));
        QCOMPARE(text(u"titleLabel"_s), u"Time Overview"_s);
        QCOMPARE(text(u"hoursValueLabel"_s), u"0.00"_s);
        QCOMPARE(text(u"projectsValueLabel"_s), u"0"_s);
        QVERIFY(!shown(u"amountCard"_s));
        QVERIFY(shown(u"launcherEmptyState"_s));
        QVERIFY(!shown(u"launcherContentWidget"_s));
        QVERIFY(shown(u"entriesEmptyState"_s));
        QVERIFY(!shown(u"entryListView"_s));
        QVERIFY(shown(u"byProjectEmptyState"_s));
        QVERIFY(!shown(u"runningCard"_s) && !shown(u"breakCard"_s));
        for (const QString& button :
            { u"exportCSVButton"_s, u"exportGoogleCalendarButton"_s, u"exportAppleCalendarButton"_s })
            QVERIFY(!child(button)->isEnabled());
    }

    // Which projects are in the range decides the title and the cards.
    void titleRule_data()
    {
        QTest::addColumn<bool>("withRated");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("hours");
        QTest::addColumn<QStringList>("byProject");
        // 50 minutes of the rated project bill as 60; the unrated project's 20 minutes count as 30 in
        // the billable total, but its row shows the time actually worked.
        QTest::newRow("unrated only") << false << u"Time Overview"_s << u"0.33"_s << QStringList { u"0.33 h"_s };
        QTest::newRow("one rated among unrated")
            << true << u"Billing Overview"_s << u"1.50"_s << QStringList { u"1.00 h $80.00"_s, u"0.33 h"_s };
    }
    void titleRule()
    {
        QFETCH(bool, withRated);
        const Project personal = project(u"Personal"_s, std::nullopt, u"green"_s);
        const Project acme = project(u"Acme"_s, 80);
        AppSnapshot snapshot = english({ personal, acme }, { entry(personal, at(3, 5, 11), at(3, 5, 11, 20)) });
        if (withRated)
            snapshot.entries.append(entry(acme, at(3, 5, 9), at(3, 5, 9, 50)));
        open(snapshot);
        QTEST(text(u"titleLabel"_s), "title");
        QTEST(text(u"hoursValueLabel"_s), "hours");
        QCOMPARE(shown(u"amountCard"_s), withRated);
        if (withRated)
            QCOMPARE(text(u"amountValueLabel"_s), u"$80.00"_s);
        QStringList rows;
        for (QWidget* row : child(u"byProjectCard"_s)->findChildren<QWidget*>(u"byProjectRow"_s)) {
            QStringList figures { row->findChild<QLabel*>(u"hoursLabel"_s)->text() };
            if (auto* amount = row->findChild<QLabel*>(u"amountLabel"_s))
                figures << amount->text();
            rows << figures.join(u' ');
        }
        QTEST(rows, "byProject");
    }

    void daysAcrossMidnightSwappedRangeAndUnknownProjects()
    {
        const Project acme = project(u"Acme"_s, 80);
        const Project gone = project(u"Gone"_s, 50);
        open(english({ acme },
            {
                entry(acme, at(3, 2, 9), at(3, 2, 9, 50), u"Kick-off"_s),
                entry(acme, at(2, 27, 23, 30), at(2, 28, 0, 30)),
                entry(gone, at(3, 2, 14), at(3, 2, 15)),
                entry(acme, at(1, 10, 9), at(1, 10, 10)), // outside the range
            }));
        // The end before the start: the same as the other way round.
        view->setRange(at(3, 4, 0), at(2, 20, 0));
        QCOMPARE(view->range().lower, at(2, 20, 0));
        QCOMPARE(view->range().upper, at(3, 4, 23, 59) + 59);
        QCOMPARE(list()->dayCount(), 2);
        QCOMPARE(list()->dayTexts(0), (QStringList { u"Monday, Mar 2"_s, u"1.83 h"_s }));
        QCOMPARE(list()->dayTexts(1), (QStringList { u"Friday, Feb 27"_s, u"1.00 h"_s }));
        QCOMPARE(list()->entryCount(), 3);
        QCOMPARE(list()->entryTexts(0).first(), u"Unknown Project"_s);
        QCOMPARE(list()->entryTexts(1),
            (QStringList { u"Acme"_s, u"9:00 AM \u2013 9:50 AM"_s, u"Kick-off"_s, u"0.83 h"_s, u"1.00 h billed"_s }));
        QCOMPARE(list()->entryTexts(2).value(3), u"1.00 h"_s);
    }

    void editAndDeleteFromTheList()
    {
        const Project acme = project(u"Acme"_s, 80);
        const AppSnapshot snapshot =
            english({ acme }, { entry(acme, at(3, 5, 9), at(3, 5, 10)), entry(acme, at(3, 4, 9), at(3, 4, 10)) });
        open(snapshot);
        QCOMPARE(list()->entryCount(), 2);

        QTest::mouseClick(list(), Qt::LeftButton, {}, list()->actionRect(0, EntryListView::Action::edit).center());
        auto* editor = view->findChild<TimeEntryEditor*>();
        QVERIFY(editor);
        QCOMPARE(editor->entry(), snapshot.entries[0]);
        editor->cancel();

        QTest::mouseClick(list(), Qt::LeftButton, {}, list()->actionRect(0, EntryListView::Action::remove).center());
        settle();
        QCOMPARE(h->model->entries(), QList<TimeEntry> { snapshot.entries[1] });
        QCOMPARE(list()->entryCount(), 1);

        // From the keyboard: Delete removes the current entry.
        list()->setFocus();
        QTest::keyClick(list(), Qt::Key_Delete);
        settle();
        QVERIFY(h->model->entries().isEmpty());
        QVERIFY(shown(u"entriesEmptyState"_s));
        QVERIFY(!child(u"exportCSVButton"_s)->isEnabled());
    }

    void runningTimerPomodoroAndRecentProjects()
    {
        const Project acme = project(u"Acme"_s, 80);
        const Project personal = project(u"Personal"_s, std::nullopt, u"green"_s);
        AppSnapshot snapshot = english(
            { acme, personal }, { entry(personal, at(3, 5, 9), at(3, 5, 10)), entry(acme, at(3, 4, 9), at(3, 4, 10)) });
        snapshot.settings.pomodoroEnabled = true;
        open(snapshot);
        auto recent = [this] {
            QStringList captions;
            for (auto* button : child(u"launcherCard"_s)->findChildren<QAbstractButton*>(u"recentProjectButton"_s))
                captions << button->text() + u": "_s + button->accessibleName().section(u", "_s, 1);
            return captions;
        };
        QCOMPARE(recent(), (QStringList { u"Personal: Start timer"_s, u"Acme: $80.00 / hour"_s }));

        h->model->startTracking(acme);
        settle();
        QVERIFY(shown(u"runningCard"_s));
        QCOMPARE(text(u"runningProjectLabel"_s), u"Acme"_s);
        h->advance(65);
        QCOMPARE(text(u"runningElapsedLabel"_s), u"00:01:05"_s);
        QCOMPARE(text(u"runningPhaseLabel"_s), u"Work - 00:23:55 remaining"_s);
        QVERIFY(shown(u"skipPhaseButton"_s));
        QCOMPARE(recent().first(), u"Acme: Running"_s);

        // A break pauses tracking: the break card takes the running card's place.
        QTest::mouseClick(child<QPushButton>(u"skipPhaseButton"_s), Qt::LeftButton);
        settle();
        QVERIFY(!shown(u"runningCard"_s));
        QVERIFY(shown(u"breakCard"_s));
        QCOMPARE(text(u"breakPhaseLabel"_s), u"Short Break"_s);
        QCOMPARE(text(u"breakRemainingLabel"_s), u"00:05:00"_s);
        QTest::mouseClick(child<QPushButton>(u"skipBreakButton"_s), Qt::LeftButton);
        settle();
        QVERIFY(shown(u"runningCard"_s));

        // The running project's button stops it.
        QAbstractButton* running =
            child(u"launcherCard"_s)->findChildren<QAbstractButton*>(u"recentProjectButton"_s)[0];
        QTest::mouseClick(running, Qt::LeftButton);
        settle();
        QVERIFY(!h->model->activeSession());
        QVERIFY(!shown(u"runningCard"_s));
        QCOMPARE(h->model->entries().size(), 3);
    }

    void calendarExportButtonsAndSheet()
    {
        const Project acme = project(u"Acme"_s, 80);
        open(english({ acme }, { entry(acme, at(3, 5, 9), at(3, 5, 10)) }));
        auto* google = child<QPushButton>(u"exportGoogleCalendarButton"_s);
        QVERIFY(child(u"exportCSVButton"_s)->isEnabled());
        QVERIFY(!google->isEnabled()); // not connected

        h->google.storedToken = true;
        h->google.calendars = QList<GoogleCalendarListItem> { { u"work"_s, u"Work"_s, true } };
        QCoro::waitFor(h->model->googleCalendar().connectService());
        settle();
        QVERIFY(google->isEnabled());

        // An export that fails keeps the sheet and the user's draft; one that succeeds closes it.
        h->google.exportAnswer = [](const FakeGoogleCalendarService::ExportCall&) {
            return GoogleCalendarExportResult { {},
                GoogleCalendarServiceError { GoogleCalendarServiceError::Kind::googleAPIError, u"Quota"_s } };
        };
        QTest::mouseClick(google, Qt::LeftButton);
        auto* sheet = view->findChild<GoogleCalendarExportSheet*>();
        QVERIFY(sheet);
        QVERIFY(view->googleCalendarExportDraft());
        Q_EMIT sheet->exportRequested();
        QTRY_VERIFY(h->model->errorMessage().has_value());
        settle();
        QVERIFY(view->findChild<GoogleCalendarExportSheet*>());
        QVERIFY(view->googleCalendarExportDraft());

        h->model->clearError();
        h->google.exportAnswer = {};
        Q_EMIT sheet->exportRequested();
        QTRY_VERIFY(!view->googleCalendarExportDraft());
        QVERIFY(h->model->successMessage().has_value());
        QCOMPARE(h->model->googleCalendar().eventLinks().size(), 1);
    }

    // The language switch re-labels the open screen at once, figures included.
    void languageSwitch()
    {
        const Project acme = project(u"Acme"_s, 80);
        open(english({ acme }, { entry(acme, at(3, 5, 9), at(3, 5, 10, 30)) }));
        setLanguage(AppLanguagePreference::german);
        QCOMPARE(text(u"titleLabel"_s), u"Abrechnungsübersicht"_s);
        QCOMPARE(child<QPushButton>(u"exportCSVButton"_s)->text(), u"CSV exportieren"_s);
        QCOMPARE(text(u"hoursValueLabel"_s), u"1,50"_s);
        QCOMPARE(list()->dayTexts(0).first(), u"Donnerstag, 5. März"_s);
    }

    void screenshots()
    {
        const QString dir = qEnvironmentVariable("TIVREN_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("TIVREN_SCREENSHOT_DIR not set");
        AppSnapshot snapshot;
        snapshot.settings.pomodoroEnabled = true;
        snapshot.settings.currencyCode = u"EUR"_s;
        const Project acme = project(u"Acme Website Relaunch"_s, 85);
        const Project books = project(u"Bookkeeping"_s, std::nullopt, u"green"_s);
        const Project design = project(u"Northwind Design System"_s, 110, u"indigo"_s);
        snapshot.projects = { acme, books, design };
        const QStringList notes { u"Navigation and footer"_s, {}, u"Client call about the new colour tokens"_s, {} };
        for (int day = 2; day <= 6; ++day) {
            snapshot.entries.append(entry(acme, at(3, day, 9), at(3, day, 11, 10 + day), notes[day % 4]));
            snapshot.entries.append(entry(design, at(3, day, 13), at(3, day, 15, 40), notes[(day + 1) % 4]));
            if (day % 2 == 0)
                snapshot.entries.append(entry(books, at(3, day, 16), at(3, day, 16, 35)));
        }
        for (auto [language, name] : { std::pair { AppLanguagePreference::english, u"en"_s },
                 std::pair { AppLanguagePreference::german, u"de"_s } }) {
            cleanup();
            init();
            snapshot.settings.languagePreference = language;
            open(snapshot);
            view->setRange(at(3, 2, 0), at(3, 6, 0));
            h->model->startTracking(design);
            h->advance(754);
            settle();
            view->resize(960, 1000);
            QVERIFY(view->grab().save(dir + u"/tivren-overview-"_s + name + u".png"_s));
        }
        // And once in a dark theme.
        QVERIFY(grabDark(*view, dir + u"/tivren-overview-de-dark.png"_s));
    }
};

QTEST_MAIN(tst_OverviewView)
#include "tst_OverviewView.moc"
