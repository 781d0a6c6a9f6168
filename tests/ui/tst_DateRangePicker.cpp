#include "ui/DateRangePicker.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace tivren;
using DateRanges::Preset;

namespace {

// A local wall-clock time in the test's zone (Europe/Amsterdam) as an instant.
Instant at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return Instant(QDateTime(QDate(year, month, day), QTime(hour, minute, second)).toSecsSinceEpoch());
}

// Instants read back as local times, so a failure says which day and hour went wrong.
QDateTime local(Instant instant)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(instant * 1000));
}

// A picker in a window of its own, the way the overview holds it.
struct Harness
{
    QWidget window;
    DateRangePicker* picker = new DateRangePicker(&window);
    Instant now = at(2026, 3, 12, 15, 30);

    Harness()
    {
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(picker);
        layout->addStretch(1);
        window.setLocale(QLocale(u"en_US"_s));
        picker->setClock([this] {
            return now;
        });
        picker->setRange(at(2026, 3, 2, 9, 15), at(2026, 3, 8, 17, 45));
        window.resize(640, 80);
        window.show();
    }
    template <typename T> T* child(const QString& name) const { return picker->findChild<T*>(name); }
    QPushButton* button() const { return child<QPushButton>(u"rangeButton"_s); }
    QString label() const { return child<QLabel>(u"rangeLabel"_s)->text(); }
    // A click as the window system delivers it, so an open popup sees it first. A hand lets go
    // only after the press was handled, including the press Qt re-posts when a popup closes.
    void clickInWindow(QWidget* target) const
    {
        const QPoint position = target->mapTo(&window, target->rect().center());
        QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, position);
        QCoreApplication::processEvents();
        QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, position);
    }
};

} // namespace

class tst_DateRangePicker : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void presets_data()
    {
        QTest::addColumn<Preset>("preset");
        QTest::addColumn<Instant>("now");
        QTest::addColumn<Instant>("start");
        QTest::addColumn<Instant>("end");

        const Instant march12 = at(2026, 3, 12);
        QTest::newRow("today") << Preset::today << at(2026, 3, 12, 15, 30) << march12 << march12;
        // 00:30 here is still 11 March in UTC.
        QTest::newRow("today, local not UTC") << Preset::today << at(2026, 3, 12, 0, 30) << march12 << march12;
        // Clocks go forward on 29 March: 6 x 86400 s back from 1 April 00:00 would be 25 March 23:00.
        QTest::newRow("last 7 days across spring DST")
            << Preset::last7Days << at(2026, 4, 1, 10) << at(2026, 3, 26) << at(2026, 4, 1);
        QTest::newRow("last 30 days across autumn DST")
            << Preset::last30Days << at(2026, 11, 5, 12) << at(2026, 10, 7) << at(2026, 11, 5);
        QTest::newRow("this month") << Preset::thisMonth << at(2026, 3, 29, 12) << at(2026, 3, 1) << at(2026, 3, 29);
        QTest::newRow("this month on the 1st")
            << Preset::thisMonth << at(2026, 3, 1, 0, 0, 1) << at(2026, 3, 1) << at(2026, 3, 1);
        QTest::newRow("this year") << Preset::thisYear << at(2026, 6, 15, 9) << at(2026, 1, 1) << at(2026, 6, 15);
        QTest::newRow("this year on 1 January")
            << Preset::thisYear << at(2027, 1, 1, 23) << at(2027, 1, 1) << at(2027, 1, 1);
    }

    void presets()
    {
        QFETCH(Preset, preset);
        QFETCH(Instant, now);
        QFETCH(Instant, start);
        QFETCH(Instant, end);
        const auto [written, today] = DateRanges::apply(preset, now);
        QCOMPARE(local(written), local(start));
        QCOMPARE(local(today), local(end));
    }

    void label_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<Instant>("start");
        QTest::addColumn<Instant>("end");
        QTest::addColumn<QString>("label");

        QTest::newRow("one instant") << u"en_US"_s << at(2026, 3, 2, 9) << at(2026, 3, 2, 9) << u"Mar 2, 2026"_s;
        QTest::newRow("same day, different times")
            << u"en_US"_s << at(2026, 3, 2) << at(2026, 3, 2, 23, 59, 59) << u"Mar 2, 2026"_s;
        // 00:30 here is still 1 March in UTC: days are local days.
        QTest::newRow("same local day, two UTC days")
            << u"en_US"_s << at(2026, 3, 2, 0, 30) << at(2026, 3, 2, 23, 30) << u"Mar 2, 2026"_s;
        QTest::newRow("two days") << u"en_US"_s << at(2026, 3, 2, 23, 59, 59) << at(2026, 3, 3)
                                  << u"Mar 2, 2026 \u2013 Mar 3, 2026"_s;
        QTest::newRow("start after end") << u"en_US"_s << at(2026, 3, 8) << at(2026, 3, 2)
                                         << u"Mar 2, 2026 \u2013 Mar 8, 2026"_s;
        QTest::newRow("Dutch") << u"nl_NL"_s << at(2026, 3, 8) << at(2026, 3, 2) << u"2 mrt 2026 \u2013 8 mrt 2026"_s;
        QTest::newRow("German medium style is numeric")
            << u"de_DE"_s << at(2025, 12, 24) << at(2026, 1, 6) << u"24.12.2025 \u2013 06.01.2026"_s;
    }

    void label()
    {
        QFETCH(QString, locale);
        QFETCH(Instant, start);
        QFETCH(Instant, end);
        QFETCH(QString, label);
        QCOMPARE(DateRanges::label(start, end, QLocale(locale)), label);
    }

    void presetButtonWritesBothEndsOnce()
    {
        Harness h;
        QSignalSpy changed(h.picker, &DateRangePicker::rangeChanged);
        h.picker->showPopup();
        QTest::mouseClick(h.child<QToolButton>(u"last7DaysButton"_s), Qt::LeftButton);

        QCOMPARE(changed.count(), 1);
        QCOMPARE(local(changed.at(0).at(0).toDouble()), local(at(2026, 3, 6)));
        QCOMPARE(local(changed.at(0).at(1).toDouble()), local(at(2026, 3, 12)));
        QCOMPARE(h.picker->start(), at(2026, 3, 6));
        QCOMPARE(h.picker->end(), at(2026, 3, 12));
        QCOMPARE(h.label(), u"Mar 6, 2026 \u2013 Mar 12, 2026"_s);
        QCOMPARE(h.child<QCalendarWidget>(u"startCalendar"_s)->selectedDate(), QDate(2026, 3, 6));
        QCOMPARE(h.child<QCalendarWidget>(u"endCalendar"_s)->selectedDate(), QDate(2026, 3, 12));
        // Live editing: the popup stays open for the next choice.
        QVERIFY(h.picker->isPopupVisible());

        QTest::mouseClick(h.child<QToolButton>(u"todayButton"_s), Qt::LeftButton);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(h.picker->start(), h.picker->end());
        QCOMPARE(h.label(), u"Mar 12, 2026"_s);
    }

    void calendarsChangeOnlyTheDate()
    {
        Harness h;
        h.picker->setRange(at(2026, 3, 20, 9, 15, 30), at(2026, 3, 25, 17, 45));
        QSignalSpy changed(h.picker, &DateRangePicker::rangeChanged);
        h.picker->showPopup();

        // Into summer time: the same wall-clock time, one hour less in between.
        h.child<QCalendarWidget>(u"startCalendar"_s)->setSelectedDate(QDate(2026, 4, 2));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(local(h.picker->start()), local(at(2026, 4, 2, 9, 15, 30)));
        QCOMPARE(local(h.picker->end()), local(at(2026, 3, 25, 17, 45)));
        QCOMPARE(h.label(), u"Mar 25, 2026 \u2013 Apr 2, 2026"_s);

        // The keyboard, as a user moves through the end calendar.
        auto* endView = h.child<QCalendarWidget>(u"endCalendar"_s)->findChild<QTableView*>();
        QVERIFY(endView);
        endView->setFocus();
        QTest::keyClick(endView, Qt::Key_Right);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(local(h.picker->end()), local(at(2026, 3, 26, 17, 45)));
        QCOMPARE(local(h.picker->start()), local(at(2026, 4, 2, 9, 15, 30)));

        // The caller's own writes are not echoed back as edits.
        h.picker->setRange(at(2026, 5, 1), at(2026, 5, 2));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(h.child<QCalendarWidget>(u"startCalendar"_s)->selectedDate(), QDate(2026, 5, 1));
    }

    void popupOpensAndCloses()
    {
        Harness h;
        QVERIFY(QTest::qWaitForWindowExposed(&h.window));
        QPushButton* button = h.button();
        QCOMPARE(button->focusPolicy(), Qt::StrongFocus);

        h.clickInWindow(button);
        QTRY_VERIFY(h.picker->isPopupVisible());
        const QWidget* popup = h.child<QWidget>(u"rangePopup"_s);
        QVERIFY(popup->geometry().top() >= button->mapToGlobal(QPoint(0, button->height())).y());

        // A second press on the button closes it; the press must not reopen it at once.
        h.clickInWindow(button);
        QTRY_VERIFY(!h.picker->isPopupVisible());
        QTest::qWait(50);
        QVERIFY(!h.picker->isPopupVisible());

        // Escape from inside a calendar closes it too.
        h.clickInWindow(button);
        QTRY_VERIFY(h.picker->isPopupVisible());
        auto* startView = h.child<QCalendarWidget>(u"startCalendar"_s)->findChild<QTableView*>();
        startView->setFocus();
        QTest::keyClick(startView, Qt::Key_Escape);
        QTRY_VERIFY(!h.picker->isPopupVisible());
        QCOMPARE(h.picker->start(), at(2026, 3, 2, 9, 15));
        // Back where the keyboard user left off.
        QTRY_COMPARE(QApplication::focusWidget(), button);
    }

    void followsTheLocaleOfItsWindow()
    {
        Harness h;
        QSignalSpy changed(h.picker, &DateRangePicker::rangeChanged);
        h.window.setLocale(QLocale(u"nl_NL"_s));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(h.label(), u"2 mrt 2026 \u2013 8 mrt 2026"_s);
        QCOMPARE(h.child<QLabel>(u"quickRangesLabel"_s)->text(), u"Snelkeuze"_s);
        QCOMPARE(h.child<QToolButton>(u"last30DaysButton"_s)->text(), u"Afgelopen 30 dagen"_s);
        QCOMPARE(h.child<QLabel>(u"startLabel"_s)->text(), u"Begin"_s);
        QCOMPARE(h.child<QLabel>(u"endLabel"_s)->text(), u"Einde"_s);
        // Weeks now start on Monday: the highlighted cell must still be the selected day.
        const auto* endCalendar = h.child<QCalendarWidget>(u"endCalendar"_s);
        QCOMPARE(endCalendar->firstDayOfWeek(), Qt::Monday);
        QCOMPARE(endCalendar->findChild<QTableView*>()->currentIndex().data().toInt(), 8);
    }

    // Renders the closed picker and its open popup; with TIVREN_SCREENSHOT_DIR set, writes them
    // there as PNG files to look at.
    void screenshots()
    {
        Harness h;
        QVERIFY(QTest::qWaitForWindowExposed(&h.window));
        h.picker->showPopup();
        const QPixmap picker = h.picker->grab();
        const QPixmap popup = h.child<QWidget>(u"rangePopup"_s)->grab();
        QVERIFY(!picker.isNull() && !popup.isNull());
        const QString folder = qEnvironmentVariable("TIVREN_SCREENSHOT_DIR");
        if (folder.isEmpty())
            return;
        QVERIFY(picker.save(QDir(folder).filePath(u"tivren-daterange.png"_s)));
        QVERIFY(popup.save(QDir(folder).filePath(u"tivren-daterange-popup.png"_s)));
    }
};

QTEST_MAIN(tst_DateRangePicker)
#include "tst_DateRangePicker.moc"
