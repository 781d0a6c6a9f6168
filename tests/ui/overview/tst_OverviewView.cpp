// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ScreenTesting.h"
#include "ui/editors/TimeEntryEditor.h"
#include "ui/export/CalendarExportSheet.h"
#include "ui/overview/EntryListView.h"
#include "ui/overview/OverviewView.h"
#include "ui/style/Style.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

class tst_OverviewView : public QObject, ScreenFixture<OverviewView>
{
    Q_OBJECT

    static Instant at(int m, int d, int h, int min = 0) { return localAt(QDate(2026, m, d), h, min); }
    Project acme = ratedProject(u"Acme"_s, 80);
    Project personal = ratedProject(u"Personal"_s, std::nullopt, u"green"_s);

    EntryListView* list() const { return child<EntryListView>(u"entryListView"_s); }
    void settle() { QCoreApplication::processEvents(); }
    void clickButton(const QString& name)
    {
        QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton);
        settle();
    }

    void open(const AppSnapshot& snapshot) { ScreenFixture::open(snapshot, { 900, 700 }); }
    void open(const QList<TimeEntry>& entries) { open(snapshotOf({ personal, acme }, entries)); }

private Q_SLOTS:
    void init() { start(at(3, 6, 17)); } // a Friday afternoon
    void cleanup() { stop(); }

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
        QList<TimeEntry> entries { spanEntry(personal, at(3, 5, 11), at(3, 5, 11, 20)) };
        if (withRated)
            entries.append(spanEntry(acme, at(3, 5, 9), at(3, 5, 9, 50)));
        open(entries);
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

    // Large figures at a large font: the projects column widens for them and for its names up to a
    // share of the room; the figures are never cut, the names are elided first. An "&" in a name is
    // no keyboard accelerator in the start menu.
    void byProjectColumnAndStartMenu()
    {
        const Project smith = ratedProject(u"Smith & Sons"_s, 4760);
        const Project northwind = ratedProject(u"Northwind Design System Relaunch, Phase Two"_s, 110, u"indigo"_s);
        AppSnapshot snapshot = snapshotOf({ smith, northwind },
            { spanEntry(smith, at(3, 5, 9), at(3, 5, 10)), spanEntry(northwind, at(3, 5, 11), at(3, 5, 12)) });
        snapshot.settings.currencyCode = u"EUR"_s;
        open(snapshot);
        QWidget* card = child(u"byProjectCard"_s);
        const int room = card->parentWidget()->width();
        QVERIFY2(card->width() > 260 && card->width() <= room * 0.4, qPrintable(QString::number(card->width())));
        QFont large = view->font();
        large.setPointSize(16);
        view->setFont(large);
        settle();
        for (QWidget* row : card->findChildren<QWidget*>(u"byProjectRow"_s)) {
            for (const QString& name : { u"hoursLabel"_s, u"amountLabel"_s }) {
                const auto* label = row->findChild<QLabel*>(name);
                QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
                QVERIFY(row->rect().contains(label->geometry()));
            }
        }
        const auto* amount = card->findChild<QLabel*>(u"amountLabel"_s);
        QCOMPARE(amount->text(), u"€4,760.00"_s);
        const auto* longName = card->findChildren<Style::ElidedLabel*>(u"nameLabel"_s).constLast();
        QCOMPARE(longName->text(), northwind.name);
        QVERIFY(longName->width() < longName->sizeHint().width());

        auto* menu = child<QMenu>(u"startProjectMenu"_s);
        QStringList items;
        for (const QAction* action : menu->actions())
            items << action->text();
        QCOMPARE(items, (QStringList { northwind.name, u"Smith && Sons"_s }));
    }

    void daysAcrossMidnightSwappedRangeAndUnknownProjects()
    {
        const Project gone = ratedProject(u"Gone"_s, 50);
        open(snapshotOf({ acme },
            { spanEntry(acme, at(3, 2, 9), at(3, 2, 9, 50), u"Kick-off"_s),
                spanEntry(acme, at(2, 27, 23, 30), at(2, 28, 0, 30)),
                spanEntry(gone, at(3, 2, 14), at(3, 2, 15)),
                spanEntry(acme, at(1, 10, 9), at(1, 10, 10)) })); // the last outside the range
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
        // The language switch re-labels the open screen at once, figures included.
        const QString hours = text(u"hoursValueLabel"_s);
        setLanguage(AppLanguagePreference::german);
        QCOMPARE(
            text(u"titleLabel"_s) + u", "_s + text(u"exportCSVButton"_s), u"Abrechnungsübersicht, CSV exportieren"_s);
        QCOMPARE(text(u"hoursValueLabel"_s), QString(hours).replace(u'.', u','));
        QCOMPARE(list()->dayTexts(0).first(), u"Montag, 2. März"_s);
    }

    void editAndDeleteFromTheList()
    {
        const QList<TimeEntry> entries { spanEntry(acme, at(3, 5, 9), at(3, 5, 10)),
            spanEntry(acme, at(3, 4, 9), at(3, 4, 10)) };
        open(entries);
        const auto clickAction = [this](EntryListView::Action action) {
            QTest::mouseClick(list(), Qt::LeftButton, {}, list()->actionRect(0, action).center());
            settle();
        };
        clickAction(EntryListView::Action::edit);
        auto* editor = view->findChild<TimeEntryEditor*>();
        QVERIFY(editor);
        QCOMPARE(editor->entry(), entries[0]);
        editor->cancel();
        clickAction(EntryListView::Action::remove);
        QCOMPARE(h->model->entries(), QList<TimeEntry> { entries[1] });
        QCOMPARE(list()->entryCount(), 1);
        // From the keyboard: Delete removes the current entry.
        list()->setFocus();
        QTest::keyClick(list(), Qt::Key_Delete);
        settle();
        QVERIFY(h->model->entries().isEmpty());
        QCOMPARE(text(u"hoursValueLabel"_s) + u' ' + text(u"projectsValueLabel"_s), u"0.00 0"_s);
        QVERIFY(shown(u"entriesEmptyState"_s) && !shown(u"entryListView"_s) && shown(u"byProjectEmptyState"_s));
        // Nothing to export: every export is refused.
        for (const QString& button :
            { u"exportCSVButton"_s, u"exportGoogleCalendarButton"_s, u"exportAppleCalendarButton"_s })
            QVERIFY(!child(button)->isEnabled());
    }

    void runningTimerPomodoroAndRecentProjects()
    {
        AppSnapshot snapshot = snapshotOf({ acme, personal },
            { spanEntry(personal, at(3, 5, 9), at(3, 5, 10)), spanEntry(acme, at(3, 4, 9), at(3, 4, 10)) });
        snapshot.settings.pomodoroEnabled = true;
        open(snapshot);
        const auto recent = [this] {
            return child(u"launcherCard"_s)->findChildren<QAbstractButton*>(u"recentProjectButton"_s);
        };
        QStringList captions;
        for (auto* button : recent())
            captions << button->text() + u": "_s + button->accessibleName().section(u", "_s, 1);
        QCOMPARE(captions, (QStringList { u"Personal: Start timer"_s, u"Acme: $80.00 / hour"_s }));
        // A card's buttons keep to its trailing edge; the texts take the rest of the row.
        const auto keepsToTheEnd = [this](const QString& card, const QString& button) {
            const QWidget* cardWidget = child(card);
            const QRect area = child(button)->geometry();
            return area.width() < cardWidget->width() / 3 && area.right() > cardWidget->width() * 3 / 4;
        };
        // A clock paints its own background, which must be the card's around it, to the pixel.
        const auto seamless = [this](const QString& name) {
            const QWidget* clock = child(name);
            const QImage shot = clock->window()->grab().toImage();
            const QPoint left = clock->mapTo(clock->window(), QPoint(0, 0));
            const QPoint right = left + QPoint(clock->width() - 1, 0);
            const auto pixel = [&shot](QPoint point) {
                return shot.pixel((QPointF(point) * shot.devicePixelRatio()).toPoint());
            };
            return clock->testAttribute(Qt::WA_OpaquePaintEvent) && pixel(left) == pixel(left - QPoint(2, 0))
                && pixel(right) == pixel(right + QPoint(2, 0));
        };
        h->model->startTracking(acme);
        settle();
        QVERIFY(keepsToTheEnd(u"runningCard"_s, u"stopTimerButton"_s));
        QVERIFY(seamless(u"runningElapsedLabel"_s) && seamless(u"runningPhaseLabel"_s));
        QCOMPARE(text(u"runningProjectLabel"_s), u"Acme"_s);
        h->advance(65);
        QCOMPARE(text(u"runningElapsedLabel"_s), u"00:01:05"_s);
        QCOMPARE(text(u"runningPhaseLabel"_s), u"Work - 00:23:55 remaining"_s);
        QCOMPARE(recent().first()->accessibleName().section(u", "_s, 1), u"Running"_s);
        // A break pauses tracking: the break card takes the running card's place.
        clickButton(u"skipPhaseButton"_s);
        QVERIFY(!shown(u"runningCard"_s) && shown(u"breakCard"_s));
        settle();
        QVERIFY(keepsToTheEnd(u"breakCard"_s, u"skipBreakButton"_s));
        QVERIFY(seamless(u"breakRemainingLabel"_s));
        QCOMPARE(text(u"breakPhaseLabel"_s) + u' ' + text(u"breakRemainingLabel"_s), u"Short Break 00:05:00"_s);
        clickButton(u"skipBreakButton"_s);
        QVERIFY(shown(u"runningCard"_s));
        // The running project's button stops it.
        QTest::mouseClick(recent()[0], Qt::LeftButton);
        settle();
        QVERIFY(!h->model->activeSession() && !shown(u"runningCard"_s));
        QCOMPARE(h->model->entries().size(), 3);
    }

    void calendarExportButtonsAndSheet()
    {
        open({ spanEntry(acme, at(3, 5, 9), at(3, 5, 10)) });
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
        clickButton(u"exportGoogleCalendarButton"_s);
        auto* sheet = view->findChild<GoogleCalendarExportSheet*>();
        QVERIFY(sheet && view->googleCalendarExportDraft());
        Q_EMIT sheet->exportRequested();
        QTRY_VERIFY(h->model->errorMessage().has_value());
        settle();
        QVERIFY(view->findChild<GoogleCalendarExportSheet*>() && view->googleCalendarExportDraft());
        h->model->clearError();
        h->google.exportAnswer = {};
        Q_EMIT sheet->exportRequested();
        QTRY_VERIFY(!view->googleCalendarExportDraft());
        QVERIFY(h->model->successMessage().has_value());
        QCOMPARE(h->model->googleCalendar().eventLinks().size(), 1);
    }

    void screenshots()
    {
        TIVREN_RENDER_DIR_OR_SKIP(dir);
        AppSnapshot snapshot;
        snapshot.settings.pomodoroEnabled = true;
        snapshot.settings.currencyCode = u"EUR"_s;
        const Project site = ratedProject(u"Acme Website Relaunch"_s, 85);
        const Project books = ratedProject(u"Bookkeeping"_s, std::nullopt, u"green"_s);
        const Project design = ratedProject(u"Northwind Design System"_s, 110, u"indigo"_s);
        snapshot.projects = { site, books, design };
        const QStringList notes { u"Navigation and footer"_s, {}, u"Client call about the new colour tokens"_s, {} };
        for (int day = 2; day <= 6; ++day) {
            snapshot.entries.append(spanEntry(site, at(3, day, 9), at(3, day, 11, 10 + day), notes[day % 4]));
            snapshot.entries.append(spanEntry(design, at(3, day, 13), at(3, day, 15, 40), notes[(day + 1) % 4]));
            if (day % 2 == 0)
                snapshot.entries.append(spanEntry(books, at(3, day, 16), at(3, day, 16, 35)));
        }
        for (const auto& [language, name] : { renderLanguages[0], renderLanguages[2] }) {
            stop();
            start(at(3, 6, 17));
            snapshot.settings.languagePreference = language;
            open(snapshot);
            view->setRange(at(3, 2, 0), at(3, 6, 0));
            h->model->startTracking(design);
            h->advance(754);
            settle();
            view->resize(960, 1000);
            QVERIFY(view->grab().save(dir + u"/tivren-overview-"_s + name + u".png"_s));
        }
        QVERIFY(grabDark(*view, dir + u"/tivren-overview-de-dark.png"_s));
    }
};

QTEST_MAIN(tst_OverviewView)
#include "tst_OverviewView.moc"
