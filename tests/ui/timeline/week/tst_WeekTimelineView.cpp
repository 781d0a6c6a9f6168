#include "support/TestRecords.h"
#include "support/TimelineTesting.h"
#include "support/ViewFixture.h"
#include "ui/style/Style.h"
#include "ui/timeline/TimelineBlock.h"
#include "ui/timeline/week/WeekDayColumnHeader.h"
#include "ui/timeline/week/WeekTimelineView.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

const QDate march2 { 2026, 3, 2 }; // a Monday

// "2 09:15": day 2 of the week of monday (0 is Monday, -1 the Sunday before) at 9:15; hours past
// 24 fall on the following day.
Instant weekTime(QDate monday, const QString& text)
{
    const QStringList parts = text.split(u' ');
    const QStringList time = parts[1].split(u':');
    const int hour = time[0].toInt();
    return localAt(monday.addDays(parts[0].toInt() + hour / 24), hour % 24, time[1].toInt());
}

// "1 09:00 10:30" entries of one project.
QList<TimeEntry> entries(const Project& project, QDate monday, const QStringList& spans)
{
    QList<TimeEntry> result;
    for (const QString& span : spans) {
        const QStringList parts = span.split(u' ');
        const Instant start = weekTime(monday, parts[0] + u' ' + parts[1]);
        result.append(testEntry(project, start, weekTime(monday, parts[0] + u' ' + parts[2]) - start));
    }
    return result;
}

// A week of one rated project's entries.
AppSnapshot week(const QStringList& spans, QDate monday = march2)
{
    AppSnapshot snapshot;
    snapshot.projects = { ratedProject(u"Acme"_s, 80) };
    snapshot.entries = entries(snapshot.projects[0], monday, spans);
    return snapshot;
}

} // namespace

class tst_WeekTimelineView : public QObject, public ViewFixture<WeekTimelineView>
{
    Q_OBJECT

    QWidget* canvas() const { return child(u"weekCanvas"_s); }
    QList<WeekDayColumnHeader*> headers() const { return view->findChildren<WeekDayColumnHeader*>(); }
    // A day column's extent on the canvas, taken from its header above it.
    QRectF column(int day) const
    {
        const WeekDayColumnHeader* header = headers().at(day);
        const int left = header->mapTo(view.get(), QPoint(0, 0)).x() - canvas()->mapTo(view.get(), QPoint(0, 0)).x();
        return QRectF(left, 0, header->width(), canvas()->height());
    }
    QRectF rectOf(const QUuid& id) const { return rectFor(view->blockRects(), id); }
    void click(const QUuid& id) { QTest::mouseClick(canvas(), Qt::LeftButton, {}, rectOf(id).center().toPoint()); }
    bool panelOpen() const { return shown(u"detailContainer"_s); }

    void open(AppSnapshot snapshot, QDate monday, AppLanguagePreference language = AppLanguagePreference::english)
    {
        snapshot.settings.languagePreference = language;
        snapshot.settings.currencyCode = u"USD"_s;
        h->load(snapshot);
        view = std::make_unique<WeekTimelineView>(*h->model);
        view->setWeekStart(localAt(monday, 0));
        view->resize(960, 900);
        view->show();
        QCoreApplication::processEvents();
    }

private Q_SLOTS:
    void init()
    {
        h = std::make_unique<ModelHarness>();
        h->clock.time = localAt(march2.addDays(2), 17); // Wednesday afternoon
        h->model->tick();
    }
    void cleanup()
    {
        view.reset();
        h.reset();
    }

    // The header's columns and the canvas's share their edges, whatever the blocks in them.
    void blocksSitInTheirColumns()
    {
        const AppSnapshot snapshot = week({ u"1 10:00 12:00"_s, u"1 11:00 13:00"_s, u"2 22:00 25:00"_s });
        open(snapshot, march2);
        QCOMPARE(view->axis(), (HourAxis { 0, 24 }));
        QVERIFY(column(1).contains(rectOf(snapshot.entries[0].id)));
        QVERIFY(column(1).contains(rectOf(snapshot.entries[1].id)));
        // Past midnight: a block on Wednesday and one on Thursday.
        QStringList days;
        for (const auto& [id, rect] : view->blockRects()) {
            if (id == snapshot.entries[2].id)
                days << QString::number(column(2).contains(rect) ? 2 : column(3).contains(rect) ? 3 : -1);
        }
        QCOMPARE(days, (QStringList { u"2"_s, u"3"_s }));
    }

    void emptyWeek()
    {
        open(AppSnapshot(), march2);
        QVERIFY(shown(u"weekEmptyState"_s));
        QVERIFY(!shown(u"weekCanvas"_s));
        QCOMPARE(text(u"emptyTitleLabel"_s), u"No entries this week"_s);
        QCOMPARE(text(u"emptyDescriptionLabel"_s), u"No time was tracked this week."_s);
        QStringList weekdays, numbers, totals, today;
        for (WeekDayColumnHeader* header : headers()) {
            weekdays << header->weekdayText();
            numbers << header->dayNumberText();
            totals << header->totalText();
            if (header->isToday())
                today << header->dayNumberText();
        }
        QCOMPARE(weekdays, (QStringList { u"MON"_s, u"TUE"_s, u"WED"_s, u"THU"_s, u"FRI"_s, u"SAT"_s, u"SUN"_s }));
        QCOMPARE(numbers, (QStringList { u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s }));
        QCOMPARE(totals, QStringList(7, u"\u2014"_s));
        QCOMPARE(today, QStringList { u"4"_s });

        // The texts follow the language.
        setLanguage(AppLanguagePreference::dutch);
        QCOMPARE(headers().at(0)->weekdayText(), u"MA"_s);
        QCOMPARE(text(u"emptyTitleLabel"_s), u"Geen registraties deze week"_s);

        // Past midnight the mark moves on by itself.
        h->advance(localAt(march2.addDays(3), 0) - h->clock.time);
        QVERIFY(headers().at(3)->isToday() && !headers().at(2)->isToday());
    }

    // Weeks with a daylight-saving change keep seven calendar days, each column on wall-clock hours.
    void daylightSaving_data()
    {
        QTest::addColumn<QDate>("monday");
        QTest::addColumn<QStringList>("spans");
        QTest::addColumn<QStringList>("totals");
        // Sunday 29 March has 23 hours: 1:00 to 4:00 is two hours. The next Monday's 0:15 entry
        // belongs to the next week.
        QTest::newRow("spring forward")
            << QDate(2026, 3, 23)
            << QStringList { u"0 09:00 10:00"_s, u"6 09:00 10:00"_s, u"6 01:00 04:00"_s, u"7 00:15 00:45"_s }
            << QStringList { u"1.0h"_s, u"\u2014"_s, u"\u2014"_s, u"\u2014"_s, u"\u2014"_s, u"\u2014"_s, u"3.0h"_s };
        // Sunday 25 October has 25 hours: 1:00 to 4:00 is four, and 23:15 is still Sunday.
        QTest::newRow("fall back")
            << QDate(2026, 10, 19)
            << QStringList { u"0 09:00 10:00"_s, u"6 09:00 10:00"_s, u"6 01:00 04:00"_s, u"6 23:15 23:45"_s }
            << QStringList { u"1.0h"_s, u"\u2014"_s, u"\u2014"_s, u"\u2014"_s, u"\u2014"_s, u"\u2014"_s, u"5.5h"_s };
    }
    void daylightSaving()
    {
        QFETCH(QDate, monday);
        QFETCH(QStringList, spans);
        QFETCH(QStringList, totals);
        open(week(spans, monday), monday);
        QStringList numbers, shownTotals, expected;
        for (WeekDayColumnHeader* header : headers()) {
            numbers << header->dayNumberText();
            shownTotals << header->totalText();
        }
        for (int day = 0; day < 7; ++day)
            expected << QString::number(monday.addDays(day).day());
        QCOMPARE(numbers, expected);
        QCOMPARE(headers().at(6)->weekdayText(), u"SUN"_s);
        QCOMPARE(shownTotals, totals);
    }

    void runningTimer_data()
    {
        QTest::addColumn<QString>("since");
        QTest::addColumn<int>("column"); // -1: not drawn
        QTest::newRow("started on Wednesday") << u"2 14:20"_s << 2;
        QTest::newRow("started the Sunday before") << u"-1 22:00"_s << -1;
    }
    void runningTimer()
    {
        QFETCH(QString, since);
        QFETCH(int, column);
        h->clock.time = weekTime(march2, since) + 600;
        h->model->tick();
        AppSnapshot snapshot = week({});
        snapshot.activeSession = ActiveTimerSession { snapshot.projects[0].id, weekTime(march2, since) };
        open(snapshot, march2);

        QCOMPARE(shown(u"weekEmptyState"_s), column < 0);
        QCOMPARE(view->runningBlockRect().has_value(), column >= 0);
        if (column < 0)
            return;
        const QRectF before = *view->runningBlockRect();
        QVERIFY(this->column(column).contains(before.center()));
        QCOMPARE(view->axis(), (HourAxis { 13, 16 }));
        // It grows with the clock, and past the axis end the axis follows.
        h->advance(1800);
        QCOMPARE(view->runningBlockRect()->top(), before.top());
        QVERIFY(view->runningBlockRect()->height() > before.height());
        h->advance(2 * 3600);
        QCOMPARE(view->axis(), (HourAxis { 13, 18 }));
    }

    // What the panel says about the selected entry.
    void panelTexts_data()
    {
        QTest::addColumn<double>("rate"); // 0: not billed
        QTest::addColumn<bool>("projectExists");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hours");
        QTest::addColumn<QString>("billed"); // empty: no billed line
        QTest::addColumn<QString>("amount"); // empty: no amount line

        QTest::newRow("rated, rounded up") << 80.0 << true << u"09:50"_s << u"Kick-off call"_s << u"Acme"_s
                                           << u"0.83 h"_s << u"1.00 h billed"_s << u"$80.00"_s;
        QTest::newRow("rated, whole increments")
            << 80.0 << true << u"10:30"_s << QString() << u"Acme"_s << u"1.50 h"_s << QString() << u"$120.00"_s;
        QTest::newRow("unrated") << 0.0 << true << u"09:50"_s << QString() << u"Acme"_s << u"0.83 h"_s << QString()
                                 << QString();
        QTest::newRow("deleted project") << 80.0 << false << u"09:50"_s << QString() << u"Unknown Project"_s
                                         << u"0.83 h"_s << QString() << QString();
    }
    void panelTexts()
    {
        QFETCH(double, rate);
        QFETCH(bool, projectExists);
        QFETCH(QString, end);
        QFETCH(QString, notes);
        QFETCH(QString, name);
        QFETCH(QString, hours);
        QFETCH(QString, billed);
        QFETCH(QString, amount);
        AppSnapshot snapshot;
        const Project acme = ratedProject(u"Acme"_s, rate > 0 ? std::optional(rate) : std::nullopt);
        if (projectExists)
            snapshot.projects = { acme };
        const Instant nine = localAt(march2.addDays(1), 9);
        const TimeEntry e = testEntry(acme, nine, weekTime(march2, u"1 "_s + end) - nine, notes);
        snapshot.entries = { e };
        open(snapshot, march2);
        click(e.id);

        QCOMPARE(child<Style::ElidedLabel>(u"projectNameLabel"_s)->text(), name);
        QCOMPARE(text(u"dateLabel"_s), u"Tuesday, March 3"_s);
        QCOMPARE(text(u"spanLabel"_s), timeSpan(e, *h->model));
        QCOMPARE(text(u"hoursLabel"_s), hours);
        QCOMPARE(shown(u"billedRow"_s), !billed.isEmpty());
        if (!billed.isEmpty())
            QCOMPARE(text(u"billedLabel"_s), billed);
        QCOMPARE(shown(u"amountRow"_s), !amount.isEmpty());
        if (!amount.isEmpty())
            QCOMPARE(text(u"amountLabel"_s), amount);
        QCOMPARE(shown(u"notesLabel"_s), !notes.isEmpty());
    }

    void selectionLifecycle()
    {
        const AppSnapshot snapshot = week({ u"1 09:00 09:50"_s, u"2 10:00 11:00"_s });
        const TimeEntry tuesday = snapshot.entries[0];
        open(snapshot, march2);
        QSignalSpy edits(view.get(), &WeekTimelineView::editRequested);

        // Clicking the selected block again closes the panel.
        click(tuesday.id);
        QVERIFY(panelOpen());
        click(tuesday.id);
        QVERIFY(!view->selectedEntryID());
        QTRY_VERIFY(!panelOpen());

        // Edit hands the entry to the timeline screen; the selection stays.
        click(tuesday.id);
        child<QPushButton>(u"editButton"_s)->click();
        QCOMPARE(edits.count(), 1);
        QCOMPARE(edits.at(0).at(0).value<TimeEntry>(), tuesday);
        QCOMPARE(view->selectedEntryID(), tuesday.id);

        // Another week forgets the selection, also when coming back.
        view->setWeekStart(localAt(march2.addDays(7), 0));
        QVERIFY(!view->selectedEntryID());
        view->setWeekStart(localAt(march2, 0));
        QVERIFY(!view->selectedEntryID());
        QTRY_VERIFY(!panelOpen());

        // Delete removes the entry at once and closes the panel.
        click(tuesday.id);
        QTRY_VERIFY(panelOpen());
        child<QPushButton>(u"deleteButton"_s)->click();
        QCOMPARE(h->model->entries(), QList<TimeEntry> { snapshot.entries[1] });
        QVERIFY(!view->selectedEntryID());
        QTRY_VERIFY(!panelOpen());
        QVERIFY(rectOf(tuesday.id).isNull());
    }

    // Delete stays red and readable when the theme turns dark while the panel is open.
    void deleteButtonFollowsTheTheme()
    {
        const AppSnapshot snapshot = week({ u"1 09:00 09:50"_s });
        open(snapshot, march2);
        click(snapshot.entries[0].id);
        const QPalette light = QApplication::palette();
        QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x2a, 0x2a, 0x2a));
        QApplication::setPalette(dark);
        QCoreApplication::processEvents();
        const QPalette shown = child<QPushButton>(u"deleteButton"_s)->palette();
        QApplication::setPalette(light);
        QCOMPARE(shown.color(QPalette::Button), dark.color(QPalette::Button));
        QCOMPARE(shown.color(QPalette::ButtonText), Style::destructiveColor().lighter(150));
    }

    void keyboard()
    {
        // Out of order on purpose: the keys go by day, then by time.
        const AppSnapshot snapshot = week({ u"3 09:00 10:00"_s, u"0 13:00 14:00"_s, u"0 09:00 10:00"_s });
        open(snapshot, march2);
        canvas()->setFocus(Qt::TabFocusReason);
        QVERIFY(canvas()->hasFocus());

        QTest::keyClick(canvas(), Qt::Key_Return);
        QCOMPARE(view->selectedEntryID(), snapshot.entries[2].id);
        QTest::keyClick(canvas(), Qt::Key_Right);
        QTest::keyClick(canvas(), Qt::Key_Space);
        QCOMPARE(view->selectedEntryID(), snapshot.entries[1].id);
        QTest::keyClick(canvas(), Qt::Key_Space);
        QVERIFY(!view->selectedEntryID());
        // Left from the first block wraps around to the last.
        QTest::keyClick(canvas(), Qt::Key_Left);
        QTest::keyClick(canvas(), Qt::Key_Left);
        QTest::keyClick(canvas(), Qt::Key_Return);
        QCOMPARE(view->selectedEntryID(), snapshot.entries[0].id);
        QTest::keyClick(canvas(), Qt::Key_Escape);
        QVERIFY(!view->selectedEntryID());
        // Tab walks the blocks, then leaves the canvas after the last (for the panel's buttons).
        canvas()->clearFocus();
        canvas()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(canvas(), Qt::Key_Tab);
        QTest::keyClick(canvas(), Qt::Key_Return);
        QCOMPARE(view->selectedEntryID(), snapshot.entries[1].id);
        QTest::keyClick(canvas(), Qt::Key_Tab);
        QVERIFY(canvas()->hasFocus());
        QTest::keyClick(canvas(), Qt::Key_Tab);
        QVERIFY(!canvas()->hasFocus());
        QCOMPARE(QApplication::focusWidget(), child(u"editButton"_s));
    }

    void screenshots()
    {
        const QString dir = qEnvironmentVariable("TIVREN_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("TIVREN_SCREENSHOT_DIR not set");
        AppSnapshot snapshot;
        const Project acme = ratedProject(u"Acme Website Relaunch"_s, 85);
        const Project books = ratedProject(u"Bookkeeping"_s, std::nullopt, u"green"_s);
        const Project design = ratedProject(u"Northwind Design System"_s, 110, u"indigo"_s);
        snapshot.projects = { acme, books, design };
        snapshot.entries = entries(acme, march2, { u"0 09:00 11:40"_s, u"1 08:30 10:00"_s, u"3 09:00 12:15"_s });
        snapshot.entries += entries(design,
            march2,
            { u"0 13:00 15:30"_s,
                u"1 09:30 11:00"_s,
                u"1 13:00 17:10"_s,
                u"2 09:00 10:45"_s,
                u"3 14:00 15:05"_s,
                u"4 10:00 12:00"_s });
        snapshot.entries += entries(books, march2, { u"0 16:00 16:35"_s, u"1 10:15 10:25"_s, u"4 13:30 14:00"_s });
        snapshot.entries[3].notes = u"Token review with the client; agreed on the new spacing scale and the "
                                    "dark palette, follow-up on Thursday"_s;
        const QUuid selected = snapshot.entries[3].id;
        h->advance(localAt(march2.addDays(2), 15, 30) - h->clock.time);
        snapshot.activeSession = ActiveTimerSession { design.id, localAt(march2.addDays(2), 13, 5) };
        for (auto [language, name] : { std::pair { AppLanguagePreference::english, u"en"_s },
                 std::pair { AppLanguagePreference::dutch, u"nl"_s },
                 std::pair { AppLanguagePreference::german, u"de"_s } }) {
            open(snapshot, march2, language);
            click(selected);
            QTRY_VERIFY(panelOpen());
            QTest::qWait(250);
            QVERIFY(view->grab().save(dir + u"/tivren-week-"_s + name + u".png"_s));
        }
        // Narrow: the header and the panel squeeze, nothing overlaps.
        view->resize(640, 900);
        QCoreApplication::processEvents();
        QVERIFY(view->grab().save(dir + u"/tivren-week-de-narrow.png"_s));
        view->resize(960, 900);
        QVERIFY(grabDark(*view, dir + u"/tivren-week-de-dark.png"_s));
        open(AppSnapshot(), march2);
        QVERIFY(view->grab().save(dir + u"/tivren-week-empty.png"_s));
    }
};

QTEST_MAIN(tst_WeekTimelineView)
#include "tst_WeekTimelineView.moc"
