// SPDX-License-Identifier: GPL-3.0-or-later
// The Google client end to end: the token in a real GNOME Keyring on a private bus, the calendar
// list and the export through the model, against a local server that plays Google's Calendar API.
#include "app/google/GoogleEventId.h"
#include "app/google/GoogleServiceTesting.h"
#include "app/google/SystemTimeZone.h"

#include <QRegularExpression>

using namespace tivren;
using namespace tivren::testing;
using namespace tivren::testing::google;

namespace {

// Tivren's model on the Google client, with one project and its entries.
std::unique_ptr<ModelHarness> modelOn(Harness& h, const Project& project, const QList<TimeEntry>& entries)
{
    auto tivren = std::make_unique<ModelHarness>(AppModel::Options { false, false }, ModelHarness::Load::later);
    tivren->googleService = h.service.get();
    tivren->rebuild({ false, false }, ModelHarness::Load::later);
    tivren->load(snapshotOf({ project }, entries));
    return tivren;
}

} // namespace

class tst_GoogleCalendarService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY2(startWithoutSignIn(), "run with scripts/isolated-run --keyring"); }

    void connectListAndExportTwiceThroughTheModel()
    {
        Harness h;
        const Project acme = testProject(u"Acme"_s);
        const auto tivren = modelOn(h, acme, { testEntry(acme, 1772438400, 5400), testEntry(acme, 1772445600, 5400) });
        GoogleCalendarConnection& google = tivren->model->googleCalendar();
        QVERIFY(!google.hasAuthorization());

        const QByteArray path = eventsPath("me@example.com");
        h.browser.callbackQuery = approve;
        h.scriptToken(200, u"ya29.first"_s, u"1//first-refresh"_s);
        h.scriptCalendars({ calendarItem(u"team@group.calendar.google.com"_s, u"Team"_s),
            calendarItem(u"me@example.com"_s, u"me@example.com"_s, true) });
        h.google.scriptJson("POST", path, 200, { { u"id"_s, u"event-1"_s } });
        h.google.scriptJson("POST", path, 200, { { u"id"_s, u"event-2"_s } });
        for (const char* id : { "event-1", "event-2" })
            h.google.scriptJson("PUT", path + '/' + QByteArray(id), 200, { { u"id"_s, QString::fromLatin1(id) } });

        QCoro::waitFor(google.connectService());
        QCOMPARE(tivren->model->errorMessage(), std::nullopt);
        QCOMPARE(google.calendars().size(), 2);
        QCOMPARE(google.statusText(), u"Connected. Selected calendar: me@example.com"_s);

        const InstantRange range { 1772409600, 1772495999 };
        QCoro::waitFor(google.exportEntries(google.exportDraft(range).value(), range));
        QCOMPARE(tivren->model->successMessage(), u"Exported 2 entries to Google Calendar."_s);
        const auto links = google.eventLinks();
        QCOMPARE(links.size(), 2);

        // Again: both events are replaced, not written twice, under the same links.
        QCoro::waitFor(google.exportEntries(google.exportDraft(range).value(), range));
        QCOMPARE(tivren->model->errorMessage(), std::nullopt);
        QCOMPARE(h.google.requestsTo("POST", path).size(), 2);
        QCOMPARE(h.google.requestsTo("PUT", path + "/event-1").size(), 1);
        QCOMPARE(h.google.requestsTo("PUT", path + "/event-2").size(), 1);
        QCOMPARE(google.eventLinks(), links);

        QCoro::waitFor(google.disconnectService());
        QVERIFY(!google.hasAuthorization());
        QCOMPARE(h.storedToken(), std::nullopt);
    }

    // Primary first, then by the user's own name (even an empty one), in any case.
    void calendarList()
    {
        Harness h;
        h.storeToken(3600);
        QJsonObject renamed = calendarItem(u"4"_s, u"Holidays in the Netherlands"_s);
        renamed.insert(u"summaryOverride"_s, u"Feestdagen"_s);
        QJsonObject blanked = calendarItem(u"5"_s, u"Birthdays"_s);
        blanked.insert(u"summaryOverride"_s, QString());
        h.scriptCalendars({ calendarItem(u"1"_s, u"C"_s),
            renamed,
            calendarItem(u"2"_s, u"B"_s, true),
            blanked,
            calendarItem(u"3"_s, u"a"_s) });
        const auto calendars = h.fetchCalendars();
        QStringList names;
        for (const GoogleCalendarListItem& item : calendars.value())
            names.append(item.name);
        QCOMPARE(names, QStringList({ u"B"_s, QString(), u"a"_s, u"C"_s, u"Feestdagen"_s }));
    }

    // calendars listed (the primary one last), page size, a page scripted instead, the error
    // (none: all calendars read, the primary one first), requests sent
    void calendarListPages_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("pageSize");
        QTest::addColumn<QJsonObject>("scriptedPage");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("requests");
        const QJsonObject served;
        QTest::newRow("one page") << 3 << 250 << served << QString() << 1;
        QTest::newRow("primary on the third page") << 5 << 2 << served << QString() << 3;
        QTest::newRow("more than 20 pages")
            << 41 << 2 << served << u"Google lists more calendars than Tivren can read (over 20 pages)."_s << 20;
        const QJsonObject numbered { { u"items"_s, QJsonArray() }, { u"nextPageToken"_s, 2 } };
        QTest::newRow("token not a text")
            << 0 << 0 << numbered << u"Google Calendar returned an unexpected response."_s << 1;
        const QJsonObject last { { u"items"_s, QJsonArray() }, { u"nextPageToken"_s, QString() } };
        QTest::newRow("empty token ends the list") << 0 << 0 << last << QString() << 1;
    }

    void calendarListPages()
    {
        QFETCH(int, count);
        QFETCH(int, pageSize);
        QFETCH(QJsonObject, scriptedPage);
        QFETCH(QString, error);
        QFETCH(int, requests);
        Harness h;
        h.storeToken(3600);
        QJsonArray items;
        for (int i = 0; i < count; ++i)
            items.append(calendarItem(u"c%1"_s.arg(i), u"C%1"_s.arg(i), i == count - 1));
        if (scriptedPage.isEmpty())
            h.serveCalendarPages(items, pageSize);
        else
            h.google.scriptJson("GET", calendarListPath, 200, scriptedPage);
        const auto calendars = h.fetchCalendars();
        QCOMPARE(calendars ? QString() : calendars.error().description(), error);
        if (calendars) {
            QCOMPARE(calendars->size(), count);
            QVERIFY(count == 0 || calendars->first().id == u"c%1"_s.arg(count - 1));
        }
        const auto sent = h.google.requestsTo("GET", calendarListPath);
        QCOMPARE(sent.size(), requests);
        QCOMPARE(sent.first().queryValue(u"pageToken"_s), QString());
        QCOMPARE(sent.first().queryValue(u"maxResults"_s), u"250"_s);
    }

    void exportCreatesAndReplacesEvents()
    {
        Harness h;
        h.storeToken(3600);
        const Project acme = testProject(u"Acme"_s), other = testProject(u"Other"_s);
        const TimeEntry created = testEntry(acme, 1772438400, 5400, u" Planning\n"_s); // 2026-03-02T08:00:00Z
        const TimeEntry replaced = testEntry(acme, 1772445600, 5400), recreated = testEntry(acme, 1772452800, 5400);
        const QString holidays = u"en.dutch#holiday@group.v.calendar.google.com"_s;
        const QByteArray path = eventsPath("en.dutch%23holiday@group.v.calendar.google.com");
        const GoogleCalendarEventLink replacedLink { QUuid::createUuid(), replaced.id, holidays, u"kept"_s, 1 };
        const GoogleCalendarEventLink recreatedLink { QUuid::createUuid(), recreated.id, holidays, u"gone"_s, 1 };
        h.google.scriptJson("POST", path, 200, { { u"id"_s, u"new-1"_s } });
        h.google.scriptJson("POST", path, 200, { { u"id"_s, u"new-2"_s } });
        h.google.scriptJson("PUT", path + "/kept", 200, { { u"id"_s, u"kept"_s } });
        h.google.scriptJson("PUT", path + "/gone", 404, {}); // deleted at Google: written anew

        const auto result =
            resultOf(h.service->exportEntries({ created, replaced, recreated, testEntry(other, 1772452800, 5400) },
                         { acme, other },
                         {},
                         { { acme.id, holidays } },
                         { replacedLink, recreatedLink }))
                .value();
        QVERIFY(!result.error);
        QCOMPARE(result.links,
            (QList<GoogleCalendarEventLink> {
                { result.links.value(0).id, created.id, holidays, u"new-1"_s, h.clock.time },
                { replacedLink.id, replaced.id, holidays, u"kept"_s, h.clock.time },
                { recreatedLink.id, recreated.id, holidays, u"new-2"_s, h.clock.time } }));
        QCOMPARE(h.google.requests.size(), 4); // the entry without a calendar sent nothing

        const FakeGoogleServer::Request post = h.google.requestsTo("POST", path).first();
        QCOMPARE(post.headers.value("authorization"), QByteArray("Bearer ya29.stored"));
        QCOMPARE(post.headers.value("content-type"), QByteArray("application/json"));
        const auto dateTime = [](const QString& time) {
            return QJsonObject { { u"dateTime"_s, time }, { u"timeZone"_s, u"Europe/Amsterdam"_s } };
        };
        const QJsonObject ids { { u"clockEntryID"_s, UuidText::upper(created.id) },
            { u"clockProjectID"_s, UuidText::upper(acme.id) } };
        QCOMPARE(post.json(),
            (QJsonObject { { u"summary"_s, u"Acme"_s },
                { u"description"_s, u"Planning\n\nProject: Acme\nTracked: 1.50 h\nSource: Tivren"_s },
                { u"start"_s, dateTime(u"2026-03-02T08:00:00Z"_s) },
                { u"end"_s, dateTime(u"2026-03-02T09:30:00Z"_s) },
                { u"extendedProperties"_s, QJsonObject { { u"private"_s, ids } } },
                { u"id"_s, GoogleEventId::derive(created.id, holidays) } }));
        QCOMPARE(h.google.requestsTo("PUT", path + "/kept").first().json().value("summary"_L1).toString(), u"Acme"_s);
    }

    // The export stops at a failure; the event written before it keeps its link.
    void exportErrors_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("message");
        QTest::newRow("403") << 403 << QByteArray(R"({"error":{"code":403,"message":"Rate Limit Exceeded"}})")
                             << u"Rate Limit Exceeded"_s;
        QTest::newRow("404 on create") << 404 << QByteArray(R"({"error":{"message":"Not Found"}})") << u"Not Found"_s;
        QTest::newRow("500, no message") << 500 << QByteArray("<html>oops</html>")
                                         << u"Google answered with HTTP status 500."_s;
    }

    void exportErrors()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, message);
        Harness h;
        h.storeToken(3600);
        const Project acme = testProject(u"Acme"_s);
        const QList<TimeEntry> entries {
            testEntry(acme, 1772438400, 5400), testEntry(acme, 1772445600, 5400), testEntry(acme, 1772452800, 5400)
        };
        h.google.scriptJson("POST", eventsPath("work"), 200, { { u"id"_s, u"written"_s } });
        h.google.script("POST", eventsPath("work"), { status, body });
        const auto result =
            resultOf(h.service->exportEntries(entries, { acme }, {}, { { acme.id, u"work"_s } }, {})).value();
        QCOMPARE(result.error, (GoogleCalendarServiceError { ErrorKind::googleAPIError, message }));
        QCOMPARE(result.links.size(), 1);
        QCOMPARE(std::pair(result.links.first().entryID, result.links.first().eventID),
            std::pair(entries.first().id, u"written"_s));
        QCOMPARE(h.google.requests.size(), 2);
    }

    // Base32hex as RFC 4648 has it, in Google's lower case and without padding.
    void base32Hex_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("encoded");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("f") << QByteArray("f") << u"co"_s;
        QTest::newRow("fo") << QByteArray("fo") << u"cpng"_s;
        QTest::newRow("foo") << QByteArray("foo") << u"cpnmu"_s;
        QTest::newRow("foob") << QByteArray("foob") << u"cpnmuog"_s;
        QTest::newRow("fooba") << QByteArray("fooba") << u"cpnmuoj1"_s;
        QTest::newRow("foobar") << QByteArray("foobar") << u"cpnmuoj1e8"_s;
        QTest::newRow("all bits") << QByteArray(5, char(0xff)) << u"vvvvvvvv"_s;
    }

    void base32Hex()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, encoded);
        QCOMPARE(GoogleEventId::base32Hex(data), encoded);
    }

    // One id per entry and calendar, always the same, in the characters Google accepts.
    void derivedEventIDs()
    {
        const QUuid entry = QUuid::createUuid(), other = QUuid::createUuid();
        const QString id = GoogleEventId::derive(entry, u"work"_s);
        QCOMPARE(id, GoogleEventId::derive(entry, u"work"_s));
        QVERIFY(QRegularExpression(u"^[a-v0-9]{52}$"_s).match(id).hasMatch());
        const QStringList others { GoogleEventId::derive(other, u"work"_s),
            GoogleEventId::derive(entry, u"home"_s),
            GoogleEventId::derive(entry, u"work "_s) };
        QVERIFY(!others.contains(id));
    }

    // An insert whose answer was lost is sent again by Qt; Google refuses the repeated id and the
    // event is replaced instead, so each entry has one event, linked, also on the next export.
    void lostAnswerToAnInsertWritesOneEvent()
    {
        Harness h;
        h.storeToken(3600);
        const Project acme = testProject(u"Acme"_s);
        const QList<TimeEntry> entries { testEntry(acme, 1772438400, 5400), testEntry(acme, 1772445600, 5400) };
        const QByteArray path = eventsPath("work");
        h.google.modelCalendar(path);
        h.google.dropAnswers = 1;
        const auto exportTo = [&](const QList<GoogleCalendarEventLink>& links) {
            return resultOf(h.service->exportEntries(entries, { acme }, {}, { { acme.id, u"work"_s } }, links)).value();
        };

        const auto first = exportTo({});
        QVERIFY(!first.error);
        QCOMPARE(h.google.requestsTo("POST", path).size(), 3); // the first one twice
        QCOMPARE(h.google.events(path).size(), 2);
        QCOMPARE(first.links.size(), 2);
        for (qsizetype i = 0; i < entries.size(); ++i)
            QCOMPARE(first.links[i].eventID, GoogleEventId::derive(entries[i].id, u"work"_s));

        const auto again = exportTo(first.links);
        QVERIFY(!again.error);
        QCOMPARE(h.google.events(path).size(), 2);
        QCOMPARE(again.links, first.links);
    }

    // A linked event that is gone at Google is written again under the link it had, and the
    // entries after it are exported too.
    void replacingAnEventGoneAtGoogle_data()
    {
        QTest::addColumn<int>("replaceStatus");
        QTest::addColumn<bool>("linkedUnderOwnID");
        QTest::addColumn<int>("insertStatus");
        QTest::newRow("404") << 404 << false << 200;
        QTest::newRow("410") << 410 << false << 200;
        QTest::newRow("410, own id still taken") << 410 << true << 409;
        QTest::newRow("404, own id still taken") << 404 << true << 409;
    }

    void replacingAnEventGoneAtGoogle()
    {
        QFETCH(int, replaceStatus);
        QFETCH(bool, linkedUnderOwnID);
        QFETCH(int, insertStatus);
        Harness h;
        h.storeToken(3600);
        const Project acme = testProject(u"Acme"_s);
        const TimeEntry gone = testEntry(acme, 1772438400, 5400), after = testEntry(acme, 1772445600, 5400);
        const QString ownID = GoogleEventId::derive(gone.id, u"work"_s);
        const QString linkedID = linkedUnderOwnID ? ownID : u"legacy"_s;
        const GoogleCalendarEventLink link { QUuid::createUuid(), gone.id, u"work"_s, linkedID, 1 };
        const QByteArray path = eventsPath("work");
        h.google.script("PUT", path + '/' + linkedID.toLatin1(), { replaceStatus, R"({"error":{"message":"Gone"}})" });
        h.google.scriptJson("PUT", path + '/' + ownID.toLatin1(), 200, { { u"id"_s, ownID } });
        h.google.scriptJson("POST", path, insertStatus, { { u"id"_s, ownID } });
        h.google.scriptJson("POST", path, 200, { { u"id"_s, u"after"_s } });

        const auto result =
            resultOf(h.service->exportEntries({ gone, after }, { acme }, {}, { { acme.id, u"work"_s } }, { link }))
                .value();
        QCOMPARE(result.error, std::nullopt);
        QCOMPARE(result.links,
            (QList<GoogleCalendarEventLink> { { link.id, gone.id, u"work"_s, ownID, h.clock.time },
                { result.links.value(1).id, after.id, u"work"_s, u"after"_s, h.clock.time } }));
        QCOMPARE(h.google.requestsTo("POST", path).first().json().value("id"_L1).toString(), ownID);
        QCOMPARE(h.google.requestsTo("PUT", path + '/' + ownID.toLatin1()).size(),
            (linkedUnderOwnID ? 1 : 0) + (insertStatus == 409 ? 1 : 0));
        for (const auto& request : h.google.requests) { // a cancelled event comes back
            if (request.method == "PUT")
                QCOMPARE(request.json().value("status"_L1).toString(), u"confirmed"_s);
        }
    }

    // Google refusing the access token before its expiry: one refresh, one more try.
    void refusedAccessTokenIsRefreshedOnce()
    {
        Harness h;
        h.storeToken(3600);
        const Project acme = testProject(u"Acme"_s);
        const QByteArray path = eventsPath("work");
        h.google.scriptJson("POST", path, 401, { { u"error"_s, QJsonObject { { u"message"_s, u"Invalid"_s } } } });
        h.google.scriptJson("POST", path, 200, { { u"id"_s, u"written"_s } });
        h.scriptToken(200, u"ya29.fresh"_s);

        const auto result =
            resultOf(h.service->exportEntries(
                         { testEntry(acme, 1772438400, 5400) }, { acme }, {}, { { acme.id, u"work"_s } }, {}))
                .value();
        QCOMPARE(h.google.requestsTo("POST", tokenPath).size(), 1);
        QCOMPARE(result.error, std::nullopt);
        QCOMPARE(result.links.value(0).eventID, u"written"_s);
        const auto inserts = h.google.requestsTo("POST", path);
        QCOMPARE(inserts.size(), 2);
        QCOMPARE(inserts.last().headers.value("authorization"), QByteArray("Bearer ya29.fresh"));
        QCOMPARE(h.storedToken().value().accessToken, u"ya29.fresh"_s);
    }

    // The calendar list too: a refused token is refreshed once and the page asked for again.
    void refusedAccessTokenOnTheCalendarList()
    {
        Harness h;
        h.storeToken(3600);
        h.google.scriptJson(
            "GET", calendarListPath, 401, { { u"error"_s, QJsonObject { { u"message"_s, u"Invalid"_s } } } });
        h.scriptCalendars({ calendarItem(u"me@example.com"_s, u"me@example.com"_s, true) });
        h.scriptToken(200, u"ya29.fresh"_s);
        const auto calendars = h.fetchCalendars();
        QVERIFY(calendars && calendars->size() == 1);
        QCOMPARE(h.google.requestsTo("POST", tokenPath).size(), 1);
        const auto lists = h.google.requestsTo("GET", calendarListPath);
        QCOMPARE(lists.size(), 2);
        QCOMPARE(lists.last().headers.value("authorization"), QByteArray("Bearer ya29.fresh"));
    }

    // A sign-in revoked at Google ends the connection at the next export, and the user is asked to
    // reconnect.
    void revokedSignInEndsTheConnection()
    {
        Harness h;
        const Project acme = testProject(u"Acme"_s);
        const auto tivren = modelOn(h, acme, { testEntry(acme, 1772438400, 5400) });
        GoogleCalendarConnection& google = tivren->model->googleCalendar();
        h.browser.callbackQuery = approve;
        h.scriptToken(200, u"ya29.first"_s, u"1//first-refresh"_s);
        h.scriptToken(400, u"invalid_grant"_s);
        h.scriptCalendars({ calendarItem(u"me@example.com"_s, u"me@example.com"_s, true) });
        h.google.scriptJson("POST", eventsPath("me@example.com"), 401, {});
        QCoro::waitFor(google.connectService());
        QVERIFY(google.hasAuthorization());

        const InstantRange range { 1772409600, 1772495999 };
        QCoro::waitFor(google.exportEntries(google.exportDraft(range).value(), range));
        QCOMPARE(tivren->model->errorMessage(), u"Your Google sign-in expired. Please reconnect."_s);
        QVERIFY(!google.hasAuthorization());
        QCOMPARE(h.storedToken(), std::nullopt);
        QCOMPARE(h.google.requestsTo("POST", eventsPath("me@example.com")).size(), 1); // no retry without a token
    }

    // Only a name Google knows may leave the machine; a POSIX rule fails every export.
    void ianaName_data()
    {
        QTest::addColumn<bool>("tzSet");
        QTest::addColumn<QByteArray>("tz");
        QTest::addColumn<QByteArray>("systemID");
        QTest::addColumn<QString>("localtimeTarget");
        QTest::addColumn<QString>("expected"); // empty: no time zone is sent

        const QString amsterdamFile = u"/usr/share/zoneinfo/Europe/Amsterdam"_s;
        QTest::newRow("system id") << false << QByteArray() << QByteArray("Europe/Amsterdam") << QString()
                                   << u"Europe/Amsterdam"_s;
        QTest::newRow("system id UTC") << false << QByteArray() << QByteArray("UTC") << QString() << u"UTC"_s;
        QTest::newRow("odd system id, linked localtime")
            << false << QByteArray() << QByteArray("localtime") << u"/usr/share/zoneinfo/America/New_York"_s
            << u"America/New_York"_s;
        QTest::newRow("posix twin of a zone file")
            << false << QByteArray() << QByteArray() << u"/usr/share/zoneinfo/posix/Europe/Amsterdam"_s
            << u"Europe/Amsterdam"_s;
        QTest::newRow("copied localtime") << false << QByteArray() << QByteArray() << QString() << QString();
        QTest::newRow("link outside zoneinfo")
            << false << QByteArray() << QByteArray() << u"/etc/alternatives/localtime"_s << QString();
        QTest::newRow("unknown zone file")
            << false << QByteArray() << QByteArray() << u"/usr/share/zoneinfo/Mars/Olympus"_s << QString();
        QTest::newRow("TZ posix rule") << true << QByteArray("CET-1CEST,M3.5.0,M10.5.0/3")
                                       << QByteArray("CET-1CEST,M3.5.0,M10.5.0/3") << amsterdamFile << QString();
        QTest::newRow("TZ name") << true << QByteArray("America/New_York") << QByteArray("America/New_York")
                                 << amsterdamFile << u"America/New_York"_s;
        QTest::newRow("TZ with colon") << true << QByteArray(":America/New_York") << QByteArray() << amsterdamFile
                                       << u"America/New_York"_s;
        QTest::newRow("TZ zone file") << true << QByteArray("/usr/share/zoneinfo/America/New_York") << QByteArray()
                                      << amsterdamFile << u"America/New_York"_s;
        QTest::newRow("TZ empty") << true << QByteArray() << QByteArray("UTC") << amsterdamFile << QString();
    }

    void ianaName()
    {
        QFETCH(bool, tzSet);
        QFETCH(QByteArray, tz);
        QFETCH(QByteArray, systemID);
        QFETCH(QString, localtimeTarget);
        QFETCH(QString, expected);
        const QList<QByteArray> known { "America/New_York", "Europe/Amsterdam", "UTC" };
        const SystemTimeZone::Facts facts { tzSet ? std::optional(tz) : std::nullopt, systemID, localtimeTarget };
        QCOMPARE(SystemTimeZone::ianaName(facts, known),
            expected.isEmpty() ? std::nullopt : std::optional<QString>(expected));
    }

    // A time zone given as a POSIX rule has no name Google knows: the UTC times go alone.
    void posixTimeZoneIsLeftOut()
    {
        Harness h;
        h.storeToken(3600);
        const Project acme = testProject(u"Acme"_s);
        h.google.scriptJson("POST", eventsPath("work"), 200, { { u"id"_s, u"written"_s } });
        const QByteArray zone = qgetenv("TZ");
        qputenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");
        const auto result =
            resultOf(h.service->exportEntries(
                         { testEntry(acme, 1772438400, 5400) }, { acme }, {}, { { acme.id, u"work"_s } }, {}))
                .value();
        qputenv("TZ", zone);
        QCOMPARE(result.error, std::nullopt);
        const QJsonObject start { { u"dateTime"_s, u"2026-03-02T08:00:00Z"_s } };
        QCOMPARE(h.google.requestsTo("POST", eventsPath("work")).value(0).json().value("start"_L1).toObject(), start);
    }

    void unansweredOrUnreachable()
    {
        // A server that never answers meets the idle timeout, or else the overall time limit.
        for (const auto& [idle, limit] : { std::pair { 300ms, 10000ms }, std::pair { 10000ms, 300ms } }) {
            Harness silent([idle, limit](GoogleCalendarConfiguration& c) {
                c.requestIdleTimeout = idle;
                c.requestTimeLimit = limit;
            });
            silent.storeToken(3600);
            silent.google.script("GET", calendarListPath, { 200, {}, true });
            QElapsedTimer clock;
            clock.start();
            const auto timedOut = silent.fetchCalendars();
            QVERIFY(!timedOut.hasValue());
            QCOMPARE(timedOut.error(),
                (GoogleCalendarServiceError { ErrorKind::systemError, u"Google did not answer in time."_s }));
            QVERIFY(clock.elapsed() < 5000);
        }

        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress(QHostAddress::LocalHost)));
        const QUrl nowhere(u"http://127.0.0.1:%1"_s.arg(closed.serverPort()));
        closed.close();
        Harness offline([&nowhere](GoogleCalendarConfiguration& c) {
            c.endpoints.calendarAPI = nowhere;
        });
        offline.storeToken(3600);
        const auto unreachable = offline.fetchCalendars();
        QVERIFY(!unreachable.hasValue());
        QCOMPARE(unreachable.error().kind, ErrorKind::systemError);
        QVERIFY2(unreachable.error().message.startsWith(u"Could not reach Google: "_s),
            qPrintable(unreachable.error().message));
        QVERIFY(!unreachable.error().message.contains(u"ya29"_s));
    }
};

QTEST_GUILESS_MAIN(tst_GoogleCalendarService)
#include "tst_GoogleCalendarService.moc"
