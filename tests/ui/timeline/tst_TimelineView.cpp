// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ScreenTesting.h"
#include "ui/timeline/TimelineView.h"
#include "ui/timeline/day/DayTimelineView.h"
#include "ui/timeline/day/WeekStripView.h"
#include "ui/timeline/week/WeekTimelineView.h"

#include <QTest>
#include <QToolButton>

#include <span>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

class tst_TimelineView : public QObject, public ScreenFixture<TimelineView>
{
    Q_OBJECT

    // Local midnight (the tests pin Europe/Amsterdam) of a day in 2026.
    static Instant day(int month, int d) { return localAt(QDate(2026, month, d), 0); }
    Project acme = ratedProject(u"Acme"_s, 80);
    Project blog = ratedProject(u"Blog"_s, std::nullopt, u"green"_s);

    QList<DaySummaryColumn*> columns() const { return view->findChild<WeekStripView*>()->columns(); }
    void press(const QString& button) { QTest::mouseClick(child<QToolButton>(button), Qt::LeftButton); }

private Q_SLOTS:
    void init()
    {
        start(day(3, 26) + 15 * 3600); // Thursday of the week the clocks go forward
        const QDate monday(2026, 3, 23);
        // Tuesday 237 minutes of Acme and 2 of the blog; Wednesday an entry without length; Sunday (DST) 1.5 h.
        open(snapshotOf({ acme, blog },
                 weekEntries(acme, monday, u"1 09:00 12:57, 2 09:00 09:00"_s)
                     + weekEntries(blog, monday, u"1 13:00 13:02, 6 10:00 11:30"_s)),
            { 960, 900 },
            false);
    }

    void cleanup() { stop(); }

    // The week with the spring-forward Sunday: seven calendar days, Monday first; navigation
    // keeps to midnights.
    void navigationAcrossDaylightSaving()
    {
        QCOMPARE(view->selectedWeekStart(), day(3, 23));
        QCOMPARE(text(u"weekRangeLabel"_s), u"March 23 \u2013 29, 2026"_s);
        QCOMPARE(text(u"weekTotalLabel"_s), u"5.5h"_s);
        QStringList days;
        for (DaySummaryColumn* column : columns())
            days << column->weekdayText() + u' ' + QDateTime::fromSecsSinceEpoch(qint64(column->day())).toString(u"d"_s)
                    + u' ' + column->totalText();
        QCOMPARE(days.join(u", "_s),
            u"MON 23 \u2014, TUE 24 4.0h, WED 25 \u2014, THU 26 \u2014, FRI 27 \u2014, SAT 28 \u2014, SUN 29 1.5h"_s);
        QVERIFY(columns()[3]->isToday());
        // A 2-minute share is still there, after the large one; an entry without length makes none.
        const QList<DaySummaryColumn::Share> shares = columns()[1]->projectBreakdown();
        QCOMPARE(shares.size(), 2);
        QVERIFY(shares[0].projectID == acme.id && shares[1].projectID == blog.id);
        QVERIFY(qAbs(shares[1].fraction - 2.0 / 239) < 1e-9);
        QVERIFY(columns()[2]->projectBreakdown().isEmpty());
        press(u"nextWeekButton"_s);
        QCOMPARE(view->selectedWeekStart(), day(3, 30));
        QCOMPARE(view->selectedDay(), day(3, 30));
        QVERIFY(!shown(u"weekTotalLabel"_s));
        press(u"previousWeekButton"_s);
        press(u"previousWeekButton"_s);
        QCOMPARE(view->selectedWeekStart(), day(3, 16));
        press(u"thisWeekButton"_s);
        QCOMPARE(view->selectedWeekStart(), day(3, 23));
        QCOMPARE(view->selectedDay(), day(3, 26));
        // Weeks across a month and a year end.
        press(u"nextWeekButton"_s);
        QCOMPARE(text(u"weekRangeLabel"_s), u"Mar 30 \u2013 Apr 5, 2026"_s);
        QCOMPARE(TimelineView::weekRangeLabel(day(12, 28), QLocale(u"en_US"_s)), u"Dec 28, 2026 \u2013 Jan 3, 2027"_s);
    }

    void dayModeFollowsTheStrip()
    {
        press(u"dayModeButton"_s);
        QCOMPARE(view->viewMode(), TimelineView::ViewMode::day);
        QVERIFY(columns()[3]->isChecked());
        QTest::mouseClick(columns()[6], Qt::LeftButton);
        QCOMPARE(view->selectedDay(), day(3, 29));
        QCOMPARE(view->findChild<DayTimelineView*>()->day(), day(3, 29));
        QVERIFY(columns()[6]->isChecked() && !columns()[3]->isChecked());
        // A day of another week brings its week along.
        view->setSelectedDay(day(4, 2) + 10 * 3600);
        QCOMPARE(view->selectedWeekStart(), day(3, 30));
        QCOMPARE(view->findChild<WeekTimelineView*>()->weekStart(), day(3, 30));
    }

    void reenteringStartsOnThisWeekInWeekMode()
    {
        h->model->setSelectedSection(MainSection::timeline);
        view->setViewMode(TimelineView::ViewMode::day);
        view->nextWeek();
        h->model->setSelectedSection(MainSection::overview);
        h->model->setSelectedSection(MainSection::timeline);
        QCOMPARE(view->viewMode(), TimelineView::ViewMode::week);
        QCOMPARE(view->selectedWeekStart(), day(3, 23));
    }

    void screenshots()
    {
        TIVREN_RENDER_DIR_OR_SKIP(dir);
        h->model->startTracking(acme);
        h->advance(1800);
        for (const auto& [language, name] : std::span(renderLanguages).first(2)) {
            setLanguage(language);
            view->setViewMode(TimelineView::ViewMode::week);
            view->show();
            QCoreApplication::processEvents();
            QVERIFY(view->grab().save(dir + u"/tivren-timeline-week-"_s + name + u".png"_s));
            view->setViewMode(TimelineView::ViewMode::day);
            view->setSelectedDay(day(3, 24));
            QCoreApplication::processEvents();
            QVERIFY(view->grab().save(dir + u"/tivren-timeline-day-"_s + name + u".png"_s));
        }
    }
};

QTEST_MAIN(tst_TimelineView)
#include "tst_TimelineView.moc"
