// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/timeline/WeekAxis.h"
#include "core/timeline/WeekGeometry.h"

#include <QDateTime>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;

namespace {

const QDate march2 { 2026, 3, 2 }; // a Monday
const QDate springWeek { 2026, 3, 23 }; // Sunday 29 March has 23 hours
const QDate autumnWeek { 2026, 10, 19 }; // Sunday 25 October has 25 hours
const WeekFrame kFrame { 54, 754, 480, 14 }; // 100-point columns after a 54-point gutter, 20 points an hour

// "2 09:15": day 2 of the week of monday (0 is Monday, -1 the Sunday before) at 9:15 local time
// (the tests pin Europe/Amsterdam); hours past 24 fall on the following day.
Instant weekTime(QDate monday, const QString& text)
{
    const QStringList parts = text.split(u' ');
    const int hour = parts[1].left(2).toInt();
    const QDateTime local(monday.addDays(parts[0].toInt() + hour / 24), QTime(hour % 24, parts[1].right(2).toInt()));
    return Instant(local.toSecsSinceEpoch());
}

// "1 09:00 10:30": an entry from day 1 9:00 to 10:30; its notes are the text.
QList<TimeEntry> entries(QDate monday, const QString& spans)
{
    QList<TimeEntry> result;
    for (const QString& span : spans.split(u',', Qt::SkipEmptyParts)) {
        const QStringList p = span.trimmed().split(u' ');
        const Instant from = weekTime(monday, p[0] + u' ' + p[1]), to = weekTime(monday, p[0] + u' ' + p[2]);
        result.append(TimeEntry { QUuid::createUuid(), QUuid(), from, to, span });
    }
    return result;
}

QString describe(const QRectF& r)
{
    return u"%1,%2 %3x%4"_s.arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

} // namespace

class tst_WeekGeometry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The shared hour axis from the entries and the running timer of the week. One row a line: the week's
    // Monday, its entries, the timer's start (none when empty), now, the axis start and end hours, a name.
    void axis_data()
    {
        QTest::addColumn<QStringList>("columns");
        const QString rows = uR"(
2026-03-02 |  |  | 2 17:00 | 8 18 | empty week
2026-03-02 | 0 09:15 17:40, 4 13:00 17:40 |  | 2 17:00 | 8 19 | 9:15 to 17:40
2026-03-02 | 1 20:00 23:30 |  | 2 17:00 | 19 24 | ending 23:30 clamps to 24
2026-03-02 | 3 00:20 02:00 |  | 2 17:00 | 0 3 | before 1:00 starts at midnight
2026-03-02 | 1 22:00 26:00 |  | 2 17:00 | 0 24 | across midnight
2026-03-02 | -1 23:00 27:00 |  | 2 17:00 | 0 4 | from the Sunday before
2026-03-02 | 0 10:00 11:00 | 2 14:20 | 2 16:10 | 9 18 | running timer widens it
2026-03-02 |  | 2 14:20 | 2 14:30 | 13 16 | running timer alone
2026-03-02 |  | -1 23:00 | 0 01:00 | 8 18 | timer from the Sunday before
2026-03-02 | 4 23:59 24:00 |  | 2 17:00 | 22 24 | a minute before midnight
2026-03-23 | 6 01:00 04:00 |  | 2 17:00 | 0 5 | spring forward: 1:00 to 4:00 on a 23-hour day is drawn 1 to 4
2026-10-19 | 6 23:15 23:45 |  | 2 17:00 | 22 24 | fall back, 23:15 is Sunday
)"_s;
        for (const QString& row : rows.split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList columns = row.split(u" | "_s);
            QTest::newRow(qPrintable(columns.last())) << columns;
        }
    }

    void axis()
    {
        QFETCH(QStringList, columns);
        const QDate monday = QDate::fromString(columns[0], Qt::ISODate);
        std::optional<ActiveTimerSession> session;
        if (!columns[2].isEmpty())
            session = ActiveTimerSession { QUuid(), weekTime(monday, columns[2]) };
        const Instant weekStart = weekTime(monday, u"0 00:00"_s);
        const HourAxis axis =
            WeekAxis::axisHours(entries(monday, columns[1]), weekStart, session, weekTime(monday, columns[3]));
        const double start = columns[4].section(u' ', 0, 0).toDouble(), end = columns[4].section(u' ', 1).toDouble();
        QCOMPARE(axis, (HourAxis { start, end }));
        QList<int> ticks;
        for (int hour = int(start); hour <= int(end); ++hour)
            ticks.append(hour);
        QCOMPARE(WeekAxis::hourTicks(axis), ticks);
    }

    // Blocks on a 0 to 24 axis, "day slot/total rect" in the keyboard's order.
    void blocks_data()
    {
        QTest::addColumn<QDate>("monday");
        QTest::addColumn<QString>("spans");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty week") << march2 << QString() << QStringList();
        QTest::newRow("across midnight: a piece on each day")
            << march2 << u"1 22:00 26:00"_s << QStringList { u"1 0/1 156,440 94x40"_s, u"2 0/1 256,0 94x40"_s };
        QTest::newRow("from the Sunday before")
            << march2 << u"-1 23:00 25:00"_s << QStringList { u"0 0/1 56,0 94x20"_s };
        QTest::newRow("five minutes at the minimum height")
            << march2 << u"3 12:00 12:05"_s << QStringList { u"3 0/1 356,240 94x14"_s };
        QTest::newRow("overlapping entries side by side, top to bottom")
            << march2 << u"1 11:00 13:00, 1 10:00 12:00, 1 13:00 14:00"_s
            << QStringList { u"1 0/2 156,200 46x40"_s, u"1 1/2 204,220 46x40"_s, u"1 0/1 156,260 94x20"_s };
        QTest::newRow("spring forward: wall-clock hours, next Monday is not this week")
            << springWeek << u"6 01:00 04:00, 7 00:15 00:45"_s << QStringList { u"6 0/1 656,20 94x60"_s };
        QTest::newRow("fall back: the late entry stays on Sunday")
            << autumnWeek << u"6 01:00 04:00, 6 23:15 23:45"_s
            << QStringList { u"6 0/1 656,20 94x60"_s, u"6 0/1 656,465 94x14"_s };
    }

    void blocks()
    {
        QFETCH(QDate, monday);
        QFETCH(QString, spans);
        QStringList shown;
        for (const WeekPlacement& p :
            WeekGeometry::place(entries(monday, spans), WeekDays(weekTime(monday, u"0 00:00"_s))))
            shown << u"%1 %2/%3 %4"_s.arg(p.day)
                         .arg(p.slotIndex)
                         .arg(p.totalSlots)
                         .arg(describe(WeekGeometry::blockRect(kFrame, { 0, 24 }, p)));
        QTEST(shown, "expected");
    }

    // The running timer stays in the column of the day it started on, cut at that day's end.
    void running()
    {
        const WeekDays days(weekTime(march2, u"0 00:00"_s));
        const struct
        {
            QString since, now, rect; // rect empty: not drawn
        } cases[] = { { u"2 14:00"_s, u"2 16:30"_s, u"256,280 96x50"_s },
            { u"2 14:00"_s, u"2 14:00"_s, u"256,280 96x14"_s }, // just started: the minimum height
            { u"2 14:00"_s, u"2 13:00"_s, u"256,280 96x14"_s }, // clock set back before its start
            { u"1 23:00"_s, u"2 01:00"_s, u"156,460 96x20"_s }, // past midnight
            { u"-1 22:00"_s, u"0 01:00"_s, QString() } }; // started the Sunday before
        for (const auto& c : cases) {
            const auto timer = WeekAxis::running(
                days, ActiveTimerSession { QUuid(), weekTime(march2, c.since) }, weekTime(march2, c.now));
            QCOMPARE(
                timer ? describe(WeekGeometry::runningRect(kFrame, { 0, 24 }, timer->first, timer->second)) : QString(),
                c.rect);
        }
    }
};

QTEST_GUILESS_MAIN(tst_WeekGeometry)
#include "tst_WeekGeometry.moc"
