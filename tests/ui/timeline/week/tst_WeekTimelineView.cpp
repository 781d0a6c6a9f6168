// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ScreenTesting.h"
#include "ui/style/Style.h"
#include "ui/timeline/week/WeekCanvas.h"
#include "ui/timeline/week/WeekDayColumnHeader.h"
#include "ui/timeline/week/WeekTimelineView.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

const QDate march2 { 2026, 3, 2 }; // a Monday

// A week of one rated project's entries.
AppSnapshot week(const QString& spans)
{
    const Project acme = ratedProject(u"Acme"_s, 80);
    return snapshotOf({ acme }, weekEntries(acme, march2, spans), u"USD"_s);
}

} // namespace

class tst_WeekTimelineView : public QObject, public ScreenFixture<WeekTimelineView>
{
    Q_OBJECT

    QWidget* canvas() const { return child(u"weekCanvas"_s); }
    QList<WeekDayColumnHeader*> headers() const { return view->findChildren<WeekDayColumnHeader*>(); }
    // The headers as "MON 2 —", today marked with a star.
    QStringList headerTexts() const
    {
        QStringList result;
        for (WeekDayColumnHeader* header : headers())
            result << header->weekdayText() + u' ' + header->dayNumberText() + (header->isToday() ? u"* "_s : u" "_s)
                    + header->totalText();
        return result;
    }

    void click(const QUuid& id) { clickBlock(canvas(), view->blockRects(), id); }
    bool panelOpen() const { return shown(u"detailContainer"_s); }

    void open(const AppSnapshot& snapshot) { ScreenFixture::open(snapshot, { 960, 900 }); }

private Q_SLOTS:
    void init() { start(localAt(march2.addDays(2), 17)); } // Wednesday afternoon
    void cleanup() { stop(); }

    void emptyWeek()
    {
        open(AppSnapshot());
        QVERIFY(shown(u"weekEmptyState"_s) && !shown(u"weekCanvas"_s));
        QCOMPARE(text(u"emptyTitleLabel"_s), u"No entries this week"_s);
        QCOMPARE(text(u"emptyDescriptionLabel"_s), u"No time was tracked this week."_s);
        QCOMPARE(headerTexts().join(u", "_s).replace(u"\u2014"_s, u"-"_s),
            u"MON 2 -, TUE 3 -, WED 4* -, THU 5 -, FRI 6 -, SAT 7 -, SUN 8 -"_s);
        setLanguage(AppLanguagePreference::dutch);
        QCOMPARE(headers().at(0)->weekdayText(), u"MA"_s);
        QCOMPARE(text(u"emptyTitleLabel"_s), u"Geen registraties deze week"_s);
        // Past midnight the mark moves on by itself.
        h->advance(localAt(march2.addDays(3), 0) - h->clock.time);
        QVERIFY(headers().at(3)->isToday() && !headers().at(2)->isToday());
    }

    // A hidden week, also one never shown yet, leaves the clock alone and catches up when shown.
    void hiddenViewFollowsTheClockOnlyWhenShown()
    {
        AppSnapshot snapshot = week(u"0 09:00 10:00"_s);
        snapshot.activeSession = ActiveTimerSession { snapshot.projects[0].id, localAt(march2.addDays(2), 16) };
        ScreenFixture::open(snapshot, { 960, 900 }, false);
        const QRectF started = *view->runningBlockRect();
        h->advance(3600);
        QCOMPARE(*view->runningBlockRect(), started);
        view->show();
        const QRectF shown = *view->runningBlockRect();
        QVERIFY(shown.height() > started.height());
        view->hide();
        h->advance(3600);
        QCOMPARE(*view->runningBlockRect(), shown);
        view->show();
        QVERIFY(view->runningBlockRect()->height() > shown.height());
    }

    void panelTexts_data()
    {
        QTest::addColumn<double>("rate"); // 0: not billed, -1: project deleted
        QTest::addColumn<QString>("end");
        QTest::addColumn<QStringList>("expected"); // name, hours, billed, amount
        QTest::newRow("rated, rounded up")
            << 80.0 << u"09:50"_s << QStringList { u"Acme"_s, u"0.83 h"_s, u"1.00 h billed"_s, u"$80.00"_s };
        QTest::newRow("unrated") << 0.0 << u"09:50"_s << QStringList { u"Acme"_s, u"0.83 h"_s, {}, {} };
        QTest::newRow("deleted project") << -1.0 << u"09:50"_s
                                         << QStringList { u"Unknown Project"_s, u"0.83 h"_s, {}, {} };
    }

    void panelTexts()
    {
        QFETCH(double, rate);
        QFETCH(QString, end);
        AppSnapshot snapshot = week({});
        const Project acme = ratedProject(u"Acme"_s, rate > 0 ? std::optional(rate) : std::nullopt);
        snapshot.projects = rate < 0 ? QList<Project>() : QList<Project> { acme };
        snapshot.entries = weekEntries(acme, march2, u"1 09:00 "_s + end);
        open(snapshot);
        click(snapshot.entries[0].id);
        QStringList texts { child<Style::ElidedLabel>(u"projectNameLabel"_s)->text(), text(u"hoursLabel"_s) };
        texts << (shown(u"billedRow"_s) ? text(u"billedLabel"_s) : QString());
        texts << (shown(u"amountRow"_s) ? text(u"amountLabel"_s) : QString());
        QTEST(texts, "expected");
        QCOMPARE(text(u"dateLabel"_s), u"Tuesday, March 3"_s);
    }

    void selectionLifecycle()
    {
        const AppSnapshot snapshot = week(u"1 09:00 09:50, 2 10:00 11:00"_s);
        const TimeEntry tuesday = snapshot.entries[0];
        open(snapshot);
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
        click(tuesday.id);
        QTRY_VERIFY(panelOpen());
        // Delete stays red and readable when the theme turns dark while the panel is open.
        const QPalette light = QApplication::palette();
        QApplication::setPalette(QPalette(QColor(0x35, 0x35, 0x35), QColor(0x2a, 0x2a, 0x2a)));
        QCoreApplication::processEvents();
        const QPalette dark = child<QPushButton>(u"deleteButton"_s)->palette();
        QApplication::setPalette(light);
        QCOMPARE(dark.color(QPalette::Button), QColor(0x35, 0x35, 0x35));
        QCOMPARE(dark.color(QPalette::ButtonText), Style::destructiveColor().lighter(150));
        // Delete removes the entry at once and closes the panel.
        child<QPushButton>(u"deleteButton"_s)->click();
        QCOMPARE(h->model->entries(), QList<TimeEntry> { snapshot.entries[1] });
        QVERIFY(!view->selectedEntryID());
        QTRY_VERIFY(!panelOpen());
        QVERIFY(rectFor(view->blockRects(), tuesday.id).isNull());
    }

    void keyboard()
    {
        // Out of order on purpose: the keys go by day, then by time.
        const AppSnapshot snapshot = week(u"3 09:00 10:00, 0 13:00 14:00, 0 09:00 10:00"_s);
        open(snapshot);
        canvas()->setFocus(Qt::TabFocusReason);
        QVERIFY(canvas()->hasFocus());
        // Left from the first block wraps around to the last.
        const std::pair<QString, int> steps[] { { u"Return"_s, 2 },
            { u"Right, Space"_s, 1 },
            { u"Space"_s, -1 },
            { u"Left, Left, Return"_s, 0 },
            { u"Esc"_s, -1 } };
        for (const auto& [keys, selected] : steps) {
            typeKeys(canvas(), keys);
            QCOMPARE(
                view->selectedEntryID(), selected < 0 ? std::nullopt : std::optional(snapshot.entries[selected].id));
        }
        // Tab walks the blocks, then leaves the canvas after the last (for the panel's buttons).
        canvas()->clearFocus();
        canvas()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(canvas(), Qt::Key_Tab);
        QTest::keyClick(canvas(), Qt::Key_Return);
        QCOMPARE(view->selectedEntryID(), snapshot.entries[1].id);
        QTest::keyClick(canvas(), Qt::Key_Tab);
        QVERIFY(canvas()->hasFocus());
        QTest::keyClick(canvas(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), child(u"editButton"_s));
    }

    // GNOME's 11 pt and larger in a twelve-hour locale: the hour labels' column widens so no label
    // loses its first digits, and the day headers stay over their columns.
    void hourLabelsAtLargeFonts_data()
    {
        QTest::addColumn<int>("points");
        QTest::newRow("11 pt") << 11;
        QTest::newRow("16 pt") << 16;
    }
    void hourLabelsAtLargeFonts()
    {
        QFETCH(int, points);
        open(week(u"0 07:00 09:00, 3 17:00 22:30"_s));
        // As when the desktop's font changes while the window is open.
        QFont large = view->font();
        large.setPointSize(points);
        view->setFont(large);
        QCoreApplication::processEvents();
        const QFont labelFont = Style::font(TextStyle::caption2, large);
        QCOMPARE(canvas()->font().pointSize(), points);
        const WeekFrame frame = static_cast<WeekCanvas*>(canvas())->frame();
        const QLocale en(u"en_US"_s);
        for (int hour = int(view->axis().start); hour <= int(view->axis().end); ++hour) {
            const QString label = en.toString(QTime(hour % 24, 0), QLocale::ShortFormat);
            QVERIFY2(QFontMetricsF(labelFont).horizontalAdvance(label) <= frame.gutter - 6, qPrintable(label));
        }
        QVERIFY(frame.gutter > WeekFrame {}.gutter);
        const QWidget* monday = headers().constFirst();
        QCOMPARE(
            monday->mapTo(view.get(), QPoint()).x() - child(u"columnHeadersRow"_s)->mapTo(view.get(), QPoint()).x(),
            int(std::round(frame.gutter)));
    }

    void screenshots()
    {
        TIVREN_RENDER_DIR_OR_SKIP(dir);
        AppSnapshot snapshot = week({});
        const Project acme = ratedProject(u"Acme Website Relaunch"_s, 85);
        const Project books = ratedProject(u"Bookkeeping"_s, std::nullopt, u"green"_s);
        const Project design = ratedProject(u"Northwind Design System"_s, 110, u"indigo"_s);
        snapshot.projects = { acme, books, design };
        snapshot.entries = weekEntries(acme, march2, u"0 09:00 11:40, 1 08:30 10:00, 3 09:00 12:15"_s)
            + weekEntries(design,
                march2,
                u"0 13:00 15:30, 1 09:30 11:00, 1 13:00 17:10, 2 09:00 10:45, 3 14:00 15:05, 4 10:00 12:00"_s)
            + weekEntries(books, march2, u"0 16:00 16:35, 1 10:15 10:25, 4 13:30 14:00"_s);
        snapshot.entries[3].notes = u"Token review with the client; agreed on the new spacing scale and the "
                                    "dark palette, follow-up on Thursday"_s;
        h->advance(localAt(march2.addDays(2), 15, 30) - h->clock.time);
        snapshot.activeSession = ActiveTimerSession { design.id, localAt(march2.addDays(2), 13, 5) };
        for (const auto& [language, name] : renderLanguages) {
            snapshot.settings.languagePreference = language;
            open(snapshot);
            click(snapshot.entries[3].id);
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
        // GNOME's default font size in a twelve-hour locale.
        snapshot.settings.languagePreference = AppLanguagePreference::english;
        open(snapshot);
        QFont gnome = view->font();
        gnome.setPointSize(11);
        view->setFont(gnome);
        QCoreApplication::processEvents();
        QVERIFY(view->grab().save(dir + u"/tivren-week-en-11pt.png"_s));
        open(AppSnapshot());
        QVERIFY(view->grab().save(dir + u"/tivren-week-empty.png"_s));
    }
};

QTEST_MAIN(tst_WeekTimelineView)
#include "tst_WeekTimelineView.moc"
