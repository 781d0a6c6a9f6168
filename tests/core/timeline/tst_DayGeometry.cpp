#include "core/timeline/DayGeometry.h"
#include "support/TimelineTesting.h"

#include <QDateTime>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;

namespace {

using Spans = QList<std::pair<Instant, Instant>>;
using Axis = std::pair<Instant, Instant>;

using testing::localAt;

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
            << d << Spans {} << Spans {} << localAt(d, 8) << localAt(d, 18)
            << u"08:00 09:00 10:00 11:00 12:00 13:00 14:00 15:00 16:00 17:00 18:00"_s;
        QTest::newRow("only a session from 14:20")
            << d << Spans {} << Spans { { localAt(d, 14, 20), localAt(d, 16, 5) } } << localAt(d, 13, 20)
            << localAt(d, 17, 5) << u"14:00 15:00 16:00 17:00"_s;
        QTest::newRow("an hour either side, session included")
            << d << Spans { { localAt(d, 9, 30), localAt(d, 10) }, { localAt(d, 9), localAt(d, 9, 10) } }
            << Spans { { localAt(d, 11), localAt(d, 11, 30) } } << localAt(d, 8) << localAt(d, 12, 30)
            << u"08:00 09:00 10:00 11:00 12:00"_s;
        QTest::newRow("past midnight is not clamped")
            << d << Spans { { localAt(d, 22, 30), localAt(d.addDays(1), 0, 30) } } << Spans {} << localAt(d, 21, 30)
            << localAt(d.addDays(1), 1, 30) << u"22:00 23:00 00:00 01:00"_s;
        QTest::newRow("from the night before: starts at midnight")
            << d << Spans { { localAt(d.addDays(-1), 23), localAt(d, 0, 45) } } << Spans {} << localAt(d, 0)
            << localAt(d, 1, 45) << u"00:00 01:00"_s;
        QTest::newRow("spring forward skips 02:00")
            << springForward << Spans { { localAt(springForward, 1), localAt(springForward, 4) } } << Spans {}
            << localAt(springForward, 0) << localAt(springForward, 5) << u"00:00 01:00 03:00 04:00 05:00"_s;
        QTest::newRow("fall back has 02:00 twice")
            << fallBack << Spans { { localAt(fallBack, 1, 30), localAt(fallBack, 3, 30) } } << Spans {}
            << localAt(fallBack, 0, 30) << localAt(fallBack, 4, 30) << u"01:00 02:00 02:00 03:00 04:00"_s;
        QTest::newRow("empty spring day is still 08 to 18")
            << springForward << Spans {} << Spans {} << localAt(springForward, 8) << localAt(springForward, 18)
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
        const Axis axis = DayGeometry::axisRange(dayEntries, session, localAt(day, 12));
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
        const Axis office { localAt(d, 8), localAt(d, 18) };
        QTest::newRow("an hour") << office << placed(localAt(d, 9), localAt(d, 10)) << QRectF(58, 60, 398, 50);
        QTest::newRow("second of two side by side")
            << office << placed(localAt(d, 9), localAt(d, 10), 1, 2) << QRectF(258, 60, 198, 50);
        QTest::newRow("five minutes at the minimum height")
            << office << placed(localAt(d, 16, 55), localAt(d, 17)) << QRectF(58, 10 + (8 + 55 / 60.0) * 50, 398, 20);
        QTest::newRow("from the night before: cut at the axis start")
            << Axis { localAt(d, 0), localAt(d, 2) } << placed(localAt(d.addDays(-1), 23), localAt(d, 0, 45))
            << QRectF(58, 10, 398, 187.5);
        QTest::newRow("past midnight: to its end")
            << Axis { localAt(d, 23), localAt(d.addDays(1), 1) }
            << placed(localAt(d, 23, 30), localAt(d.addDays(1), 0, 30)) << QRectF(58, 135, 398, 250);
    }

    void blocks()
    {
        QFETCH(Axis, axis);
        QFETCH(LayoutEntry, entry);
        QFETCH(QRectF, expected);
        QCOMPARE(DayGeometry::blockRect({ 58, 400, 10, 500, 20 }, axis, entry), expected);
    }

    // A timer since 14:20: its block starts there and grows with the clock, never below the minimum height.
    void runningBlock()
    {
        const double top = 10 + 6.5 * 50 - 10 * 50 / 60.0;
        const Axis office { localAt(thursday, 8), localAt(thursday, 18) };
        for (const auto& [now, height] : { std::pair(localAt(thursday, 15, 20), 50),
                 { localAt(thursday, 14, 20), 20 },
                 { localAt(thursday, 13), 20 } }) {
            const QRectF rect =
                DayGeometry::runningRect({ 58, 400, 10, 500, 20 }, office, localAt(thursday, 14, 20), now);
            QVERIFY2(qAbs(rect.top() - top) < 1e-9, qPrintable(QString::number(rect.top())));
            QCOMPARE(rect.size(), QSizeF(398, height));
        }
    }
};

Q_DECLARE_METATYPE(LayoutEntry)
QTEST_GUILESS_MAIN(tst_DayGeometry)
#include "tst_DayGeometry.moc"
