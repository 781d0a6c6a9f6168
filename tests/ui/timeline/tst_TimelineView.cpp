#include "support/ModelHarness.h"
#include "support/WidgetTesting.h"
#include "ui/timeline/TimelineView.h"
#include "ui/timeline/day/DayTimelineView.h"
#include "ui/timeline/day/WeekStripView.h"
#include "ui/timeline/week/WeekTimelineView.h"

#include <QDateTime>
#include <QLabel>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

// Local wall-clock time (the tests pin Europe/Amsterdam) as an instant.
Instant at(int year, int month, int day, int hour = 0, int minute = 0)
{
    return Instant(QDateTime(QDate(year, month, day), QTime(hour, minute)).toSecsSinceEpoch());
}

QDate dateOf(Instant instant)
{
    return QDateTime::fromSecsSinceEpoch(qint64(instant)).date();
}

} // namespace

class tst_TimelineView : public QObject
{
    Q_OBJECT

    std::unique_ptr<ModelHarness> h;
    std::unique_ptr<TimelineView> view;
    Project acme, blog;

    template <typename T = QWidget> T* child(const QString& name) const { return requireChild<T>(view.get(), name); }
    QList<DaySummaryColumn*> columns() const { return view->findChild<WeekStripView*>()->columns(); }

private Q_SLOTS:
    void init()
    {
        h = std::make_unique<ModelHarness>();
        h->clock.time = at(2026, 3, 26, 15); // Thursday of the week the clocks go forward
        acme = Project(
            QUuid::createUuid(), u"Acme"_s, 80, 15, BillingRoundingStrategy::roundUpPerEntry, u"blue"_s, false, 0);
        blog = Project(
            QUuid::createUuid(), u"Blog"_s, {}, 15, BillingRoundingStrategy::roundUpPerEntry, u"green"_s, false, 0);
        AppSnapshot snapshot;
        snapshot.settings.languagePreference = AppLanguagePreference::english;
        snapshot.projects = { acme, blog };
        snapshot.entries = {
            { QUuid::createUuid(), acme.id, at(2026, 3, 24, 9), at(2026, 3, 24, 12, 57), {} },
            { QUuid::createUuid(), blog.id, at(2026, 3, 24, 13), at(2026, 3, 24, 13, 2), {} },
            { QUuid::createUuid(), acme.id, at(2026, 3, 25, 9), at(2026, 3, 25, 9), {} }, // no length
            { QUuid::createUuid(), blog.id, at(2026, 3, 29, 10), at(2026, 3, 29, 11, 30), {} }, // DST day
        };
        h->load(snapshot);
        h->model->tick();
        view = std::make_unique<TimelineView>(*h->model);
        view->resize(960, 900);
    }
    void cleanup()
    {
        view.reset();
        h.reset();
    }

    void weekRangeLabel_data()
    {
        QTest::addColumn<Instant>("monday");
        QTest::addColumn<QString>("label");
        QTest::newRow("one month") << at(2026, 3, 2) << u"March 2 \u2013 8, 2026"_s;
        QTest::newRow("two months") << at(2026, 3, 30) << u"Mar 30 \u2013 Apr 5, 2026"_s;
        QTest::newRow("two years") << at(2026, 12, 28) << u"Dec 28, 2026 \u2013 Jan 3, 2027"_s;
    }
    void weekRangeLabel()
    {
        QFETCH(Instant, monday);
        QTEST(TimelineView::weekRangeLabel(monday, QLocale(QLocale::English, QLocale::UnitedStates)), "label");
    }

    // The week with the spring-forward Sunday: seven calendar days, Monday first; navigation
    // keeps to midnights.
    void navigationAcrossDaylightSaving()
    {
        QCOMPARE(dateOf(view->selectedWeekStart()), QDate(2026, 3, 23));
        QCOMPARE(child<QLabel>(u"weekRangeLabel"_s)->text(), u"March 23 \u2013 29, 2026"_s);
        QCOMPARE(child<QLabel>(u"weekTotalLabel"_s)->text(), u"5.5h"_s);
        QStringList days;
        for (DaySummaryColumn* column : columns())
            days << column->weekdayText() + u' ' + QString::number(dateOf(column->day()).day()) + u' '
                    + column->totalText();
        QCOMPARE(days,
            (QStringList { u"MON 23 \u2014"_s,
                u"TUE 24 4.0h"_s,
                u"WED 25 \u2014"_s,
                u"THU 26 \u2014"_s,
                u"FRI 27 \u2014"_s,
                u"SAT 28 \u2014"_s,
                u"SUN 29 1.5h"_s }));
        QVERIFY(columns()[3]->isToday());

        QTest::mouseClick(child<QToolButton>(u"nextWeekButton"_s), Qt::LeftButton);
        QCOMPARE(view->selectedWeekStart(), at(2026, 3, 30));
        QCOMPARE(view->selectedDay(), at(2026, 3, 30));
        QVERIFY(!child<QLabel>(u"weekTotalLabel"_s)->isVisibleTo(view.get()));
        QTest::mouseClick(child<QToolButton>(u"previousWeekButton"_s), Qt::LeftButton);
        QTest::mouseClick(child<QToolButton>(u"previousWeekButton"_s), Qt::LeftButton);
        QCOMPARE(view->selectedWeekStart(), at(2026, 3, 16));
        QTest::mouseClick(child<QToolButton>(u"thisWeekButton"_s), Qt::LeftButton);
        QCOMPARE(view->selectedWeekStart(), at(2026, 3, 23));
        QCOMPARE(view->selectedDay(), at(2026, 3, 26));
    }

    void dayModeFollowsTheStrip()
    {
        QTest::mouseClick(child<QToolButton>(u"dayModeButton"_s), Qt::LeftButton);
        QCOMPARE(view->viewMode(), TimelineView::ViewMode::day);
        QVERIFY(columns()[3]->isChecked());
        QTest::mouseClick(columns()[6], Qt::LeftButton);
        QCOMPARE(view->selectedDay(), at(2026, 3, 29));
        QCOMPARE(view->findChild<DayTimelineView*>()->day(), at(2026, 3, 29));
        QVERIFY(columns()[6]->isChecked() && !columns()[3]->isChecked());
        // A day of another week brings its week along.
        view->setSelectedDay(at(2026, 4, 2, 10));
        QCOMPARE(view->selectedWeekStart(), at(2026, 3, 30));
        QCOMPARE(view->findChild<WeekTimelineView*>()->weekStart(), at(2026, 3, 30));
    }

    void projectShares()
    {
        // Tuesday: 237 minutes of Acme, 2 of the blog; the small share is still there, and
        // comes after the large one.
        const QList<DaySummaryColumn::Share> shares = columns()[1]->projectBreakdown();
        QCOMPARE(shares.size(), 2);
        QCOMPARE(shares[0].projectID, acme.id);
        QCOMPARE(shares[1].projectID, blog.id);
        QVERIFY(qAbs(shares[1].fraction - 2.0 / 239) < 1e-9);
        // Wednesday holds only an entry without length: no shares, a dash.
        QVERIFY(columns()[2]->projectBreakdown().isEmpty());
    }

    void reenteringStartsOnThisWeekInWeekMode()
    {
        h->model->setSelectedSection(MainSection::timeline);
        view->setViewMode(TimelineView::ViewMode::day);
        view->nextWeek();
        h->model->setSelectedSection(MainSection::overview);
        h->model->setSelectedSection(MainSection::timeline);
        QCOMPARE(view->viewMode(), TimelineView::ViewMode::week);
        QCOMPARE(view->selectedWeekStart(), at(2026, 3, 23));
    }

    void screenshots()
    {
        const QString dir = qEnvironmentVariable("TIVREN_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("TIVREN_SCREENSHOT_DIR not set");
        h->model->startTracking(acme);
        h->advance(1800);
        for (auto [language, name] : { std::pair { AppLanguagePreference::english, u"en"_s },
                 std::pair { AppLanguagePreference::dutch, u"nl"_s } }) {
            AppSettings settings = h->model->settings();
            settings.languagePreference = language;
            h->model->setSettings(settings);
            view->setViewMode(TimelineView::ViewMode::week);
            view->show();
            QCoreApplication::processEvents();
            QVERIFY(view->grab().save(dir + u"/tivren-timeline-week-"_s + name + u".png"_s));
            view->setViewMode(TimelineView::ViewMode::day);
            view->setSelectedDay(at(2026, 3, 24));
            QCoreApplication::processEvents();
            QVERIFY(view->grab().save(dir + u"/tivren-timeline-day-"_s + name + u".png"_s));
        }
    }
};

QTEST_MAIN(tst_TimelineView)
#include "tst_TimelineView.moc"
