// SPDX-License-Identifier: GPL-3.0-or-later
// Signing in to Google end to end: the loopback redirect, the token in a real GNOME Keyring on a
// private bus and its refresh, against a local server that plays Google's token endpoint.
#include "app/google/GoogleServiceTesting.h"

using namespace tivren;
using namespace tivren::testing;
using namespace tivren::testing::google;

namespace {

// Everything any part of the program logged while a test ran.
QStringList s_log;
QtMessageHandler s_previousHandler = nullptr;

void keepLog(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    s_log.append(text);
    s_previousHandler(type, context, text);
}

// A keyring that reads nothing and refuses every write with the error it was given.
class RefusingSecretStore final : public SecretStore
{
public:
    explicit RefusingSecretStore(SecretStoreError error)
        : m_error(std::move(error))
    {
    }

    QCoro::Task<Expected<std::optional<QByteArray>, SecretStoreError>> read(QString, QString) override
    {
        co_return std::optional<QByteArray>();
    }
    QCoro::Task<Expected<Done, SecretStoreError>> write(QString, QString, QByteArray) override
    {
        co_return Unexpected(m_error);
    }
    QCoro::Task<Expected<Done, SecretStoreError>> remove(QString, QString) override { co_return Done {}; }

private:
    SecretStoreError m_error;
};

} // namespace

class tst_GoogleSignIn : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { s_previousHandler = qInstallMessageHandler(keepLog); }
    void init() { QVERIFY2(startWithoutSignIn(), "run with scripts/isolated-run --keyring"); }

    void signIn()
    {
        Harness h;
        h.browser.callbackQuery = approve;
        h.scriptToken(200, u"ya29.first-access"_s, u"1//first-refresh"_s);
        s_log.clear();
        const auto authorized = resultOf(h.service->authorize({}));
        QVERIFY(authorized);
        if (!authorized->hasValue())
            QFAIL(qPrintable(authorized->error().description()));

        // The tab icon got the empty page, the callback the success page; then the listener closed.
        QTRY_VERIFY(h.browser.finished);
        QCOMPARE(h.browser.pages.value(0), QByteArray("<html><body></body></html>"));
        QVERIFY(h.browser.pages.value(1).contains("You&rsquo;re all set"));
        const QUrl redirect = h.browser.redirectURI();
        QVERIFY(refusesConnections(redirect));

        // The code exchange: sorted fields, and the verifier that belongs to the challenge.
        const auto exchanges = h.google.requestsTo("POST", tokenPath);
        QCOMPARE(exchanges.size(), 1);
        const QString verifier = exchanges.first().formValue(u"code_verifier"_s);
        QCOMPARE(exchanges.first().body,
            "client_id=" + clientID.toUtf8() + "&client_secret=" + clientSecret.toUtf8()
                + "&code=4/0Ab-code&code_verifier=" + verifier.toUtf8()
                + "&grant_type=authorization_code&redirect_uri=" + redirect.toEncoded());

        // What the browser was sent to.
        QCOMPARE(h.browser.opened.size(), 1);
        const QUrl authorization = h.browser.opened.first();
        QCOMPARE(authorization.toString(QUrl::RemoveQuery), h.google.url().toString() + u"/o/oauth2/v2/auth"_s);
        QVERIFY(authorization.toEncoded().contains("client_id=1234%2Btivren")); // a bare "+" would be a space
        const QString state = QUrlQuery(authorization).queryItemValue(u"state"_s);
        QVERIFY(UuidText::parse(state));
        QCOMPARE(redirect.toString(QUrl::RemovePort), u"http://127.0.0.1/oauth/callback"_s);
        QCOMPARE(authorization.query(QUrl::FullyDecoded),
            u"client_id=%1&redirect_uri=%2&response_type=code&scope=https://www.googleapis.com/auth/"
            "calendar.calendarlist.readonly https://www.googleapis.com/auth/calendar.events&access_type=offline"
            "&prompt=consent&code_challenge=%3&code_challenge_method=S256&state=%4"_s.arg(
                clientID, redirect.toString(), GoogleOAuth::codeChallenge(verifier), state));

        // In the keyring, as JSON with the expiry counted from 2001.
        QCOMPARE(h.storedToken(),
            (GoogleOAuthToken { u"ya29.first-access"_s, u"1//first-refresh"_s, u"Bearer"_s, h.clock.time + 3599 }));
        const auto raw = resultOf(h.keychain.read(u"Tivren.GoogleCalendar"_s, u"oauth-token"_s));
        QVERIFY(raw && raw->hasValue() && raw->value());
        QCOMPARE(QJsonDocument::fromJson(*raw->value()).object().value("expiryDate"_L1).toDouble(),
            h.clock.time + 3599 - 978307200);
        QVERIFY(resultOf(h.service->hasStoredToken()).value_or(false));
        const auto probe = resultOf(h.keychain.read(u"Tivren.GoogleCalendar"_s, u"write-check"_s));
        QVERIFY(probe && probe->hasValue() && !probe->value()); // the keyring's write check leaves nothing behind

        for (const QString& line : std::as_const(s_log)) {
            for (const QString& secret : { u"ya29.first-access"_s, u"1//first-refresh"_s, u"4/0Ab-code"_s, verifier })
                QVERIFY2(!line.contains(secret), qPrintable(line));
        }
    }

    // However the sign-in fails, nothing is stored and the listener is closed.
    void signInFails_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        const int systemError = int(ErrorKind::systemError);
        // The callback's other refusals are in tst_GoogleOAuth's table.
        const QString notInTime = u"The Google sign-in was not finished in time. Please try again."_s;
        // A callback without this sign-in's state (any local page can send one) gets its page but
        // neither ends the sign-in nor puts its words in the alert.
        QTest::newRow("state in lower case") << u"lower"_s << systemError << notInTime;
        QTest::newRow("error without the state") << u"foreign error"_s << systemError << notInTime;
        QTest::newRow("no client ID in this build")
            << u"no client"_s << systemError
            << u"This build of Tivren has no Google OAuth client ID, so it cannot connect to Google Calendar."_s;
        QTest::newRow("browser cannot open") << u"browser"_s << int(ErrorKind::authorizationCancelled) << QString();
        QTest::newRow("user never comes back") << u"abandoned"_s << systemError << notInTime;
        QTest::newRow("code refused") << u"invalid_grant"_s << int(ErrorKind::authorizationExpired) << QString();
        QTest::newRow("client unknown") << u"invalid_client"_s << int(ErrorKind::googleAPIError)
                                        << u"invalid_client: Nope."_s;
    }

    void signInFails()
    {
        QFETCH(QString, situation);
        QFETCH(int, kind);
        QFETCH(QString, message);
        Harness h([situation](GoogleCalendarConfiguration& c) {
            c.signInTimeLimit = 300ms;
            if (situation == u"no client"_s)
                c.client = {};
        });
        h.browser.canOpen = situation != u"browser"_s;
        h.browser.callbackQuery = [situation](const QUrlQuery& authorization) -> std::optional<QString> {
            if (situation == u"abandoned"_s)
                return std::nullopt;
            if (situation == u"lower"_s)
                return u"code=c&state="_s + authorization.queryItemValue(u"state"_s).toLower();
            if (situation == u"foreign error"_s)
                return u"error=Your+session+expired.+Call+support"_s;
            return approve(authorization);
        };
        h.scriptToken(400, situation);
        const auto authorized = resultOf(h.service->authorize({}));
        QVERIFY(authorized && !authorized->hasValue());
        QCOMPARE(authorized->error(), (GoogleCalendarServiceError { ErrorKind(kind), message }));
        QCOMPARE(h.storedToken(), std::nullopt);
        QCOMPARE(h.browser.opened.isEmpty(), situation == u"no client"_s);
        QVERIFY(h.browser.opened.isEmpty() || refusesConnections(h.browser.redirectURI()));
        if (situation == u"lower"_s || situation == u"foreign error"_s) {
            QTRY_VERIFY(h.browser.finished);
            QVERIFY(h.browser.pages.value(1).contains("<div class=\"reason\" role=\"note\">"));
            QVERIFY(!h.browser.pages.value(1).contains("support"));
            QVERIFY(h.google.requests.isEmpty());
        }
    }

    // A keyring that cannot take the token fails the sign-in before the user signs in at Google.
    void signInNeedsAWritableKeyring_data()
    {
        QTest::addColumn<int>("refusal");
        QTest::addColumn<QString>("message");
        const QString noService = u"The name org.freedesktop.secrets was not provided by any .service files"_s;
        QTest::newRow("no Secret Service")
            << int(SecretStoreError::Kind::failed) << u"The keyring could not be used: "_s + noService;
        QTest::newRow("locked") << int(SecretStoreError::Kind::locked)
                                << u"The keyring is locked. Unlock it and try again."_s;
        QTest::newRow("no answer") << int(SecretStoreError::Kind::timedOut)
                                   << u"The keyring did not answer in time. Make sure it is unlocked and try again."_s;
    }

    void signInNeedsAWritableKeyring()
    {
        QFETCH(int, refusal);
        QFETCH(QString, message);
        Harness h;
        h.browser.callbackQuery = approve;
        h.scriptToken(200, u"ya29.first-access"_s, u"1//first-refresh"_s);
        RefusingSecretStore refusing({ SecretStoreError::Kind(refusal),
            u"The name org.freedesktop.secrets was not provided by any .service files"_s });
        GoogleCalendarService service(h.network, refusing, h.browser, h.clock, h.configuration);
        const auto authorized = resultOf(service.authorize({}));
        QVERIFY(authorized && !authorized->hasValue());
        QCOMPARE(authorized->error(), (GoogleCalendarServiceError { ErrorKind::systemError, message }));
        QVERIFY(h.browser.opened.isEmpty());
        QVERIFY(h.google.requests.isEmpty());
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
        h.scriptToken(200, u"ya29.refreshed"_s);
        h.scriptCalendars({ calendarItem(u"c"_s, u"C"_s) });
        auto first = resultOf(h.service->fetchCalendars({}), 0); // started, not awaited: one refresh for both
        QVERIFY(h.fetchCalendars().hasValue());
        QTRY_COMPARE(h.google.requestsTo("GET", calendarListPath).size(), 2);

        const auto refreshes = h.google.requestsTo("POST", tokenPath);
        const QByteArray bearer = h.google.requestsTo("GET", calendarListPath).first().headers.value("authorization");
        QCOMPARE(bearer, refreshed ? QByteArray("Bearer ya29.refreshed") : QByteArray("Bearer ya29.stored"));
        QCOMPARE(refreshes.size(), refreshed ? 1 : 0);
        if (!refreshed)
            return;
        QCOMPARE(refreshes.first().body,
            "client_id=" + clientID.toUtf8() + "&client_secret=" + clientSecret.toUtf8()
                + "&grant_type=refresh_token&refresh_token=1//stored-refresh");
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
        if (stored == u"revoked"_s || stored == u"no refresh"_s)
            h.storeToken(10, stored == u"revoked"_s ? std::optional(u"1//stored-refresh"_s) : std::nullopt);
        if (stored == u"garbage"_s)
            QVERIFY(resultOf(h.keychain.write(u"Tivren.GoogleCalendar"_s, u"oauth-token"_s, "not json"))->hasValue());
        h.scriptToken(400, u"invalid_grant"_s);
        const auto calendars = h.fetchCalendars();
        QVERIFY(!calendars.hasValue());
        QCOMPARE(int(calendars.error().kind), kind);
        QCOMPARE(h.storedToken().has_value(), tokenKept);
        QCOMPARE(resultOf(h.service->hasStoredToken()), tokenKept);
        QVERIFY(h.google.requestsTo("GET", calendarListPath).isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_GoogleSignIn)
#include "tst_GoogleSignIn.moc"
