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
    void dayBounds_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("probe"); // an instant on the day
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("monday");

        // Clocks back from 01:00 to 00:00: the day starts at the first midnight, both 00:xx hours are its.
        QTest::newRow("Havana, midnight repeats, first 00:30")
            << "America/Havana"_ba << u"2025-11-02T04:30:00Z"_s << u"2025-11-02T04:00:00Z"_s
            << u"2025-11-03T04:59:59Z"_s << u"2025-10-27T04:00:00Z"_s;
        QTest::newRow("Havana, midnight repeats, second 00:30")
            << "America/Havana"_ba << u"2025-11-02T05:30:00Z"_s << u"2025-11-02T04:00:00Z"_s
            << u"2025-11-03T04:59:59Z"_s << u"2025-10-27T04:00:00Z"_s;
        QTest::newRow("Havana, the day before")
            << "America/Havana"_ba << u"2025-11-02T03:59:59Z"_s << u"2025-11-01T04:00:00Z"_s
            << u"2025-11-02T03:59:59Z"_s << u"2025-10-27T04:00:00Z"_s;
        // Clocks forward from 00:00 to 01:00: the day starts at 01:00.
        QTest::newRow("Havana, midnight skipped")
            << "America/Havana"_ba << u"2025-03-09T05:00:00Z"_s << u"2025-03-09T05:00:00Z"_s
            << u"2025-03-10T03:59:59Z"_s << u"2025-03-03T05:00:00Z"_s;
        QTest::newRow("Sao Paulo, midnight skipped")
            << "America/Sao_Paulo"_ba << u"2018-11-04T15:00:00Z"_s << u"2018-11-04T03:00:00Z"_s
            << u"2018-11-05T01:59:59Z"_s << u"2018-10-29T03:00:00Z"_s;
        QTest::newRow("Sao Paulo, before the skipped midnight")
            << "America/Sao_Paulo"_ba << u"2018-11-03T15:00:00Z"_s << u"2018-11-03T03:00:00Z"_s
            << u"2018-11-04T02:59:59Z"_s << u"2018-10-29T03:00:00Z"_s;
        // Clocks back from 24:00 to 23:00: the day ends after the second 23:59:59.
        QTest::newRow("Sao Paulo, 23:00 repeats")
            << "America/Sao_Paulo"_ba << u"2019-02-17T02:30:00Z"_s << u"2019-02-16T02:00:00Z"_s
            << u"2019-02-17T02:59:59Z"_s << u"2019-02-11T02:00:00Z"_s;
        QTest::newRow("Amsterdam, spring forward")
            << "Europe/Amsterdam"_ba << u"2026-03-29T12:00:00Z"_s << u"2026-03-28T23:00:00Z"_s
            << u"2026-03-29T21:59:59Z"_s << u"2026-03-22T23:00:00Z"_s;
        QTest::newRow("Amsterdam, Monday after spring forward")
            << "Europe/Amsterdam"_ba << u"2026-03-30T08:00:00Z"_s << u"2026-03-29T22:00:00Z"_s
            << u"2026-03-30T21:59:59Z"_s << u"2026-03-29T22:00:00Z"_s;
        QTest::newRow("Amsterdam, fall back")
            << "Europe/Amsterdam"_ba << u"2026-10-25T01:30:00Z"_s << u"2026-10-24T22:00:00Z"_s
            << u"2026-10-25T22:59:59Z"_s << u"2026-10-18T22:00:00Z"_s;
        QTest::newRow("UTC, a Monday") << "UTC"_ba << u"2026-03-02T12:00:00Z"_s << u"2026-03-02T00:00:00Z"_s
                                       << u"2026-03-02T23:59:59Z"_s << u"2026-03-02T00:00:00Z"_s;
        QTest::newRow("Kolkata, half-hour offset")
            << "Asia/Kolkata"_ba << u"2026-03-04T20:00:00Z"_s << u"2026-03-04T18:30:00Z"_s << u"2026-03-05T18:29:59Z"_s
            << u"2026-03-01T18:30:00Z"_s;
    }

    void dayBounds()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QString, probe);
        QFETCH(QString, start);
        QFETCH(QString, last);
        QFETCH(QString, monday);
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
