// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/time/LocalCalendar.h"

#include <QTest>

#include <ctime>

using namespace Qt::StringLiterals;
using namespace tivren;

namespace {

Instant at(const QString& text)
{
    const auto parsed = Iso8601::parse(QStringView(text));
    return parsed ? *parsed : qQNaN();
}

} // namespace

class tst_LocalCalendar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every second of a local day lies between its start and its last second, and the seconds just
    // outside belong to the neighbouring days, whatever the clocks do that night.
    // One row a line: the zone, an instant on the day, its start, its last second, its week's Monday, a name.
    void dayBounds_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QStringList>("instants"); // probe, start, last, monday
        const QString rows = uR"(
America/Havana 2025-11-02T04:30:00Z 2025-11-02T04:00:00Z 2025-11-03T04:59:59Z 2025-10-27T04:00:00Z midnight repeats, the first 00:30
America/Havana 2025-11-02T05:30:00Z 2025-11-02T04:00:00Z 2025-11-03T04:59:59Z 2025-10-27T04:00:00Z midnight repeats, the second 00:30
America/Havana 2025-03-09T05:00:00Z 2025-03-09T05:00:00Z 2025-03-10T03:59:59Z 2025-03-03T05:00:00Z midnight skipped: starts at 01:00
America/Sao_Paulo 2018-11-04T15:00:00Z 2018-11-04T03:00:00Z 2018-11-05T01:59:59Z 2018-10-29T03:00:00Z midnight skipped
America/Sao_Paulo 2019-02-17T02:30:00Z 2019-02-16T02:00:00Z 2019-02-17T02:59:59Z 2019-02-11T02:00:00Z 23:00 repeats: ends after the second
Europe/Amsterdam 2026-03-29T12:00:00Z 2026-03-28T23:00:00Z 2026-03-29T21:59:59Z 2026-03-22T23:00:00Z spring forward
Europe/Amsterdam 2026-03-30T08:00:00Z 2026-03-29T22:00:00Z 2026-03-30T21:59:59Z 2026-03-29T22:00:00Z Monday after spring forward
Europe/Amsterdam 2026-10-25T01:30:00Z 2026-10-24T22:00:00Z 2026-10-25T22:59:59Z 2026-10-18T22:00:00Z fall back
UTC 2026-03-02T12:00:00Z 2026-03-02T00:00:00Z 2026-03-02T23:59:59Z 2026-03-02T00:00:00Z a Monday
Asia/Kolkata 2026-03-04T20:00:00Z 2026-03-04T18:30:00Z 2026-03-05T18:29:59Z 2026-03-01T18:30:00Z half-hour offset
)"_s;
        for (const QString& row : rows.split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList words = row.split(u' ');
            QTest::newRow(qPrintable(words[0] + u", "_s + words.mid(5).join(u' ')))
                << words[0].toLatin1() << words.mid(1, 4);
        }
    }

    void dayBounds()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QStringList, instants);
        const QString &probe = instants[0], &start = instants[1], &last = instants[2], &monday = instants[3];
        qputenv("TZ", zone);
        tzset();

        const Instant instant = at(probe);
        const QDate day = LocalCalendar::localDate(instant);
        QCOMPARE(Iso8601::format(LocalCalendar::startOfDay(instant)), start);
        QCOMPARE(Iso8601::format(LocalCalendar::startOfDay(day)), start);
        QCOMPARE(Iso8601::format(LocalCalendar::lastSecondOfDay(instant)), last);
        QCOMPARE(Iso8601::format(LocalCalendar::lastSecondOfDay(day)), last);
        QCOMPARE(Iso8601::format(LocalCalendar::mondayOfWeek(instant)), monday);

        QCOMPARE(LocalCalendar::localDate(at(start)), day);
        QCOMPARE(LocalCalendar::localDate(at(start) - 1), day.addDays(-1));
        QCOMPARE(LocalCalendar::localDate(at(last)), day);
        QCOMPARE(LocalCalendar::localDate(at(last) + 1), day.addDays(1));
        QCOMPARE(LocalCalendar::localDate(at(monday)).dayOfWeek(), 1);
    }
};

QTEST_GUILESS_MAIN(tst_LocalCalendar)
#include "tst_LocalCalendar.moc"
