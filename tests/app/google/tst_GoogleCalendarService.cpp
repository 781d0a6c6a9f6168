// The Google client end to end: the token in a real GNOME Keyring on a private bus, the calendar
// list and the export through the model, against a local server that plays Google's Calendar API.
#include "app/google/GoogleServiceTesting.h"

using namespace tivren;
using namespace tivren::testing;
using namespace tivren::testing::google;

class tst_GoogleCalendarService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { installLogKeeper(); }
    void init() { QVERIFY2(startWithoutSignIn(), "run with scripts/isolated-run --keyring"); }

    void connectListAndExportTwiceThroughTheModel()
    {
        Harness h;
        ModelHarness tivren({ false, false }, ModelHarness::Load::later);
        tivren.googleService = h.service.get();
        tivren.rebuild({ false, false }, ModelHarness::Load::later);
        const Project acme = testProject(u"Acme"_s);
        const TimeEntry first = testEntry(acme, 1772438400, 5400, u"Planning"_s); // 2026-03-02T08:00:00Z
        tivren.load({ { acme }, { first, testEntry(acme, 1772445600, 5400) }, {}, {}, {}, {} });
        AppModel& model = *tivren.model;
        QVERIFY(!model.googleCalendar().hasAuthorization());

        h.browser.callbackQuery = approve;
        h.google.scriptJson("POST", tokenPath, 200, tokenReply(u"ya29.first"_s, u"1//first-refresh"_s));
        h.scriptCalendars({ calendarItem(u"team@group.calendar.google.com"_s, u"Team"_s),
            calendarItem(u"me@example.com"_s, u"me@example.com"_s, true) });
        h.google.scriptJson("POST", eventsPath("me@example.com"), 200, { { u"id"_s, u"event-1"_s } });
        h.google.scriptJson("POST", eventsPath("me@example.com"), 200, { { u"id"_s, u"event-2"_s } });
        h.google.scriptJson("PUT", eventsPath("me@example.com") + "/event-2", 200, { { u"id"_s, u"event-2"_s } });
        h.google.scriptJson("PUT", eventsPath("me@example.com") + "/event-1", 200, { { u"id"_s, u"event-1"_s } });

        QCoro::waitFor(model.googleCalendar().connectService());
        QCOMPARE(model.errorMessage(), std::nullopt);
        QVERIFY(model.googleCalendar().hasAuthorization());
        QCOMPARE(model.googleCalendar().calendars().size(), 2);
        QCOMPARE(model.settings().googleCalendar.selectedCalendarID, u"me@example.com"_s);
        QCOMPARE(model.googleCalendar().statusText(), u"Connected. Selected calendar: me@example.com"_s);

        const InstantRange range { 1772409600, 1772495999 };
        const auto draft = model.googleCalendar().exportDraft(range);
        QVERIFY(draft);
        QCoro::waitFor(model.googleCalendar().exportEntries(*draft, range));
        QCOMPARE(model.errorMessage(), std::nullopt);
        QCOMPARE(model.successMessage(), u"Exported 2 entries to Google Calendar."_s);
        QCOMPARE(model.googleCalendar().eventLinks().size(), 2);
        QCOMPARE(h.google.requestsTo("POST", eventsPath("me@example.com")).size(), 2);

        // Again: both events are replaced, not written twice.
        const auto linksBefore = model.googleCalendar().eventLinks();
        QCoro::waitFor(model.googleCalendar().exportEntries(*model.googleCalendar().exportDraft(range), range));
        QCOMPARE(model.errorMessage(), std::nullopt);
        QCOMPARE(h.google.requestsTo("POST", eventsPath("me@example.com")).size(), 2);
        QCOMPARE(h.google.requestsTo("PUT", eventsPath("me@example.com") + "/event-1").size(), 1);
        QCOMPARE(h.google.requestsTo("PUT", eventsPath("me@example.com") + "/event-2").size(), 1);
        for (const auto& link : model.googleCalendar().eventLinks()) {
            QVERIFY(std::any_of(linksBefore.cbegin(), linksBefore.cend(), [&link](const auto& before) {
                return before.id == link.id && before.eventID == link.eventID;
            }));
        }

        QCoro::waitFor(model.googleCalendar().disconnectService());
        QVERIFY(!model.googleCalendar().hasAuthorization());
        QCOMPARE(h.storedToken(), std::nullopt);
    }

    void calendarList_data()
    {
        QTest::addColumn<QJsonArray>("items");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("primary first, then by name") << QJsonArray {
            calendarItem(u"1"_s, u"B"_s, true), calendarItem(u"2"_s, u"a"_s), calendarItem(u"3"_s, u"C"_s)
        } << QStringList { u"B"_s, u"a"_s, u"C"_s };
        QTest::newRow("no primary: by name, any case")
            << QJsonArray { calendarItem(u"1"_s, u"C"_s), calendarItem(u"2"_s, u"B"_s), calendarItem(u"3"_s, u"a"_s) }
            << QStringList { u"a"_s, u"B"_s, u"C"_s };
        QJsonObject renamed = calendarItem(u"2"_s, u"Holidays in the Netherlands"_s);
        renamed.insert(u"summaryOverride"_s, u"Feestdagen"_s);
        QJsonObject blanked = calendarItem(u"3"_s, u"Birthdays"_s);
        blanked.insert(u"summaryOverride"_s, QString());
        QTest::newRow("the user's own name, even empty")
            << QJsonArray { renamed, blanked } << QStringList { QString(), u"Feestdagen"_s };
    }
    void calendarList()
    {
        QFETCH(QJsonArray, items);
        QFETCH(QStringList, names);
        Harness h;
        h.storeToken(3600);
        h.scriptCalendars(items);
        const auto calendars = h.fetchCalendars();
        QVERIFY(calendars.hasValue());
        QStringList got;
        for (const GoogleCalendarListItem& item : *calendars)
            got.append(item.name);
        QCOMPARE(got, names);
        QCOMPARE(h.google.requestsTo("GET", calendarListPath).first().target, calendarListPath);
    }

    void exportCreatesAndReplacesEvents()
    {
        Harness h;
        h.storeToken(3600);
        const Project acme = testProject(u"Acme"_s);
        const Project other = testProject(u"Other"_s);
        const TimeEntry created = testEntry(acme, 1772438400, 5400, u" Planning\n"_s);
        const TimeEntry replaced = testEntry(acme, 1772445600, 5400);
        const TimeEntry recreated = testEntry(acme, 1772452800, 5400);
        const TimeEntry skipped = testEntry(other, 1772452800, 5400);
        const QString holidays = u"en.dutch#holiday@group.v.calendar.google.com"_s;
        const QByteArray path = eventsPath("en.dutch%23holiday@group.v.calendar.google.com");
        const GoogleCalendarEventLink replacedLink { QUuid::createUuid(), replaced.id, holidays, u"kept"_s, 1 };
        const GoogleCalendarEventLink recreatedLink { QUuid::createUuid(), recreated.id, holidays, u"gone"_s, 1 };
        h.google.scriptJson("POST", path, 200, { { u"id"_s, u"new-1"_s } });
        h.google.scriptJson("POST", path, 200, { { u"id"_s, u"new-2"_s } });
        h.google.scriptJson("PUT", path + "/kept", 200, { { u"id"_s, u"kept"_s } });
        h.google.scriptJson(
            "PUT", path + "/gone", 404, { { u"error"_s, QJsonObject { { u"message"_s, u"Not Found"_s } } } });

        const auto result = h.exportEntries({ created, replaced, recreated, skipped },
            { acme, other },
            { { acme.id, holidays } },
            { replacedLink, recreatedLink });
        QVERIFY(!result.error);
        QCOMPARE(result.links,
            (QList<GoogleCalendarEventLink> {
                { result.links.value(0).id, created.id, holidays, u"new-1"_s, h.clock.time },
                { replacedLink.id, replaced.id, holidays, u"kept"_s, h.clock.time },
                { recreatedLink.id, recreated.id, holidays, u"new-2"_s, h.clock.time } }));
        QVERIFY(!result.links.first().id.isNull());
        QCOMPARE(h.google.requests.size(), 4); // the entry without a calendar sent nothing

        const FakeGoogleServer::Request post = h.google.requestsTo("POST", path).first();
        QCOMPARE(post.headers.value("authorization"), QByteArray("Bearer ya29.stored"));
        QCOMPARE(post.headers.value("content-type"), QByteArray("application/json"));
        const QJsonObject event = post.json();
        QCOMPARE(event.value("summary"_L1).toString(), u"Acme"_s);
        QCOMPARE(
            event.value("description"_L1).toString(), u"Planning\n\nProject: Acme\nTracked: 1.50 h\nSource: Tivren"_s);
        QCOMPARE(event.value("start"_L1).toObject(),
            (QJsonObject { { u"dateTime"_s, u"2026-03-02T08:00:00Z"_s }, { u"timeZone"_s, u"Europe/Amsterdam"_s } }));
        QCOMPARE(event.value("end"_L1).toObject().value("dateTime"_L1).toString(), u"2026-03-02T09:30:00Z"_s);
        QCOMPARE(event.value("extendedProperties"_L1).toObject().value("private"_L1).toObject(),
            (QJsonObject { { u"clockEntryID"_s, UuidText::upper(created.id) },
                { u"clockProjectID"_s, UuidText::upper(acme.id) } }));
        QCOMPARE(h.google.requestsTo("PUT", path + "/kept").first().json().value("summary"_L1).toString(), u"Acme"_s);
    }

    void exportErrors_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("message");
        QTest::newRow("message") << 403 << QByteArray(R"({"error":{"code":403,"message":"Rate Limit Exceeded"}})")
                                 << u"Rate Limit Exceeded"_s;
        QTest::newRow("404 on create") << 404 << QByteArray(R"({"error":{"message":"Not Found"}})") << u"Not Found"_s;
        QTest::newRow("no message") << 500 << QByteArray("<html>oops</html>")
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
        const auto result = h.exportEntries(entries, { acme }, { { acme.id, u"work"_s } });
        // The event written before the failure keeps its link; the export stopped at the failure.
        QCOMPARE(result.error, (GoogleCalendarServiceError { ErrorKind::googleAPIError, message }));
        QCOMPARE(result.links.size(), 1);
        QCOMPARE(result.links.first().entryID, entries.first().id);
        QCOMPARE(result.links.first().eventID, u"written"_s);
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
