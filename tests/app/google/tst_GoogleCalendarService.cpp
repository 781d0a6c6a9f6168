// The Google client end to end: the token in a real GNOME Keyring on a private bus, the calendar
// list and the export through the model, against a local server that plays Google's Calendar API.
#include "app/google/GoogleEventId.h"
#include "app/google/GoogleServiceTesting.h"

using namespace tivren;
using namespace tivren::testing;
using namespace tivren::testing::google;

class tst_GoogleCalendarService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QVERIFY2(startWithoutSignIn(), "run with scripts/isolated-run --keyring"); }

    void connectListAndExportTwiceThroughTheModel()
    {
        Harness h;
        ModelHarness tivren({ false, false }, ModelHarness::Load::later);
        tivren.googleService = h.service.get();
        tivren.rebuild({ false, false }, ModelHarness::Load::later);
        const Project acme = testProject(u"Acme"_s);
        tivren.load(
            { { acme }, { testEntry(acme, 1772438400, 5400), testEntry(acme, 1772445600, 5400) }, {}, {}, {}, {} });
        GoogleCalendarConnection& google = tivren.model->googleCalendar();
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
        QCOMPARE(tivren.model->errorMessage(), std::nullopt);
        QCOMPARE(google.calendars().size(), 2);
        QCOMPARE(google.statusText(), u"Connected. Selected calendar: me@example.com"_s);

        const InstantRange range { 1772409600, 1772495999 };
        QCoro::waitFor(google.exportEntries(google.exportDraft(range).value(), range));
        QCOMPARE(tivren.model->successMessage(), u"Exported 2 entries to Google Calendar."_s);
        const auto links = google.eventLinks();
        QCOMPARE(links.size(), 2);

        // Again: both events are replaced, not written twice, under the same links.
        QCoro::waitFor(google.exportEntries(google.exportDraft(range).value(), range));
        QCOMPARE(tivren.model->errorMessage(), std::nullopt);
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
