// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/datafile/SnapshotCodec.h"
#include "core/datafile/Uuid.h"
#include "support/DataFileTesting.h"

#include <QDateTime>
#include <QTest>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;
using namespace tivren;

namespace {

const QString kProject = u"11111111-2222-3333-4444-555555555555"_s;
const QString kEntry = u"0a1b2c3d-4e5f-6789-abcd-ef0123456789"_s; // read in any case, written upper-case

// An entry with more keys after its own.
QByteArray entryWith(const QString& more)
{
    return u"{\"entries\": [{\"id\": \"%1\", \"projectID\": \"%2\", \"notes\": \"\", \"startDate\": \"2025-03-14T09:30:00Z\", \"endDate\": \"2025-03-14T10:00:00Z\"%3}]}"_s
        .arg(kEntry, kProject, more)
        .toUtf8();
}

QByteArray testData(const char* name)
{
    return testing::readAll(QFINDTESTDATA(u"../data/"_s + QLatin1StringView(name)));
}

AppSnapshot fullSnapshot()
{
    using S = BillingRoundingStrategy;
    AppSnapshot s;
    s.projects.append(
        Project(QUuid::createUuid(), u"Acme, \"Inc\""_s, 85.5, 30, S::roundProjectTotal, u"teal"_s, true, 1741944600));
    s.projects.append(
        Project(QUuid::createUuid(), u"Zürich 🚲"_s, std::nullopt, 1, S::roundNearestPerEntry, u"purple"_s, false, 0));
    s.entries.append(TimeEntry {
        QUuid::createUuid(), s.projects[0].id, 1741944600, 1741948200.75, u"line one\nline \"two\"\t\\ \x01 end"_s });
    // Longer than one output chunk.
    s.entries.append({ QUuid::createUuid(), QUuid::createUuid(), -86400 * 365.0, 4102444799, QString(300'000, u'é') });
    s.googleCalendarEventLinks.append({ QUuid::createUuid(), s.entries[0].id, u"primary"_s, u"evt123"_s, 1741948300 });
    s.appleCalendarEventLinks.append({ QUuid::createUuid(), s.entries[1].id, u"local-cal"_s, u"uid-1"_s, 1741948400 });
    s.activeSession = ActiveTimerSession { s.projects[1].id, 1741950000 };
    s.awayQuestion = AwayQuestion { 1741951000, 1741953400 };
    s.settings.currencyCode = u"EUR"_s;
    s.settings.languagePreference = AppLanguagePreference::dutch;
    s.settings.pomodoroEnabled = true;
    s.settings.pomodoroWorkMinutes = 0;
    s.settings.pomodoroLongBreakInterval = -3;
    s.settings.workReminderIntervalMinutes = 45;
    s.settings.awayQuestionEnabled = true;
    s.settings.awayThresholdMinutes = 25;
    s.settings.stopOnScreenLock = true;
    s.settings.googleCalendar.selectedCalendarID = u"primary"_s;
    s.settings.appleCalendar.selectedCalendarName = u"Personal"_s;
    return s;
}

} // namespace

class tst_SnapshotCodec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Seconds since 1970 for a valid instant, NaN for a refused one.
    void instantForms_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("seconds");
        QTest::newRow("utc") << u"2025-03-14T09:30:00Z"_s << 1741944600.0;
        QTest::newRow("minus offset") << u"2025-03-14T04:00:00-05:30"_s << 1741944600.0;
        QTest::newRow("before epoch") << u"1969-12-31T23:59:59Z"_s << -1.0;
        QTest::newRow("fraction") << u"2025-03-14T09:30:00.5Z"_s << qQNaN();
        QTest::newRow("no zone") << u"2025-03-14T09:30:00"_s << qQNaN();
        QTest::newRow("hour 24") << u"2025-03-14T24:00:00Z"_s << qQNaN();
        QTest::newRow("second 60") << u"2025-03-14T09:30:60Z"_s << qQNaN();
        QTest::newRow("offset without colon") << u"2025-03-14T09:30:00+0100"_s << qQNaN();
        QTest::newRow("empty") << QString() << qQNaN();
        QTest::newRow("year 0") << u"0000-12-31T23:59:59Z"_s << qQNaN();
        QTest::newRow("offset into year 0") << u"0001-01-01T00:30:00+01:00"_s << qQNaN();
        QTest::newRow("offset into year 10000") << u"9999-12-31T23:30:00-01:00"_s << qQNaN();
    }

    void instantForms()
    {
        QFETCH(QString, text);
        QFETCH(double, seconds);
        const auto parsed = Iso8601::parse(QStringView(text));
        QCOMPARE(parsed.has_value(), !qIsNaN(seconds));
        QCOMPARE(Iso8601::parse(QByteArrayView(text.toLatin1())).has_value(), !qIsNaN(seconds));
        if (parsed) {
            QCOMPARE(*parsed, seconds);
            // Writing always gives the UTC form with whole seconds.
            QCOMPARE(Iso8601::parse(QStringView(Iso8601::format(*parsed))), parsed);
            QVERIFY(Iso8601::format(*parsed).endsWith(u'Z'));
        }
    }

    // Written as whole-second UTC; an instant outside the years 1 to 9999 cannot be written at all.
    void instantWriting_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("fraction dropped") << 1741944600.999 << u"2025-03-14T09:30:00Z"_s;
        QTest::newRow("negative fraction rounds down") << -0.5 << u"1969-12-31T23:59:59Z"_s;
        QTest::newRow("last writable") << 253402300799.0 << u"9999-12-31T23:59:59Z"_s;
        QTest::newRow("year 10000") << 253402300800.0 << QString();
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << QString();
    }

    void instantWriting()
    {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(Iso8601::format(seconds), text);
    }

    // The reader is strict JSON: anything another tool would refuse is refused, with a position.
    void jsonSyntax_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("currency"); // settings.currencyCode after the read; null: refused
        auto currency = [](const char* literal) -> QByteArray {
            return "{\"settings\": {\"currencyCode\": " + QByteArray(literal) + "}}";
        };
        QTest::newRow("plain") << currency("\"EUR\"") << u"EUR"_s;
        QTest::newRow("escapes") << currency(R"("\"\\\/\b\f\n\r\t")") << u"\"\\/\b\f\n\r\t"_s;
        QTest::newRow("unicode escape") << currency(R"("\u20ac\u00E9")") << u"€é"_s;
        QTest::newRow("surrogate pair") << currency(R"("\ud83d\udeb2")") << u"🚲"_s;
        QTest::newRow("raw UTF-8") << currency("\"\xE2\x82\xAC\"") << u"€"_s;
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF" + currency("\"CHF\"")) << u"CHF"_s;
        QTest::newRow("white space") << QByteArray(" \t\r\n{ \"settings\" : { \"currencyCode\" : \"SEK\" } } \n")
                                     << u"SEK"_s;
        QTest::newRow("unknown keys of every kind") << QByteArray(
            R"({"x": [1, -2.5e-3, true, false, null, {"y": [[]]}, "s"], "settings": {"currencyCode": "NOK"}})")
                                                    << u"NOK"_s;
        QTest::newRow("lone high surrogate") << currency(R"("\ud83d")") << QString();
        QTest::newRow("lone low surrogate") << currency(R"("\udeb2x")") << QString();
        QTest::newRow("bad escape") << currency(R"("\x41")") << QString();
        QTest::newRow("short unicode escape") << currency(R"("\u20")") << QString();
        QTest::newRow("raw control character") << currency("\"a\tb\"") << QString();
        QTest::newRow("invalid UTF-8") << currency("\"\xC3\x28\"") << QString();
        QTest::newRow("single quotes") << currency("'EUR'") << QString();
        QTest::newRow("unterminated string") << QByteArray("{\"settings\": {\"currencyCode\": \"EUR") << QString();
        QTest::newRow("trailing comma in object") << QByteArray(R"({"settings": {},})") << QString();
        QTest::newRow("trailing comma in array") << QByteArray(R"({"projects": [],"x": [1,]})") << QString();
        QTest::newRow("missing comma") << QByteArray(R"({"x": 1 "y": 2})") << QString();
        QTest::newRow("leading zero") << QByteArray(R"({"x": 01})") << QString();
        QTest::newRow("bare fraction") << QByteArray(R"({"x": .5})") << QString();
        QTest::newRow("plus sign") << QByteArray(R"({"x": +1})") << QString();
        QTest::newRow("NaN literal") << QByteArray(R"({"x": NaN})") << QString();
        QTest::newRow("huge number") << QByteArray(R"({"x": 1e999})") << QString();
        QTest::newRow("comment") << QByteArray("{/* no */}") << QString();
        QTest::newRow("two documents") << QByteArray("{} {}") << QString();
        QTest::newRow("key without quotes") << QByteArray("{settings: {}}") << QString();
        QTest::newRow("deep nesting") << QByteArray("{\"x\": " + QByteArray(100000, '[') + QByteArray(100000, ']')
            + "}") << QString();
    }

    void jsonSyntax()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, currency);
        const auto result = SnapshotCodec::decode(json);
        QVERIFY2(
            result.hasValue() == !currency.isNull(), qPrintable(result ? u"accepted"_s : result.error().description()));
        if (result)
            QCOMPARE(result->settings.currencyCode, currency);
        else if (result.error().path.isEmpty())
            QVERIFY2(result.error().reason.contains(u"line 1, column"_s), qPrintable(result.error().reason));
    }

    // Each fault is named with its place and its reason, word for word: the message names it for the user.
    // One row a line: the file's text, " => ", the message; ENTRY stands for an entry's id, projectID and notes.
    void decodeFailures_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("description");
        const QString rows = uR"(
{"projects": [ => not valid JSON: unexpected end of the file inside an array (line 1, column 15)
[] => expected a JSON object at the top level
 => not valid JSON: unexpected end of the file (line 1, column 1)
{"projects": {}} => projects: expected an array, found an object
{"projects": [5]} => projects[0]: expected an object, found a number
{"projects": [{"colorName": "red"}]} => projects[0].name: required key is missing
{"projects": [{"name": null}]} => projects[0].name: required value is null
{"projects": [{"name": "X", "isArchived": "yes"}]} => projects[0].isArchived: expected a boolean, found a string
{"projects": [{"name": "X", "hourlyRate": "80"}]} => projects[0].hourlyRate: expected a number, found a string
{"projects": [{"name": "X", "billingIncrementMinutes": 15.5}]} => projects[0].billingIncrementMinutes: expected a whole number, found 15.5
{"projects": [{"name": "X", "billingRoundingStrategy": "roundDown"}]} => projects[0].billingRoundingStrategy: unknown value "roundDown"
{"projects": [{"name": "X", "id": "42"}]} => projects[0].id: expected a UUID, found "42"
{"projects": [{"name": "X", "id": "{aaaaaaaa-bbbb-cccc-dddd-eeeeeeeeeeee}"}]} => projects[0].id: expected a UUID, found "{aaaaaaaa-bbbb-cccc-dddd-eeeeeeeeeeee}"
{"projects": [{"name": "X", "id": "aaaaaaaabbbbccccddddeeeeeeeeeeee"}]} => projects[0].id: expected a UUID, found "aaaaaaaabbbbccccddddeeeeeeeeeeee"
{"projects": [{"name": "X", "id": "gaaaaaaa-bbbb-cccc-dddd-eeeeeeeeeeee"}]} => projects[0].id: expected a UUID, found "gaaaaaaa-bbbb-cccc-dddd-eeeeeeeeeeee"
{"projects": [{"name": "X", "createdAt": "2025-03-14T09:30:00.123Z"}]} => projects[0].createdAt: ISO "2025-03-14T09:30:00.123Z"
{"entries": [{}]} => entries[0].id: required key is missing
{"entries": [{ENTRY, "startDate": "2025-03-14T09:30:00Z"}]} => entries[0].endDate: required key is missing
{"entries": [{ENTRY, "startDate": "2025-03-14T09:30:00", "endDate": "2025-03-14T10:00:00Z"}]} => entries[0].startDate: ISO "2025-03-14T09:30:00"
{"entries": [{ENTRY, "startDate": 1741944600, "endDate": "2025-03-14T10:00:00Z"}]} => entries[0].startDate: expected a string, found a number
{"entries": [{ENTRY, "startDate": "2025-03-14T09:30:00Z", "endDate": "2025-03-14T10:00:00Z"}, {ENTRY, "startDate": null}]} => entries[1].startDate: required value is null
{"activeSession": {"projectID": "11111111-2222-3333-4444-555555555555"}} => activeSession.startDate: required key is missing
{"awayQuestion": {"since": "2025-03-14T09:30:00Z"}} => awayQuestion.until: required key is missing
{"googleCalendarEventLinks": [{ENTRY, "entryID": "11111111-2222-3333-4444-555555555555", "calendarID": "c", "lastSyncedAt": "2025-03-14T09:30:00Z"}]} => googleCalendarEventLinks[0].eventID: required key is missing
{"settings": {"languagePreference": "it"}} => settings.languagePreference: unknown value "it"
{"settings": {"pomodoroWorkMinutes": "25"}} => settings.pomodoroWorkMinutes: expected a number, found a string
{"settings": {"workReminderIntervalMinutes": 1e12}} => settings.workReminderIntervalMinutes: expected a whole number, found 1000000000000
{"settings": {"googleCalendar": {"selectedCalendarID": 7}}} => settings.googleCalendar.selectedCalendarID: expected a string, found a number
{"settings": {"appleCalendar": true}} => settings.appleCalendar: expected an object, found a boolean
{"settings": []} => settings: expected an object, found an array
)"_s;
        const QString entry = u"\"id\": \"%1\", \"projectID\": \"%2\", \"notes\": \"\""_s.arg(kEntry, kProject);
        const QString iso = u"expected an ISO 8601 date-time with whole seconds and a time zone, found "_s;
        for (const QString& row : rows.split(u'\n', Qt::SkipEmptyParts)) {
            const QString description = row.section(u" => "_s, 1).replace(u"ISO "_s, iso);
            QTest::newRow(qPrintable(description))
                << row.section(u" => "_s, 0, 0).replace(u"ENTRY"_s, entry).toUtf8() << description;
        }
    }

    void decodeFailures()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, description);
        const auto result = SnapshotCodec::decode(json);
        QVERIFY(!result);
        QCOMPARE(result.error().description(), description);
    }

    void decodeDefaults()
    {
        const auto before = QDateTime::currentSecsSinceEpoch();
        const auto result = SnapshotCodec::decode(
            R"({"projects": [{"name": "Solo", "hourlyRate": null, "billingIncrementMinutes": null},)"
            R"( {"name": "Zero", "billingIncrementMinutes": 0}, {"name": "Neg", "billingIncrementMinutes": -5},)"
            // Of a key given twice the last counts, a null as much as a value.
            R"( {"name": "Twice", "colorName": "red", "colorName": null, "hourlyRate": 5, "hourlyRate": null,)"
            R"( "id": "11111111-2222-3333-4444-555555555555", "id": null}],)"
            R"( "entries": null, "activeSession": null, "somethingNew": true,)"
            R"( "settings": {"pomodoroWorkMinutes": 50, "pomodoroWorkMinutes": null, "currencyCode": null}})");
        QVERIFY2(result, qPrintable(result ? QString() : result.error().description()));
        const Project& solo = result->projects[0];
        QVERIFY(!solo.id.isNull());
        const Project expected(solo.id, u"Solo"_s, std::nullopt, 15, {}, u"blue"_s, false, solo.createdAt);
        QCOMPARE(solo, expected);
        QVERIFY(solo.createdAt >= before && solo.createdAt <= QDateTime::currentSecsSinceEpoch() + 1);
        QVERIFY(result->projects[1].id != solo.id);
        QCOMPARE(result->projects[1].billingIncrementMinutes, 1);
        QCOMPARE(result->projects[2].billingIncrementMinutes, 1);
        const Project& twice = result->projects[3];
        QCOMPARE(twice.colorName, u"blue"_s);
        QCOMPARE(twice.hourlyRate, std::nullopt);
        QVERIFY(!twice.id.isNull() && twice.id != QUuid::fromString(kProject));
        QVERIFY(result->entries.isEmpty());
        QCOMPARE(result->activeSession, std::nullopt);
        QCOMPARE(result->settings, AppSettings {});
        QCOMPARE(*SnapshotCodec::decode("{}"), AppSnapshot {});
    }

    void roundTripKeepsEveryField()
    {
        AppSnapshot original = fullSnapshot();
        const QByteArray encoded = *SnapshotCodec::encode(original);
        const auto decoded = SnapshotCodec::decode(encoded);
        QVERIFY2(decoded, qPrintable(decoded ? QString() : decoded.error().description()));
        original.entries[0].endDate = std::floor(original.entries[0].endDate); // fractions are dropped on write
        QCOMPARE(*decoded, original);
        QCOMPARE(*SnapshotCodec::encode(*decoded), encoded); // writing what was read gives the same bytes again
        QVERIFY(encoded.contains(UuidText::upper(original.projects[0].id).toLatin1()));
        QVERIFY(!encoded.contains("null"));
        QCOMPARE(encoded.count("\"hourlyRate\""), 1); // none for the project without a rate
        for (const char* key : { "\"awayQuestionEnabled\": true",
                 "\"awayThresholdMinutes\": 25",
                 "\"stopOnScreenLock\": true",
                 "\"since\": \"2025-03-14T11:16:40Z\"" })
            QVERIFY2(encoded.contains(key), key);
        original.activeSession.reset();
        original.awayQuestion.reset();
        QVERIFY(!SnapshotCodec::encode(original)->contains("activeSession"));
        QVERIFY(!SnapshotCodec::encode(original)->contains("\"awayQuestion\""));
    }

    // What a newer Tivren may add: keys at the top level and in every record, with any JSON value. Sorted in
    // among the known keys at every level, numbers exactly as written, the last of a repeated key.
    void unknownKeysAreWrittenBackAsTheyCame()
    {
        const auto decoded = SnapshotCodec::decode(testData("newer-version.json"));
        QVERIFY2(decoded, qPrintable(decoded ? QString() : decoded.error().description()));
        const QByteArray written = *SnapshotCodec::encode(*decoded);
        QCOMPARE(written, testData("newer-version.saved.json"));
        // Saved once, the file stays byte for byte the same through every later load and save.
        const auto again = SnapshotCodec::decode(written);
        QCOMPARE(*again, *decoded);
        QCOMPARE(*SnapshotCodec::encode(*again), written);
    }

    // Records with different unknown keys are different records, for == and for hashing.
    void unknownKeysTakePartInEquality()
    {
        const auto plain = SnapshotCodec::decode(entryWith({}));
        const auto tagged = SnapshotCodec::decode(entryWith(u", \"tag\": 1"_s));
        const auto retagged = SnapshotCodec::decode(entryWith(u", \"tag\": 2"_s));
        QVERIFY(plain && tagged && retagged);
        QCOMPARE(plain->entries[0].id, QUuid::fromString(kEntry));
        QVERIFY(SnapshotCodec::encode(*plain)->contains(kEntry.toUpper().toLatin1()));
        QVERIFY(plain->entries[0] != tagged->entries[0] && tagged->entries[0] != retagged->entries[0]);
        QVERIFY(qHash(plain->entries[0]) != qHash(tagged->entries[0]));
    }

    void encodeFailures()
    {
        AppSnapshot snapshot;
        snapshot.projects.append(Project(QUuid::createUuid(), u"P"_s, std::nan(""), 15, {}, u"blue"_s, false, 0));
        QCOMPARE(SnapshotCodec::encode(snapshot).error().path, u"projects.hourlyRate"_s);
        snapshot = AppSnapshot {};
        snapshot.entries.append(TimeEntry { QUuid::createUuid(), QUuid::createUuid(), 0, 1e12, QString() });
        QCOMPARE(SnapshotCodec::encode(snapshot).error().path, u"entries.endDate"_s);
    }
};

QTEST_GUILESS_MAIN(tst_SnapshotCodec)
#include "tst_SnapshotCodec.moc"
