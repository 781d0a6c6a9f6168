// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ScreenTesting.h"
#include "ui/timeline/day/DayTimelineArea.h"
#include "ui/timeline/day/DayTimelineView.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

const QDate thursday(2026, 3, 5);

} // namespace

class tst_DayTimelineView : public QObject, public ScreenFixture<DayTimelineView>
{
    Q_OBJECT

    static QString span(int from, int to, int toMinute = 0) { return englishSpan(QTime(from, 0), QTime(to, toMinute)); }
    Project acme = ratedProject(u"Acme"_s, 80);

    DayTimelineArea* area() const { return child<DayTimelineArea>(u"timelineArea"_s); }
    void click(const QUuid& id) { clickBlock(area(), area()->blockRects(), id); }
    TimeEntry at(int hour, int minutes = 60, const QString& notes = {}) const
    {
        return testEntry(acme, localAt(thursday, hour), minutes * 60, notes);
    }

    AppSnapshot of(const QList<TimeEntry>& entries) const { return snapshotOf({ acme }, entries, u"EUR"_s); }
    void open(const AppSnapshot& snapshot, bool show = true) { ScreenFixture::open(snapshot, { 900, 560 }, show); }

private Q_SLOTS:
    void init() { start(localAt(thursday, 17)); }
    void cleanup() { stop(); }

    void emptyDayAndHeader()
    {
        // Only the part of the night entry inside the day counts; a timer is drawn on its own day only.
        AppSnapshot snapshot = of({ at(9, 90), testEntry(acme, localAt(thursday.addDays(-1), 23), 105 * 60) });
        snapshot.activeSession = ActiveTimerSession { acme.id, localAt(thursday.addDays(-1), 14, 20) };
        open(snapshot, false);
        QCOMPARE(text(u"dayTitleLabel"_s), u"Thursday, March 5, 2026"_s);
        QCOMPARE(text(u"dayTotalLabel"_s), u"2.25 h"_s);
        QCOMPARE(area()->runningRect(), std::nullopt);
        QVERIFY(shown(u"timelineArea"_s) && !shown(u"emptyState"_s));
        view->setDay(localAt(thursday.addDays(2), 9));
        QVERIFY(shown(u"emptyState"_s) && !shown(u"timelineArea"_s) && !shown(u"dayTotalLabel"_s));
        QCOMPARE(text(u"emptyTitleLabel"_s), u"No entries"_s);
        QCOMPARE(text(u"emptyDescriptionLabel"_s), u"No time was tracked on this day."_s);
        view->setDay(localAt(thursday, 9));
        setLanguage(AppLanguagePreference::dutch);
        QCOMPARE(text(u"dayTitleLabel"_s), u"donderdag 5 maart 2026"_s);
        QCOMPARE(text(u"dayTotalLabel"_s), u"2,25 u"_s);
    }

    void sidebarDetails_data()
    {
        QTest::addColumn<double>("rate"); // 0: not billed, -1: project deleted
        QTest::addColumn<int>("minutes");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QStringList>("expected"); // project, hours, billed, amount, notes
        QTest::newRow("rated, rounded up")
            << 80.0 << 80 << u"Nav"_s
            << QStringList { u"Acme"_s, u"1.33 h"_s, u"1.50 h billed"_s, u"€120.00"_s, u"Nav"_s };
        QTest::newRow("rated, nothing to round")
            << 80.0 << 90 << QString() << QStringList { u"Acme"_s, u"1.50 h"_s, {}, u"€120.00"_s, {} };
        QTest::newRow("no rate") << 0.0 << 80 << QString() << QStringList { u"Acme"_s, u"1.33 h"_s, {}, {}, {} };
        QTest::newRow("deleted project") << -1.0 << 80 << u"Left"_s
                                         << QStringList { u"Unknown Project"_s, u"1.33 h"_s, {}, {}, u"Left"_s };
    }

    void sidebarDetails()
    {
        QFETCH(double, rate);
        QFETCH(int, minutes);
        QFETCH(QString, notes);
        acme = ratedProject(u"Acme"_s, rate > 0 ? std::optional(rate) : std::nullopt);
        const TimeEntry e = at(9, minutes, notes);
        AppSnapshot snapshot = of({ e });
        if (rate < 0)
            snapshot.projects.clear();
        open(snapshot, false);
        QVERIFY(!shown(u"detailSidebar"_s));
        view->toggleSelection(e.id);
        QVERIFY(shown(u"detailSidebar"_s));
        QStringList texts { text(u"projectNameLabel"_s), text(u"hoursLabel"_s) };
        for (const QString& label : { u"billedLabel"_s, u"amountLabel"_s, u"notesLabel"_s })
            texts << (shown(label) ? text(label) : QString());
        QTEST(texts, "expected");
        QCOMPARE(text(u"spanLabel"_s), span(9, 9 + minutes / 60, minutes % 60));
    }

    void selectionLifecycle()
    {
        const TimeEntry a = at(9), b = at(13);
        open(of({ b, a })); // out of order: the keys go by time
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view.get()));
        // Keyboard: as when tabbing in from the week strip above.
        area()->clearFocus();
        area()->setFocus(Qt::TabFocusReason);
        QCOMPARE(area()->currentID(), std::optional(a.id));
        QCOMPARE(area()->accessibleDescription(), u"Acme: "_s + span(9, 10));
        QTest::keyClick(area(), Qt::Key_Right);
        QCOMPARE(area()->currentID(), std::optional(b.id));
        QTest::keyClick(area(), Qt::Key_Return);
        QCOMPARE(view->selectedEntryID(), std::optional(b.id));
        QTest::keyClick(area(), Qt::Key_Escape);
        QCOMPARE(view->selectedEntryID(), std::nullopt);
        QTest::keyClick(area(), Qt::Key_Space);
        QCOMPARE(view->selectedEntryID(), std::optional(b.id));
        QTest::keyClick(area(), Qt::Key_Space);
        QCOMPARE(view->selectedEntryID(), std::nullopt);
        // Tab leaves after the last block, for the sidebar's buttons and beyond.
        QTest::keyClick(area(), Qt::Key_Right);
        QTest::keyClick(area(), Qt::Key_Tab);
        QCOMPARE(area()->currentID(), std::optional(b.id));
        QVERIFY(area()->hasFocus());
        // Mouse: a click selects, a second click on the same block closes the sidebar.
        click(a.id);
        QTRY_COMPARE(child(u"detailSidebar"_s)->width(), 240);
        click(b.id);
        QCOMPARE(text(u"spanLabel"_s), span(13, 14));
        click(b.id);
        QCOMPARE(view->selectedEntryID(), std::nullopt);
        QTRY_VERIFY(!child(u"detailSidebar"_s)->isVisible());
        // A new day starts without a selection, also after coming back.
        view->toggleSelection(a.id);
        view->setDay(localAt(thursday.addDays(1), 12));
        QVERIFY(!view->selectedEntryID() && !shown(u"detailSidebar"_s));
        view->setDay(localAt(thursday, 12));
        QCOMPARE(view->selectedEntryID(), std::nullopt);
        // Edit only asks.
        view->toggleSelection(a.id);
        QSignalSpy edits(view.get(), &DayTimelineView::editRequested);
        child<QPushButton>(u"editButton"_s)->click();
        QCOMPARE(edits.count(), 1);
        QCOMPARE(edits.first().first().value<TimeEntry>(), a);
        // Moved to another day elsewhere: the sidebar closes, the selection comes back with the entry.
        h->model->updateEntry(a, a.startDate + 86400, a.endDate + 86400, {});
        QVERIFY(!shown(u"detailSidebar"_s));
        QCOMPARE(view->selectedEntryID(), std::optional(a.id));
        h->model->updateEntry(a, localAt(thursday, 9), localAt(thursday, 10, 30), {});
        QVERIFY(shown(u"detailSidebar"_s));
        QCOMPARE(text(u"hoursLabel"_s), u"1.50 h"_s);
        // Delete: at once, without asking, and the selection is gone.
        child<QPushButton>(u"deleteButton"_s)->click();
        QCOMPARE(h->model->entries(), QList<TimeEntry> { b });
        QVERIFY(!view->selectedEntryID() && !shown(u"detailSidebar"_s));
        QCOMPARE(area()->blockRects().size(), 1);
    }

    void runningSession()
    {
        AppSnapshot snapshot = of({});
        snapshot.activeSession = ActiveTimerSession { acme.id, localAt(thursday, 14, 20) };
        h->clock.time = localAt(thursday, 15, 20) + 10;
        open(snapshot);
        QVERIFY(!shown(u"emptyState"_s));
        QCOMPARE(text(u"dayTotalLabel"_s), u"1.00 h"_s);
        const QRectF before = *area()->runningRect();
        // A tick grows the block and repaints it alone.
        QApplication::processEvents();
        PaintRecorder recorder;
        area()->installEventFilter(&recorder);
        h->advance(30);
        QTRY_VERIFY(!recorder.painted.isEmpty());
        const QRectF after = *area()->runningRect();
        QVERIFY(after.height() > before.height());
        QVERIFY(before.united(after).adjusted(-3, -3, 3, 3).contains(recorder.painted.boundingRect()));
        QCOMPARE(text(u"dayTotalLabel"_s), u"1.01 h"_s);
        // Hidden (the week is showing), it does no work; shown again, it has caught up.
        view->hide();
        recorder.painted = QRegion();
        h->advance(60 * 6);
        QApplication::processEvents();
        QVERIFY(recorder.painted.isEmpty());
        QCOMPARE(area()->runningRect(), after);
        view->show();
        QCOMPARE(text(u"dayTotalLabel"_s), u"1.11 h"_s);
        QVERIFY(area()->runningRect()->height() > after.height());
        area()->removeEventFilter(&recorder);
        // Stopping turns it into an entry.
        h->model->stopTimer();
        QCOMPARE(area()->runningRect(), std::nullopt);
        QCOMPARE(area()->blockRects().size(), 1);
    }

    void screenshots()
    {
        TIVREN_RENDER_DIR_OR_SKIP(dir);
        AppSnapshot snapshot = of({});
        const Project books = ratedProject(u"Bookkeeping"_s, std::nullopt, u"green"_s);
        const Project design = ratedProject(u"Northwind Design System"_s, 110, u"indigo"_s);
        const Project support = ratedProject(u"Support"_s, 60, u"orange"_s);
        acme = ratedProject(u"Acme Website Relaunch"_s, 85);
        snapshot.projects = { acme, books, design, support };
        snapshot.entries = weekEntries(acme, thursday, u"0 08:30 10:15, 0 13:00 15:10"_s)
            + weekEntries(design, thursday, u"0 09:40 11:05"_s)
            + weekEntries(support, thursday, u"0 11:15 11:20, 0 13:45 14:30"_s)
            + weekEntries(books, thursday, u"0 11:30 12:10"_s);
        snapshot.entries[0].notes = u"Navigation and footer"_s;
        snapshot.entries[2].notes = u"Client call about the new colour tokens and the button states"_s;
        snapshot.entries[4].notes = u"Login problem"_s;
        snapshot.activeSession = ActiveTimerSession { design.id, localAt(thursday, 15, 30) };
        for (const auto& [language, name] : renderLanguages) {
            stop();
            start(localAt(thursday, 16, 42));
            snapshot.settings.languagePreference = language;
            open(snapshot);
            view->resize(900, 640);
            view->toggleSelection(snapshot.entries[2].id);
            QTRY_COMPARE(child(u"detailSidebar"_s)->width(), 240);
            QVERIFY(view->grab().save(dir + u"/tivren-day-"_s + name + u".png"_s));
        }
        QVERIFY(grabDark(*view, dir + u"/tivren-day-de-dark.png"_s));
        view->setDay(localAt(thursday.addDays(2), 12));
        QApplication::processEvents();
        QVERIFY(view->grab().save(dir + u"/tivren-day-empty.png"_s));
    }
};

QTEST_MAIN(tst_DayTimelineView)
#include "tst_DayTimelineView.moc"
