// The Google client end to end: sign-in through the loopback redirect, the token in a real GNOME
// Keyring on a private bus, refresh, the calendar list and the export, against a local server
// that plays Google's token endpoint and Calendar API.
#include "app/google/GoogleCalendarService.h"
#include "app/model/AppModel.h"
#include "core/datafile/Uuid.h"
#include "platform/desktop/KeychainSecretStore.h"
#include "support/FakeGoogleServer.h"
#include "support/ModelHarness.h"
#include "support/TaskResult.h"
#include "support/TestRecords.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using namespace tivren;
using namespace tivren::testing;
using ErrorKind = GoogleCalendarServiceError::Kind;

namespace {

const QString clientID = u"1234-tivren-test.apps.googleusercontent.com"_s;
const QString clientSecret = u"GOCSPX-test-client-secret"_s;
const QByteArray tokenPath = "/token";
const QByteArray calendarListPath = "/calendar/v3/users/me/calendarList";

// Everything any part of the program logged while a test ran.
QStringList s_log;
QtMessageHandler s_previousHandler = nullptr;

void keepLog(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    s_log.append(text);
    if (s_previousHandler)
        s_previousHandler(type, context, text);
}

// The user's browser: records what it was asked to open, then (from the event loop, as a real
// browser would) does what the test scripted: usually ask for the tab icon and follow the
// redirect back to the loopback listener.
class ScriptedBrowser final : public Browser
{
public:
    bool canOpen = true;
    // The callback's query, made from the authorization URL's; nothing: the user never comes back.
    std::function<std::optional<QString>(const QUrlQuery&)> callbackQuery;
    QList<QUrl> opened;
    QList<QByteArray> pages; // what the listener answered, in order
    bool finished = false;

    bool openUrl(const QUrl& url) override
    {
        opened.append(url);
        if (canOpen)
            QTimer::singleShot(0, &m_network, [this, url] {
                visit(url);
            });
        return canOpen;
    }

    [[nodiscard]] QUrl redirectURI() const
    {
        return QUrl(QUrlQuery(opened.value(0)).queryItemValue(u"redirect_uri"_s, QUrl::FullyDecoded));
    }

private:
    void visit(const QUrl& authorization)
    {
        const QUrlQuery parameters(authorization);
        const std::optional<QString> query = callbackQuery ? callbackQuery(parameters) : std::nullopt;
        if (!query)
            return;
        const QUrl redirect = QUrl(parameters.queryItemValue(u"redirect_uri"_s, QUrl::FullyDecoded));
        QUrl icon = redirect;
        icon.setPath(u"/favicon.ico"_s);
        QNetworkReply* iconReply = m_network.get(QNetworkRequest(icon));
        QObject::connect(iconReply, &QNetworkReply::finished, &m_network, [this, iconReply, redirect, query] {
            pages.append(iconReply->readAll());
            iconReply->deleteLater();
            QUrl callback = redirect;
            callback.setQuery(*query);
            QNetworkReply* reply = m_network.get(QNetworkRequest(callback));
            QObject::connect(reply, &QNetworkReply::finished, &m_network, [this, reply] {
                pages.append(reply->readAll());
                reply->deleteLater();
                finished = true;
            });
        });
    }

    QNetworkAccessManager m_network;
};

// Google's usual answer: a code and the state it was given.
std::optional<QString> approve(const QUrlQuery& authorization)
{
    return u"state="_s + authorization.queryItemValue(u"state"_s) + u"&code=4%2F0Ab-code&scope=calendar"_s;
}

QJsonObject tokenReply(const QString& accessToken, const std::optional<QString>& refreshToken, double expiresIn = 3599)
{
    QJsonObject reply { { u"access_token"_s, accessToken },
        { u"expires_in"_s, expiresIn },
        { u"token_type"_s, u"Bearer"_s },
        { u"scope"_s, u"https://www.googleapis.com/auth/calendar.events"_s } };
    if (refreshToken)
        reply.insert(u"refresh_token"_s, *refreshToken);
    return reply;
}

QJsonObject calendarItem(const QString& id, const QString& summary, bool primary = false)
{
    QJsonObject item { { u"id"_s, id }, { u"summary"_s, summary }, { u"accessRole"_s, u"owner"_s } };
    if (primary)
        item.insert(u"primary"_s, true);
    return item;
}

QByteArray eventsPath(const QByteArray& encodedCalendarID)
{
    return "/calendar/v3/calendars/" + encodedCalendarID + "/events";
}

bool refusesConnections(const QUrl& url)
{
    QTcpSocket socket;
    socket.connectToHost(url.host(), quint16(url.port()));
    bool refused = false;
    QObject::connect(&socket, &QTcpSocket::errorOccurred, &socket, [&refused] {
        refused = true;
    });
    return QTest::qWaitFor(
        [&refused] {
            return refused;
        },
        3000);
}

struct Harness
{
    FakeGoogleServer google;
    QNetworkAccessManager network;
    KeychainSecretStore keychain { 10s };
    GoogleOAuthTokenStore tokens { keychain };
    ScriptedBrowser browser;
    FakeClock clock;
    GoogleCalendarConfiguration configuration;
    std::unique_ptr<GoogleCalendarService> service;

    explicit Harness(const std::function<void(GoogleCalendarConfiguration&)>& adjust = {})
    {
        network.setProxy(QNetworkProxy::NoProxy);
        configuration.client = { clientID, clientSecret };
        configuration.endpoints = { google.url(), google.url(), google.url() };
        configuration.callbackPort = 0;
        configuration.callbackConnectionDeadline = 2s;
        configuration.requestIdleTimeout = 5s;
        configuration.requestTimeLimit = 10s;
        if (adjust)
            adjust(configuration);
        service = std::make_unique<GoogleCalendarService>(network, keychain, browser, clock, configuration);
    }

    void storeToken(Seconds expiresIn, std::optional<QString> refreshToken = u"1//stored-refresh"_s)
    {
        const auto saved =
            resultOf(tokens.save({ u"ya29.stored"_s, refreshToken, u"Bearer"_s, clock.time + expiresIn }));
        QVERIFY(saved && saved->hasValue());
    }
    std::optional<GoogleOAuthToken> storedToken()
    {
        const auto loaded = resultOf(tokens.load());
        return loaded && loaded->hasValue() ? loaded->value() : std::nullopt;
    }
    void scriptCalendars(const QJsonArray& items)
    {
        google.scriptJson(
            "GET", calendarListPath, 200, { { u"kind"_s, u"calendar#calendarList"_s }, { u"items"_s, items } });
    }
    Expected<QList<GoogleCalendarListItem>, GoogleCalendarServiceError> fetchCalendars()
    {
        return resultOf(service->fetchCalendars({})).value();
    }
    GoogleCalendarExportResult exportEntries(const QList<TimeEntry>& entries,
        const QList<Project>& projects,
        const QHash<QUuid, QString>& assignments,
        const QList<GoogleCalendarEventLink>& links = {})
    {
        return resultOf(service->exportEntries(entries, projects, {}, assignments, links)).value();
    }
};

} // namespace

class tst_GoogleCalendarService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { s_previousHandler = qInstallMessageHandler(keepLog); }

    void init()
    {
        s_log.clear();
        KeychainSecretStore keychain(10s);
        GoogleOAuthTokenStore tokens(keychain);
        const auto removed = resultOf(tokens.remove());
        QVERIFY2(removed && removed->hasValue(), "run with scripts/isolated-run --keyring");
    }

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

    void signIn()
    {
        Harness h;
        h.browser.callbackQuery = approve;
        h.google.scriptJson("POST", tokenPath, 200, tokenReply(u"ya29.first-access"_s, u"1//first-refresh"_s));

        const auto authorized = resultOf(h.service->authorize({}));
        QVERIFY(authorized);
        if (!authorized->hasValue())
            QFAIL(qPrintable(authorized->error().description()));

        // What the browser was sent to.
        QCOMPARE(h.browser.opened.size(), 1);
        const QUrl authorization = h.browser.opened.first();
        QCOMPARE(authorization.toString(QUrl::RemoveQuery), h.google.url().toString() + u"/o/oauth2/v2/auth"_s);
        const QUrlQuery parameters(authorization);
        QCOMPARE(parameters.queryItemValue(u"client_id"_s), clientID);
        const QUrl redirect = h.browser.redirectURI();
        QCOMPARE(redirect.host(), u"127.0.0.1"_s);
        QCOMPARE(redirect.path(), u"/oauth/callback"_s);
        const QString state = parameters.queryItemValue(u"state"_s);
        QVERIFY(UuidText::parse(state) && state == state.toUpper());

        // The browser's two requests: the tab icon got the empty page, the callback the success page.
        QVERIFY(QTest::qWaitFor([&h] {
            return h.browser.finished;
        }));
        QCOMPARE(h.browser.pages.value(0), QByteArray("<html><body></body></html>"));
        QVERIFY(h.browser.pages.value(1).contains("You&rsquo;re all set"));
        QVERIFY(refusesConnections(redirect));

        // The code exchange: sorted fields, and the verifier that belongs to the challenge.
        const auto exchanges = h.google.requestsTo("POST", tokenPath);
        QCOMPARE(exchanges.size(), 1);
        const FakeGoogleServer::Request& exchange = exchanges.first();
        QCOMPARE(exchange.headers.value("content-type"), QByteArray("application/x-www-form-urlencoded"));
        const QString verifier = exchange.formValue(u"code_verifier"_s);
        QCOMPARE(verifier.size(), 64);
        QCOMPARE(GoogleOAuth::codeChallenge(verifier), parameters.queryItemValue(u"code_challenge"_s));
        QCOMPARE(parameters.queryItemValue(u"code_challenge_method"_s), u"S256"_s);
        QCOMPARE(exchange.body,
            "client_id=" + clientID.toUtf8() + "&client_secret=" + clientSecret.toUtf8()
                + "&code=4/0Ab-code&code_verifier=" + verifier.toUtf8()
                + "&grant_type=authorization_code&redirect_uri=" + redirect.toEncoded());

        // In the keyring, as JSON with the expiry counted from 2001.
        QCOMPARE(h.storedToken(),
            (GoogleOAuthToken { u"ya29.first-access"_s, u"1//first-refresh"_s, u"Bearer"_s, h.clock.time + 3599 }));
        const auto raw = resultOf(h.keychain.read(u"Tivren.GoogleCalendar"_s, u"oauth-token"_s));
        QVERIFY(raw && raw->hasValue() && raw->value());
        QCOMPARE(QJsonDocument::fromJson(*raw->value()).object().value("expiryDate"_L1).toDouble(),
            h.clock.time + 3599 - 978307200);
        QVERIFY(resultOf(h.service->hasStoredToken()).value_or(false));

        // Nothing secret was logged.
        for (const QString& line : std::as_const(s_log)) {
            for (const QString& secret : { u"ya29.first-access"_s, u"1//first-refresh"_s, u"4/0Ab-code"_s, verifier })
                QVERIFY2(!line.contains(secret), qPrintable(line));
        }
    }

    void signInFailures_data()
    {
        QTest::addColumn<QString>("query"); // %1: the state sent to Google
        QTest::addColumn<QString>("message");
        const QString mismatch = u"The Google authorization response did not match the current request."_s;
        // The callback's other refusals are in tst_GoogleOAuth's table.
        QTest::newRow("denied") << u"error=access_denied&state=%1"_s << u"Google returned: access_denied"_s;
        QTest::newRow("state in lower case") << u"state=%2&code=c"_s << mismatch;
    }
    void signInFailures()
    {
        QFETCH(QString, query);
        QFETCH(QString, message);
        Harness h;
        h.browser.callbackQuery = [query](const QUrlQuery& authorization) -> std::optional<QString> {
            const QString state = authorization.queryItemValue(u"state"_s);
            return QString(query).replace(u"%1"_s, state).replace(u"%2"_s, state.toLower());
        };
        const auto authorized = resultOf(h.service->authorize({}));
        QVERIFY(authorized && !authorized->hasValue());
        QCOMPARE(authorized->error(), (GoogleCalendarServiceError { ErrorKind::oauthCallbackFailed, message }));
        QVERIFY(QTest::qWaitFor([&h] {
            return h.browser.finished;
        }));
        QVERIFY(h.browser.pages.value(1).contains("<div class=\"reason\" role=\"note\">"));
        QVERIFY(h.google.requests.isEmpty());
        QCOMPARE(h.storedToken(), std::nullopt);
        QVERIFY(refusesConnections(h.browser.redirectURI()));
    }

    void signInEndsWithoutListening_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("browser cannot open") << u"browser"_s << int(ErrorKind::authorizationCancelled) << QString();
        QTest::newRow("user never comes back") << u"abandoned"_s << int(ErrorKind::systemError)
                                               << u"The Google sign-in was not finished in time. Please try again."_s;
        QTest::newRow("code refused") << u"invalid_grant"_s << int(ErrorKind::authorizationExpired) << QString();
        QTest::newRow("client unknown") << u"invalid_client"_s << int(ErrorKind::googleAPIError)
                                        << u"invalid_client: The OAuth client was not found."_s;
    }
    void signInEndsWithoutListening()
    {
        QFETCH(QString, situation);
        QFETCH(int, kind);
        QFETCH(QString, message);
        Harness h([](GoogleCalendarConfiguration& c) {
            c.signInTimeLimit = 300ms;
        });
        h.browser.canOpen = situation != u"browser"_s;
        if (situation != u"abandoned"_s)
            h.browser.callbackQuery = approve;
        if (situation.startsWith(u"invalid_"_s)) {
            h.google.scriptJson("POST",
                tokenPath,
                400,
                { { u"error"_s, situation }, { u"error_description"_s, u"The OAuth client was not found."_s } });
        }
        const auto authorized = resultOf(h.service->authorize({}));
        QVERIFY(authorized && !authorized->hasValue());
        QCOMPARE(int(authorized->error().kind), kind);
        QCOMPARE(authorized->error().message, message);
        QCOMPARE(h.storedToken(), std::nullopt);
        QVERIFY(refusesConnections(h.browser.redirectURI()));
    }

    void signInNeedsAClientAndAFreePort()
    {
        QTcpServer taken;
        QVERIFY(taken.listen(QHostAddress(QHostAddress::LocalHost)));
        Harness busy([&taken](GoogleCalendarConfiguration& c) {
            c.callbackPort = taken.serverPort();
        });
        const auto inUse = resultOf(busy.service->authorize({}));
        QVERIFY(inUse && !inUse->hasValue());
        QCOMPARE(inUse->error().kind, ErrorKind::systemError);
        QVERIFY(inUse->error().message.contains(QString::number(taken.serverPort())));
        QVERIFY(busy.browser.opened.isEmpty());

        Harness unregistered([](GoogleCalendarConfiguration& c) {
            c.client = {};
        });
        const auto noClient = resultOf(unregistered.service->authorize({}));
        QVERIFY(noClient && !noClient->hasValue());
        QCOMPARE(noClient->error().message,
            u"This build of Tivren has no Google OAuth client ID, so it cannot connect to Google Calendar."_s);
        QVERIFY(unregistered.browser.opened.isEmpty());
    }

    void refreshBeforeExpiry_data()
    {
        QTest::addColumn<Seconds>("expiresIn");
        QTest::addColumn<bool>("refreshed");
        QTest::newRow("59 s left") << 59.0 << true;
        QTest::newRow("61 s left") << 61.0 << false;
    }
    void refreshBeforeExpiry()
    {
        QFETCH(Seconds, expiresIn);
        QFETCH(bool, refreshed);
        Harness h;
        h.storeToken(expiresIn);
        // Google usually sends no new refresh token with a refresh.
        h.google.scriptJson("POST", tokenPath, 200, tokenReply(u"ya29.refreshed"_s, std::nullopt));
        h.scriptCalendars({ calendarItem(u"c"_s, u"C"_s) });
        QVERIFY(h.fetchCalendars().hasValue());

        const auto refreshes = h.google.requestsTo("POST", tokenPath);
        QCOMPARE(refreshes.size(), refreshed ? 1 : 0);
        const QByteArray bearer = h.google.requestsTo("GET", calendarListPath).first().headers.value("authorization");
        if (!refreshed) {
            QCOMPARE(bearer, QByteArray("Bearer ya29.stored"));
            return;
        }
        QCOMPARE(refreshes.first().body,
            "client_id=" + clientID.toUtf8() + "&client_secret=" + clientSecret.toUtf8()
                + "&grant_type=refresh_token&refresh_token=1//stored-refresh");
        QCOMPARE(bearer, QByteArray("Bearer ya29.refreshed"));
        QCOMPARE(h.storedToken(),
            (GoogleOAuthToken { u"ya29.refreshed"_s, u"1//stored-refresh"_s, u"Bearer"_s, h.clock.time + 3599 }));
    }

    void noUsableSignIn_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("tokenKept");
        QTest::newRow("nothing stored") << u"none"_s << int(ErrorKind::authorizationExpired) << false;
        QTest::newRow("refresh token revoked") << u"revoked"_s << int(ErrorKind::authorizationExpired) << false;
        QTest::newRow("expired, no refresh token") << u"no refresh"_s << int(ErrorKind::missingRefreshToken) << true;
        QTest::newRow("item is not a token") << u"garbage"_s << int(ErrorKind::authorizationExpired) << false;
    }
    void noUsableSignIn()
    {
        QFETCH(QString, stored);
        QFETCH(int, kind);
        QFETCH(bool, tokenKept);
        Harness h;
        if (stored == u"revoked"_s)
            h.storeToken(10);
        if (stored == u"no refresh"_s)
            h.storeToken(10, std::nullopt);
        if (stored == u"garbage"_s)
            QVERIFY(resultOf(h.keychain.write(u"Tivren.GoogleCalendar"_s, u"oauth-token"_s, "not json"))->hasValue());
        h.google.scriptJson("POST",
            tokenPath,
            400,
            { { u"error"_s, u"invalid_grant"_s },
                { u"error_description"_s, u"Token has been expired or revoked."_s } });
        const auto calendars = h.fetchCalendars();
        QVERIFY(!calendars.hasValue());
        QCOMPARE(int(calendars.error().kind), kind);
        QCOMPARE(h.storedToken().has_value(), tokenKept);
        QCOMPARE(resultOf(h.service->hasStoredToken()), tokenKept);
        QVERIFY(h.google.requestsTo("GET", calendarListPath).isEmpty());
    }

    void oneRefreshForOperationsAtOnce()
    {
        Harness h;
        h.storeToken(30);
        h.google.scriptJson("POST", tokenPath, 200, tokenReply(u"ya29.refreshed"_s, std::nullopt));
        h.scriptCalendars({ calendarItem(u"c"_s, u"C"_s) });
        auto first = resultOf(h.service->fetchCalendars({}), 0); // started, not awaited
        const auto second = h.fetchCalendars();
        QVERIFY(second.hasValue());
        QCOMPARE(h.google.requestsTo("POST", tokenPath).size(), 1);
        QTRY_COMPARE(h.google.requestsTo("GET", calendarListPath).size(), 2);
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
