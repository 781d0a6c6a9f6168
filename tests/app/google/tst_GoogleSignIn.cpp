// Signing in to Google end to end: the loopback redirect, the token in a real GNOME Keyring on a
// private bus and its refresh, against a local server that plays Google's token endpoint.
#include "app/google/GoogleServiceTesting.h"

using namespace tivren;
using namespace tivren::testing;
using namespace tivren::testing::google;

class tst_GoogleSignIn : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { installLogKeeper(); }
    void init() { QVERIFY2(startWithoutSignIn(), "run with scripts/isolated-run --keyring"); }

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
};

QTEST_GUILESS_MAIN(tst_GoogleSignIn)
#include "tst_GoogleSignIn.moc"
