// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/overview/DateRangePicker.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace tivren;

namespace {

// A local wall-clock time in the test's zone (Europe/Amsterdam) as an instant.
Instant at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return Instant(QDateTime(QDate(year, month, day), QTime(hour, minute, second)).toSecsSinceEpoch());
}

// A picker as a window of its own, in US English, showing 2 to 8 March 2026.
struct Picker : DateRangePicker
{
    Picker()
    {
        setLocale(QLocale(u"en_US"_s));
        setRange(at(2026, 3, 2, 9, 15), at(2026, 3, 8, 17, 45));
        show();
    }

    template <typename T> T* child(const QString& name) const { return findChild<T*>(name); }
    QCalendarWidget* calendar(const QString& which) const { return child<QCalendarWidget>(which + u"Calendar"_s); }
    QString label() const { return child<QLabel>(u"rangeLabel"_s)->text(); }
    // A click as the window system delivers it, so an open popup sees it first. A hand lets go
    // only after the press was handled, including the press Qt re-posts when a popup closes.
    void clickInWindow(QWidget* target)
    {
        const QPoint position = target->mapTo(this, target->rect().center());
        QTest::mousePress(windowHandle(), Qt::LeftButton, {}, position);
        QCoreApplication::processEvents();
        QTest::mouseRelease(windowHandle(), Qt::LeftButton, {}, position);
    }
};

} // namespace

class tst_DateRangePicker : public QObject
{
    Q_OBJECT

    // Instants read back as local times, so a failure says which day and hour went wrong.
    static QDateTime local(Instant instant) { return QDateTime::fromMSecsSinceEpoch(qint64(instant * 1000)); }

private Q_SLOTS:
    void initTestCase()
    {
        // The cases below need a zone with daylight saving, also when run outside ctest.
        qputenv("TZ", "Europe/Amsterdam");
        QCOMPARE(at(2026, 3, 30) - at(2026, 3, 29), 23 * 3600.0);
    }

    void presets_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<Instant>("now");
        QTest::addColumn<Instant>("start"); // the end is always the start of today
        // 00:30 here is still 11 March in UTC.
        QTest::newRow("today") << u"todayButton"_s << at(2026, 3, 12, 0, 30) << at(2026, 3, 12);
        // Clocks go forward on 29 March: 6 x 86400 s back from 1 April 00:00 would be 25 March 23:00.
        QTest::newRow("last 7 days, spring DST") << u"last7DaysButton"_s << at(2026, 4, 1, 10) << at(2026, 3, 26);
        QTest::newRow("last 30 days, autumn DST") << u"last30DaysButton"_s << at(2026, 11, 5, 12) << at(2026, 10, 7);
        QTest::newRow("this month on the 1st") << u"thisMonthButton"_s << at(2026, 3, 1, 0, 0, 1) << at(2026, 3, 1);
        QTest::newRow("this year on 1 January") << u"thisYearButton"_s << at(2027, 1, 1, 23) << at(2027, 1, 1);
    }

    void presets()
    {
        QFETCH(QString, button);
        QFETCH(Instant, now);
        QFETCH(Instant, start);
        Picker p;
        p.setClock([now] {
            return now;
        });
        QSignalSpy changed(&p, &DateRangePicker::rangeChanged);
        p.showPopup();
        QTest::mouseClick(p.child<QToolButton>(button), Qt::LeftButton);
        QCOMPARE(changed.count(), 1); // both ends in one edit
        QCOMPARE(local(changed.at(0).at(0).toDouble()), local(start));
        QCOMPARE(local(changed.at(0).at(1).toDouble()), local(now).date().startOfDay());
        QCOMPARE(p.calendar(u"start"_s)->selectedDate(), local(start).date());
        QVERIFY(p.isPopupVisible()); // live editing: open for the next choice
    }

    void calendarsChangeOnlyTheDate()
    {
        Picker p;
        p.setRange(at(2026, 3, 24, 0, 30), at(2026, 3, 25, 17, 45));
        QSignalSpy changed(&p, &DateRangePicker::rangeChanged);
        p.showPopup();
        // Into summer time: the same wall-clock time. The label puts the earlier day first.
        p.calendar(u"start"_s)->setSelectedDate(QDate(2026, 4, 2));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(local(p.start()), local(at(2026, 4, 2, 0, 30)));
        QCOMPARE(p.label(), u"Mar 25, 2026 \u2013 Apr 2, 2026"_s);
        // Less than a day apart, but two days.
        p.calendar(u"end"_s)->setSelectedDate(QDate(2026, 4, 1));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(local(p.end()), local(at(2026, 4, 1, 17, 45)));
        QCOMPARE(p.label(), u"Apr 1, 2026 \u2013 Apr 2, 2026"_s);
        // One local day, though 00:30 here is still 1 April in UTC.
        p.calendar(u"end"_s)->setSelectedDate(QDate(2026, 4, 2));
        QCOMPARE(p.label(), u"Apr 2, 2026"_s);
        // The caller's own writes are not echoed back as edits.
        p.setRange(at(2026, 5, 1), at(2026, 5, 2));
        QCOMPARE(changed.count(), 3);
    }

    void popupOpensAndCloses()
    {
        Picker p;
        QVERIFY(QTest::qWaitForWindowExposed(&p));
        auto* button = p.child<QPushButton>(u"rangeButton"_s);
        QCOMPARE(button->focusPolicy(), Qt::StrongFocus);
        p.clickInWindow(button);
        QTRY_VERIFY(p.isPopupVisible());
        // A second press on the button closes it; the press must not reopen it at once.
        p.clickInWindow(button);
        QTest::qWait(50);
        QVERIFY(!p.isPopupVisible());
        // Escape from inside a calendar closes it too, and the keyboard user is back on the button.
        p.clickInWindow(button);
        QTRY_VERIFY(p.isPopupVisible());
        QTest::keyClick(p.calendar(u"start"_s)->findChild<QTableView*>(), Qt::Key_Escape);
        QTRY_VERIFY(!p.isPopupVisible());
        QTRY_COMPARE(QApplication::focusWidget(), button);
    }

    void followsTheLocale()
    {
        Picker p;
        p.setLocale(QLocale(u"de_DE"_s));
        QCOMPARE(p.label(), u"02.03.2026 \u2013 08.03.2026"_s); // the medium style is numeric here
        p.showPopup(); // built now, after the change
        QCOMPARE(p.child<QToolButton>(u"last30DaysButton"_s)->text(), u"Letzte 30 Tage"_s);
        const QCalendarWidget* calendar = p.calendar(u"end"_s);
        QCOMPARE(calendar->firstDayOfWeek(), Qt::Monday);
        // Weeks now start on Sunday, with the popup built: the highlighted cell must still be the selected day.
        p.setLocale(QLocale(u"en_US"_s));
        QCOMPARE(p.child<QToolButton>(u"last30DaysButton"_s)->text(), u"Last 30 Days"_s);
        QCOMPARE(calendar->firstDayOfWeek(), Qt::Sunday);
        QCOMPARE(calendar->findChild<QTableView*>()->currentIndex().data().toInt(), 8);
    }
};

QTEST_MAIN(tst_DateRangePicker)
#include "tst_DateRangePicker.moc"
