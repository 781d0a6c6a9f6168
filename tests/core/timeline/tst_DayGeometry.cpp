// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/timeline/DayGeometry.h"
#include "support/TimelineTesting.h"

#include <QDateTime>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;

namespace {

using Axis = std::pair<Instant, Instant>;

using testing::localAt;

const QDate thursday(2026, 3, 5);

QString localTime(Instant instant)
{
    return QDateTime::fromSecsSinceEpoch(qint64(instant)).toString(u"HH:mm"_s);
}

// "09:30" on day, "1 00:30" on the day after, "-1 23:00" on the day before.
Instant at(QDate day, const QString& text)
{
    const QTime time = QTime::fromString(text.right(5), u"HH:mm"_s);
    return localAt(day.addDays(text.size() > 5 ? text.chopped(6).toInt() : 0), time.hour(), time.minute());
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
    // 29 March 2026 has 23 hours (no 02:00), 25 October 25 hours (02:00 to 03:00 twice).
    // One row a line: the day, its entries and its running session ("from~to", times as at() reads them),
    // the axis start and end, the hour ticks, a name.
    void axisAndTicks_data()
    {
        QTest::addColumn<QStringList>("columns");
        const QString rows = uR"(
2026-03-05 |  |  | 08:00 | 18:00 | 08:00 09:00 10:00 11:00 12:00 13:00 14:00 15:00 16:00 17:00 18:00 | no entries: office hours
2026-03-05 |  | 14:20~16:05 | 13:20 | 17:05 | 14:00 15:00 16:00 17:00 | only a session from 14:20
2026-03-05 | 00:10~00:50 |  | 00:00 | 01:50 | 00:00 01:00 | entries before 01:00 stay on the day
2026-03-05 | 09:30~10:00, 09:00~09:10 | 11:00~11:30 | 08:00 | 12:30 | 08:00 09:00 10:00 11:00 12:00 | an hour either side, session included
2026-03-05 | 22:30~1 00:30 |  | 21:30 | 1 01:30 | 22:00 23:00 00:00 01:00 | past midnight is not clamped
2026-03-05 | -1 23:00~00:45 |  | 00:00 | 01:45 | 00:00 01:00 | from the night before: starts at midnight
2026-03-29 | 01:00~04:00 |  | 00:00 | 05:00 | 00:00 01:00 03:00 04:00 05:00 | spring forward skips 02:00
2026-10-25 | 01:30~03:30 |  | 00:30 | 04:30 | 01:00 02:00 02:00 03:00 04:00 | fall back has 02:00 twice
2026-03-29 |  |  | 08:00 | 18:00 | 08:00 09:00 10:00 11:00 12:00 13:00 14:00 15:00 16:00 17:00 18:00 | empty spring day is still 08 to 18
)"_s;
        for (const QString& row : rows.split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList columns = row.split(u" | "_s);
            QTest::newRow(qPrintable(columns.last())) << columns;
        }
    }

    void axisAndTicks()
    {
        QFETCH(QStringList, columns);
        const QDate day = QDate::fromString(columns[0], Qt::ISODate);
        QList<TimeEntry> entries;
        for (const QString& span : columns[1].split(u", "_s, Qt::SkipEmptyParts))
            entries.append(TimeEntry {
                QUuid::createUuid(), QUuid(), at(day, span.section(u'~', 0, 0)), at(day, span.section(u'~', 1)), {} });
        std::optional<std::pair<Instant, Instant>> session;
        if (!columns[2].isEmpty())
            session = std::pair(at(day, columns[2].section(u'~', 0, 0)), at(day, columns[2].section(u'~', 1)));
        const Axis axis = DayGeometry::axisRange(entries, session, localAt(day, 12));
        QCOMPARE(localTime(axis.first), columns[3].right(5));
        QCOMPARE(axis, std::pair(at(day, columns[3]), at(day, columns[4])));
        QStringList labels;
        for (Instant tick : DayGeometry::hourTicks(axis.first, axis.second))
            labels << localTime(tick);
        QCOMPARE(labels.join(u' '), columns[5]);
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
