#include "core/timeline/DayGeometry.h"

#include <QDateTime>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;

namespace {

using Spans = QList<std::pair<Instant, Instant>>;
using Axis = std::pair<Instant, Instant>;

// Local wall-clock time (the tests pin Europe/Amsterdam) as an instant.
Instant at(QDate date, int hour, int minute = 0)
{
    return Instant(QDateTime(date, QTime(hour, minute)).toSecsSinceEpoch());
}

const QDate thursday(2026, 3, 5);
const QDate springForward(2026, 3, 29); // 23 hours: 02:00 does not exist
const QDate fallBack(2026, 10, 25); // 25 hours: 02:00 to 03:00 twice

QString localTime(Instant instant)
{
    return QDateTime::fromSecsSinceEpoch(qint64(instant)).toString(u"HH:mm"_s);
}

LayoutEntry placed(Instant start, Instant end, int slot = 0, int slots = 1)
{
    return { TimeEntry { QUuid::createUuid(), QUuid(), start, end, {} }, slot, slots };
}

} // namespace

class tst_DayGeometry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void axisAndTicks_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<Spans>("entries");
        QTest::addColumn<Spans>("running");
        QTest::addColumn<Instant>("start");
        QTest::addColumn<Instant>("end");
        QTest::addColumn<QString>("ticks"); // local times
        const QDate d = thursday;
        QTest::newRow("no entries: office hours")
            << d << Spans {} << Spans {} << at(d, 8) << at(d, 18)
            << u"08:00 09:00 10:00 11:00 12:00 13:00 14:00 15:00 16:00 17:00 18:00"_s;
        QTest::newRow("only a session from 14:20") << d << Spans {} << Spans { { at(d, 14, 20), at(d, 16, 5) } }
                                                   << at(d, 13, 20) << at(d, 17, 5) << u"14:00 15:00 16:00 17:00"_s;
        QTest::newRow("entries before 01:00 stay on the day")
            << d << Spans { { at(d, 0, 10), at(d, 0, 50) } } << Spans {} << at(d, 0) << at(d, 1, 50)
            << u"00:00 01:00"_s;
        QTest::newRow("an hour either side, session included")
            << d << Spans { { at(d, 9, 30), at(d, 10) }, { at(d, 9), at(d, 9, 10) } }
            << Spans { { at(d, 11), at(d, 11, 30) } } << at(d, 8) << at(d, 12, 30)
            << u"08:00 09:00 10:00 11:00 12:00"_s;
        QTest::newRow("past midnight is not clamped")
            << d << Spans { { at(d, 22, 30), at(d.addDays(1), 0, 30) } } << Spans {} << at(d, 21, 30)
            << at(d.addDays(1), 1, 30) << u"22:00 23:00 00:00 01:00"_s;
        QTest::newRow("from the night before: starts at midnight")
            << d << Spans { { at(d.addDays(-1), 23), at(d, 0, 45) } } << Spans {} << at(d, 0) << at(d, 1, 45)
            << u"00:00 01:00"_s;
        QTest::newRow("spring forward skips 02:00")
            << springForward << Spans { { at(springForward, 1), at(springForward, 4) } } << Spans {}
            << at(springForward, 0) << at(springForward, 5) << u"00:00 01:00 03:00 04:00 05:00"_s;
        QTest::newRow("fall back has 02:00 twice")
            << fallBack << Spans { { at(fallBack, 1, 30), at(fallBack, 3, 30) } } << Spans {} << at(fallBack, 0, 30)
            << at(fallBack, 4, 30) << u"01:00 02:00 02:00 03:00 04:00"_s;
        QTest::newRow("empty spring day is still 08 to 18")
            << springForward << Spans {} << Spans {} << at(springForward, 8) << at(springForward, 18)
            << u"08:00 09:00 10:00 11:00 12:00 13:00 14:00 15:00 16:00 17:00 18:00"_s;
    }
    void axisAndTicks()
    {
        QFETCH(QDate, day);
        QFETCH(Spans, entries);
        QFETCH(Spans, running);
        QFETCH(Instant, start);
        QFETCH(Instant, end);
        QFETCH(QString, ticks);
        QList<TimeEntry> dayEntries;
        for (const auto& [from, to] : entries)
            dayEntries.append(TimeEntry { QUuid::createUuid(), QUuid(), from, to, {} });
        const std::optional<std::pair<Instant, Instant>> session =
            running.isEmpty() ? std::nullopt : std::optional(running.first());
        const Axis axis = DayGeometry::axisRange(dayEntries, session, at(day, 12));
        QCOMPARE(localTime(axis.first), localTime(start));
        QCOMPARE(axis, std::pair(start, end));
        QStringList labels;
        for (Instant tick : DayGeometry::hourTicks(axis.first, axis.second))
            labels << localTime(tick);
        QCOMPARE(labels.join(u' '), ticks);
    }

    // Blocks in a frame of 400 by 500 points from (58, 10): 50 points an hour on an 08:00 to 18:00
    // axis, 250 on a 00:00 to 02:00 one.
    void blocks_data()
    {
        QTest::addColumn<Axis>("axis");
        QTest::addColumn<LayoutEntry>("entry");
        QTest::addColumn<QRectF>("expected");
        const QDate d = thursday;
        const Axis office { at(d, 8), at(d, 18) };
        QTest::newRow("an hour") << office << placed(at(d, 9), at(d, 10)) << QRectF(58, 60, 398, 50);
        QTest::newRow("second of two side by side")
            << office << placed(at(d, 9), at(d, 10), 1, 2) << QRectF(258, 60, 198, 50);
        QTest::newRow("five minutes at the minimum height")
            << office << placed(at(d, 16, 55), at(d, 17)) << QRectF(58, 10 + (8 + 55 / 60.0) * 50, 398, 20);
        QTest::newRow("from the night before: cut at the axis start")
            << Axis { at(d, 0), at(d, 2) } << placed(at(d.addDays(-1), 23), at(d, 0, 45)) << QRectF(58, 10, 398, 187.5);
        QTest::newRow("past midnight: to its end")
            << Axis { at(d, 23), at(d.addDays(1), 1) } << placed(at(d, 23, 30), at(d.addDays(1), 0, 30))
            << QRectF(58, 135, 398, 250);
    }
    void blocks()
    {
        QFETCH(Axis, axis);
        QFETCH(LayoutEntry, entry);
        QFETCH(QRectF, expected);
        QCOMPARE(DayGeometry::blockRect({ 58, 400, 10, 500, 20 }, axis, entry), expected);
    }

    void runningBlock_data()
    {
        QTest::addColumn<Instant>("now");
        QTest::addColumn<QRectF>("expected");
        QTest::newRow("an hour in") << at(thursday, 15, 20) << QRectF(58, 10 + 6.5 * 50 - 10 * 50 / 60.0, 398, 50);
        QTest::newRow("just started") << at(thursday, 14, 20) << QRectF(58, 10 + 6.5 * 50 - 10 * 50 / 60.0, 398, 20);
        QTest::newRow("clock set back") << at(thursday, 13) << QRectF(58, 10 + 6.5 * 50 - 10 * 50 / 60.0, 398, 20);
    }
    void runningBlock()
    {
        QFETCH(Instant, now);
        QFETCH(QRectF, expected);
        const QRectF rect = DayGeometry::runningRect(
            { 58, 400, 10, 500, 20 }, { at(thursday, 8), at(thursday, 18) }, at(thursday, 14, 20), now);
        QVERIFY2(qAbs(rect.top() - expected.top()) < 1e-9, qPrintable(QString::number(rect.top())));
        QCOMPARE(rect.size(), expected.size());
    }
};

Q_DECLARE_METATYPE(LayoutEntry)
QTEST_GUILESS_MAIN(tst_DayGeometry)
#include "tst_DayGeometry.moc"
