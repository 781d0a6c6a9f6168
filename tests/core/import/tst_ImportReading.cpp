// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/CsvRecords.h"
#include "core/import/ImportReading.h"
#include "core/import/JsonExports.h"
#include "core/import/LocalTimes.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;

namespace {

// "2026-03-14T09:00:00Z|2026-03-14T10:00:00Z|Acme|notes", or "line 4: reason".
QStringList described(const ImportReading& reading)
{
    QStringList lines;
    for (const ImportedEntry& e : reading.entries)
        lines << u"%1: %2|%3|%4|%5"_s.arg(e.line).arg(
            Iso8601::format(e.start), Iso8601::format(e.end), e.projectName, e.notes);
    for (const ImportRejection& r : reading.rejected)
        lines << u"%1: %2"_s.arg(r.line).arg(r.reason.english());
    return lines;
}

} // namespace

class tst_ImportReading : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void csvRecords_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("records"); // "line: field|field"
        QTest::newRow("plain, LF") << "a,b\n1,2\n"_ba << QStringList { u"1: a|b"_s, u"2: 1|2"_s };
        QTest::newRow("CRLF, BOM, no last newline") << "\xEF\xBB\xBF"
                                                       "a,b\r\n1,2"_ba
                                                    << QStringList { u"1: a|b"_s, u"2: 1|2"_s };
        QTest::newRow("quotes, commas, doubled quotes")
            << "\"x, y\",\"say \"\"hi\"\"\",\n"_ba << QStringList { u"1: x, y|say \"hi\"|"_s };
        QTest::newRow("line break inside quotes keeps counting lines")
            << "a\n\"two\nlines\",b\nc\n"_ba << QStringList { u"1: a"_s, u"2: two\nlines|b"_s, u"4: c"_s };
        QTest::newRow("CRLF inside quotes")
            << "\"two\r\nlines\"\r\nb\r\n"_ba << QStringList { u"1: two\nlines"_s, u"3: b"_s };
        QTest::newRow("blank lines skipped") << "a\n\n\nb\n"_ba << QStringList { u"1: a"_s, u"4: b"_s };
        QTest::newRow("empty quoted field is a record") << "\"\"\n"_ba << QStringList { u"1: "_s };
    }

    void csvRecords()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, records);
        const auto read = tivren::csvRecords(content);
        QVERIFY(read);
        QStringList got;
        for (const CsvRecord& r : *read)
            got << u"%1: %2"_s.arg(r.line).arg(r.fields.join(u'|'));
        QCOMPARE(got, records);
        QVERIFY(!tivren::csvRecords("a,\"never closed\n"_ba));
    }

    void times_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("time"); // empty: refused
        QTest::newRow("24 h") << u"14:05:09"_s << u"14:05:09"_s;
        QTest::newRow("no seconds") << u"9:30"_s << u"09:30:00"_s;
        QTest::newRow("PM") << u"02:05:09 PM"_s << u"14:05:09"_s;
        QTest::newRow("noon") << u"12:00:00 PM"_s << u"12:00:00"_s;
        QTest::newRow("midnight") << u"12:15 am"_s << u"00:15:00"_s;
        QTest::newRow("13 PM") << u"13:00 PM"_s << QString();
        QTest::newRow("25 h") << u"25:00:00"_s << QString();
        QTest::newRow("words") << u"noon"_s << QString();
    }

    void times()
    {
        QFETCH(QString, text);
        QFETCH(QString, time);
        const auto parsed = LocalTimes::time(text);
        QCOMPARE(parsed ? parsed->toString(u"HH:mm:ss"_s) : QString(), time);
    }

    void slashDateOrder_data()
    {
        QTest::addColumn<QStringList>("dates");
        QTest::addColumn<int>("order"); // -1: ambiguous
        QTest::newRow("a day above 12 first")
            << QStringList { u"03/04/2026"_s, u"14/04/2026"_s } << int(LocalTimes::DateOrder::dayMonthYear);
        QTest::newRow("a day above 12 second")
            << QStringList { u"03/04/2026"_s, u"04/14/2026"_s } << int(LocalTimes::DateOrder::monthDayYear);
        QTest::newRow("no day above 12") << QStringList { u"03/04/2026"_s, u"04/03/2026"_s } << -1;
        QTest::newRow("both, contradicting") << QStringList { u"13/04/2026"_s, u"04/14/2026"_s } << -1;
        QTest::newRow("day equals month throughout")
            << QStringList { u"03/03/2026"_s } << int(LocalTimes::DateOrder::monthDayYear);
    }

    void slashDateOrder()
    {
        QFETCH(QStringList, dates);
        QFETCH(int, order);
        const auto decided = LocalTimes::slashDateOrder(dates);
        QCOMPARE(decided ? int(*decided) : -1, order);
    }

    // TZ is Europe/Amsterdam: clocks go forward on 2026-03-29 at 02:00 and back on 2026-10-25 at 03:00.
    void localTimesAcrossDaylightSaving()
    {
        using LocalTimes::localInstant;
        QCOMPARE(*localInstant(QDate(2026, 3, 29), QTime(1, 30)), *Iso8601::parse("2026-03-29T00:30:00Z"_ba));
        QCOMPARE(*localInstant(QDate(2026, 3, 29), QTime(3, 30)), *Iso8601::parse("2026-03-29T01:30:00Z"_ba));
        const auto skipped = localInstant(QDate(2026, 3, 29), QTime(2, 30));
        QVERIFY(!skipped);
        QVERIFY2(skipped.error().english().contains(u"does not exist"_s), qPrintable(skipped.error().english()));
        // The repeated hour: its first occurrence, in summer time.
        QCOMPARE(*localInstant(QDate(2026, 10, 25), QTime(2, 30)), *Iso8601::parse("2026-10-25T00:30:00Z"_ba));
    }

    void formats_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("format");
        QTest::addColumn<QStringList>("read");
        QTest::newRow("Toggl: quotes, commas and a line break; tags; no end; unknown columns; across DST")
            << "User,Email,Client,Project,Task,Description,Billable,Start date,Start time,End date,End time,"
               "Duration,Tags,Amount (EUR),Extra\n"
               "Ann,a@example.org,Acme Inc,Acme,,\"Call, \"\"urgent\"\"\",Yes,2026-03-14,09:00:00,2026-03-14,"
               "10:30:00,01:30:00,\"client, phone\",120.00,x\n"
               "Ann,a@example.org,,,,\"Two\nlines\",No,2026-03-28,23:00:00,2026-03-29,04:00:00,04:00:00,,,\n"
               "Ann,a@example.org,,Acme,,Running,No,2026-03-30,08:00:00,,,,,,\n"
               "Ann,a@example.org,,Acme,,Backwards,No,2026-03-30,08:00:00,2026-03-30,07:00:00,,,,\n"_ba
            << int(ImportFormat::togglCsv)
            << QStringList { u"2: 2026-03-14T08:00:00Z|2026-03-14T09:30:00Z|Acme|Call, \"urgent\" #client #phone"_s,
                   u"3: 2026-03-28T22:00:00Z|2026-03-29T02:00:00Z||Two\nlines"_s,
                   u"5: it has no end (a timer still running when the file was exported)"_s,
                   u"6: its end is not after its start"_s };
        QTest::newRow("Clockify: day/month order from the values, 12-hour times, across midnight")
            << "Project,Client,Description,Task,User,Group,Email,Tags,Billable,Start Date,Start Time,End Date,"
               "End Time,Duration (h),Duration (decimal)\n"
               "Globex,,Design,,Ann,,a@example.org,\"ui\",Yes,13/04/2026,11:30:00 PM,14/04/2026,01:00:00 AM,"
               "01:30:00,1.50\n"
               "Globex,,Review,,Ann,,a@example.org,,Yes,02/04/2026,09:00:00 AM,02/04/2026,09:45:00 AM,00:45:00,"
               "0.75\n"_ba
            << int(ImportFormat::clockifyCsv)
            << QStringList { u"2: 2026-04-13T21:30:00Z|2026-04-13T23:00:00Z|Globex|Design #ui"_s,
                   u"3: 2026-04-02T07:00:00Z|2026-04-02T07:45:00Z|Globex|Review"_s };
        QTest::newRow("Timewarrior: first tag is the project; open interval rejected")
            << "[\n{\"id\":2,\"start\":\"20260314T090000Z\",\"end\":\"20260314T100000Z\",\"tags\":[\"acme\","
               "\"call\",\"two words\"],\"annotation\":\"Kick-off\"},\n"
               "{\"id\":1,\"start\":\"20260315T090000Z\",\"tags\":[\"acme\"]},\n"
               "{\"id\":3,\"start\":\"20260316T090000Z\",\"end\":\"20260316T091500Z\"}\n]\n"_ba
            << int(ImportFormat::timewarriorJson)
            << QStringList { u"2: 2026-03-14T09:00:00Z|2026-03-14T10:00:00Z|acme|Kick-off #call #two words"_s,
                   u"4: 2026-03-16T09:00:00Z|2026-03-16T09:15:00Z||"_s,
                   u"3: it has no end (an interval still open in Timewarrior)"_s };
        QTest::newRow("Watson frames: epoch seconds, tags in the notes")
            << "[\n  [\n    1773478800,\n    1773482400,\n    \"acme\",\n    \"a1b2\",\n    [\"design\"],\n"
               "    1773482400\n  ],\n  [1773565200, 1773565200, \"acme\", \"c3d4\", [], 1773565200],\n"
               "  \"nonsense\"\n]\n"_ba
            << int(ImportFormat::watsonFrames)
            << QStringList { u"2: 2026-03-14T09:00:00Z|2026-03-14T10:00:00Z|acme|#design"_s,
                   u"10: its end is not after its start"_s,
                   u"11: it is not a frame [start, stop, project, …]"_s };
    }

    void formats()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, format);
        QFETCH(QStringList, read);
        const auto reading = readImport(content);
        QVERIFY2(reading, qPrintable(reading ? QString() : reading.error().english()));
        QCOMPARE(int(reading->format), format);
        QCOMPARE(described(*reading), read);
    }

    void refusedFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("error");
        const QString unknown = u"This is not a Toggl Track or Clockify"_s;
        QTest::newRow("empty") << QByteArray() << unknown;
        QTest::newRow("another CSV") << "Date,Amount\n2026-03-01,12\n"_ba << unknown;
        QTest::newRow("JSON object") << "{\"start\": 1}"_ba << unknown;
        QTest::newRow("broken JSON") << "[{\"start\": "_ba << unknown;
        QTest::newRow("unterminated quote") << "Project,\"Description\n"_ba << u"ends inside a quoted field"_s;
        QTest::newRow("Clockify, day and month undecidable")
            << "Project,Description,Tags,Start Date,Start Time,End Date,End Time\n"
               "Acme,,,03/04/2026,09:00,03/04/2026,10:00\n"_ba
            << u"could be month/day or day/month"_s;
    }

    void refusedFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        const auto reading = readImport(content);
        QVERIFY(!reading);
        QVERIFY2(reading.error().english().contains(error), qPrintable(reading.error().english()));
    }
};

QTEST_GUILESS_MAIN(tst_ImportReading)
#include "tst_ImportReading.moc"
