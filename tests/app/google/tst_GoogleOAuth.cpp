// The pure parts of the Google sign-in, the loopback listener over real TCP, and the callback page.
#include "app/google/GoogleCalendarConfiguration.h"
#include "app/google/GoogleOAuth.h"
#include "app/google/LoopbackAuthorizationReceiver.h"
#include "app/google/OAuthCallbackPage.h"
#include "support/TaskResult.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTest>
#include <QUrlQuery>

#include <memory>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using namespace tivren;
using namespace tivren::testing;
using Kind = LoopbackAuthorizationReceiver::CallbackResult::Kind;
using ErrorKind = GoogleCalendarServiceError::Kind;

namespace {

const QString state = u"7C1B0F52-1E7A-4C9A-9D2E-3F6A1B2C3D4E"_s;

// One browser connection: sends its bytes (optionally only part of them), collects the reply
// until the listener closes the connection.
class Client
{
public:
    Client(quint16 port, QByteArray request)
    {
        QObject::connect(&m_socket, &QTcpSocket::connected, &m_socket, [this, request] {
            m_socket.write(request);
        });
        QObject::connect(&m_socket, &QTcpSocket::readyRead, &m_socket, [this] {
            reply += m_socket.readAll();
        });
        QObject::connect(&m_socket, &QTcpSocket::disconnected, &m_socket, [this] {
            closed = true;
        });
        QObject::connect(&m_socket, &QTcpSocket::errorOccurred, &m_socket, [this](QAbstractSocket::SocketError e) {
            if (e == QAbstractSocket::ConnectionRefusedError)
                refused = true;
            closed = true;
        });
        m_socket.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
    }

    [[nodiscard]] bool waitUntilClosed(int ms = 5000) const
    {
        return QTest::qWaitFor(
            [this] {
                return closed;
            },
            ms);
    }
    [[nodiscard]] QByteArray body() const { return reply.mid(reply.indexOf("\r\n\r\n") + 4); }

    QByteArray reply;
    bool closed = false;
    bool refused = false;

private:
    QTcpSocket m_socket;
};

QByteArray get(const QByteArray& target)
{
    return "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nUser-Agent: Test\r\nAccept: text/html\r\n\r\n";
}

std::unique_ptr<LoopbackAuthorizationReceiver> listening(LoopbackAuthorizationReceiver::Limits limits = {})
{
    auto receiver = LoopbackAuthorizationReceiver::listen(0, limits);
    return receiver ? std::move(receiver).value() : nullptr;
}

using Waiting = std::shared_ptr<std::optional<Expected<QString, GoogleCalendarServiceError>>>;

bool refusesConnections(quint16 port)
{
    Client client(port, get("/oauth/callback"));
    return client.waitUntilClosed() && client.refused;
}

} // namespace

class tst_GoogleOAuth : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void codeChallengeOfTheRfcExample()
    {
        // RFC 7636, Appendix B.
        QCOMPARE(GoogleOAuth::codeChallenge(u"dBjftJeZ4CVP-mB92K27uhbUJU1p1r_wW1gFWFOEjXk"_s),
            u"E9Melhoa2OwvFrEMTJguCHaoeK1t8URWbuGJSstw-cM"_s);
    }

    void codeVerifiersUseTheWholeAlphabet()
    {
        const QString alphabet = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-._~"_s;
        QString seen;
        for (int i = 0; i < 200; ++i) {
            const QString verifier = GoogleOAuth::randomURLSafeString(GoogleOAuth::codeVerifierLength);
            QCOMPARE(verifier.size(), 64);
            for (const QChar c : verifier) {
                QVERIFY2(alphabet.contains(c), qPrintable(verifier));
                if (!seen.contains(c))
                    seen += c;
            }
        }
        QCOMPARE(seen.size(), alphabet.size()); // 12,800 draws: every character comes up
        QVERIFY(GoogleOAuth::randomURLSafeString(64) != GoogleOAuth::randomURLSafeString(64));
    }

    void formEncodedData_data()
    {
        QTest::addColumn<QStringList>("fields"); // name, value, name, value, ...
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("sorted, space escaped, ampersand kept")
            << QStringList { u"b"_s, u"x y"_s, u"a"_s, u"1&2"_s } << QByteArray("a=1&2&b=x%20y");
        QTest::newRow("query marks kept, others as UTF-8 bytes")
            << QStringList { u"redirect_uri"_s, u"http://127.0.0.1:8765/oauth/callback"_s, u"code"_s, u"4/0A+é#%"_s }
            << QByteArray("code=4/0A+%C3%A9%23%25&redirect_uri=http://127.0.0.1:8765/oauth/callback");
        QTest::newRow("sorted by the encoded pair")
            << QStringList { u"client_secret"_s, u"s"_s, u"client_id"_s, u"i"_s, u"code_verifier"_s, u"v"_s }
            << QByteArray("client_id=i&client_secret=s&code_verifier=v");
    }
    void formEncodedData()
    {
        QFETCH(QStringList, fields);
        QFETCH(QByteArray, expected);
        QMap<QString, QString> map;
        for (qsizetype i = 0; i + 1 < fields.size(); i += 2)
            map.insert(fields[i], fields[i + 1]);
        QCOMPARE(GoogleOAuth::formEncodedData(map), expected);
    }

    void authorizationURL()
    {
        const QUrl url = GoogleOAuth::authorizationURL(
            QUrl(u"https://accounts.example"_s), u"id+1.apps"_s, GoogleOAuth::redirectURI(8765), u"challenge"_s, state);
        QCOMPARE(url.toString(QUrl::RemoveQuery), u"https://accounts.example/o/oauth2/v2/auth"_s);
        const QList<std::pair<QString, QString>> expected { { u"client_id"_s, u"id+1.apps"_s },
            { u"redirect_uri"_s, u"http://127.0.0.1:8765/oauth/callback"_s },
            { u"response_type"_s, u"code"_s },
            { u"scope"_s,
                u"https://www.googleapis.com/auth/calendar.calendarlist.readonly "
                "https://www.googleapis.com/auth/calendar.events"_s },
            { u"access_type"_s, u"offline"_s },
            { u"prompt"_s, u"consent"_s },
            { u"code_challenge"_s, u"challenge"_s },
            { u"code_challenge_method"_s, u"S256"_s },
            { u"state"_s, state } };
        QCOMPARE(QUrlQuery(url).queryItems(QUrl::FullyDecoded), expected);
        // A "+" sent as is would reach Google as a space.
        QVERIFY(url.toEncoded().contains("client_id=id%2B1.apps"));
    }

    void buildConfiguration()
    {
        // Whatever hosts the build names, they are HTTPS bases that the fixed paths go onto.
        const GoogleEndpoints endpoints = GoogleCalendarConfiguration::fromBuild().endpoints;
        for (const QUrl& url : { endpoints.authorization, endpoints.token, endpoints.calendarAPI }) {
            QVERIFY2(url.isValid() && url.scheme() == u"https"_s && !url.host().isEmpty() && url.path().isEmpty(),
                qPrintable(url.toString()));
        }
        QCOMPARE(GoogleCalendarConfiguration::fromBuild().callbackPort, 8765);
    }

    void tokenEndpointReplies_data()
    {
        QTest::addColumn<int>("status"); // 0: no HTTP response at all
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("kind"); // -1: accepted
        QTest::addColumn<QString>("message");
        QTest::newRow("2xx") << 200 << QByteArray("{}") << -1 << QString();
        QTest::newRow("code only") << 400 << QByteArray(R"({"error":"invalid_request"})")
                                   << int(ErrorKind::googleAPIError) << u"invalid_request"_s;
        QTest::newRow("not JSON") << 502 << QByteArray("<html>Bad Gateway</html>") << int(ErrorKind::googleAPIError)
                                  << u"Google answered with HTTP status 502."_s;
        QTest::newRow("not HTTP") << 0 << QByteArray() << int(ErrorKind::invalidResponse) << QString();
    }
    void tokenEndpointReplies()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(int, kind);
        QFETCH(QString, message);
        const auto checked =
            GoogleOAuth::validateOAuthTokenResponse({ status ? std::optional<int>(status) : std::nullopt, body });
        QCOMPARE(checked.hasValue(), kind < 0);
        if (kind >= 0) {
            QCOMPARE(int(checked.error().kind), kind);
            QCOMPARE(checked.error().message, message);
        }
    }

    // The journey test checks the stored form of a full token; one without a refresh token leaves it out.
    void storedTokenWithoutRefreshToken()
    {
        const GoogleOAuthToken token { u"ya29.a"_s, std::nullopt, u"Bearer"_s, 1772352000 };
        QVERIFY(!QJsonDocument::fromJson(GoogleOAuth::encodeToken(token)).object().contains("refreshToken"_L1));
        QCOMPARE(GoogleOAuth::decodeToken(GoogleOAuth::encodeToken(token)), token);
        QVERIFY(!GoogleOAuth::decodeToken(R"({"accessToken":"a","tokenType":"Bearer","expiryDate":"soon"})"));
    }

    void parse_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("value");
        const QString mismatch = u"The Google authorization response did not match the current request."_s;
        const auto target = [](const QString& t) -> QString {
            return u"GET "_s + t + u" HTTP/1.1\r\nHost: 127.0.0.1:8765\r\n\r\n"_s;
        };
        QTest::newRow("code") << target(u"/oauth/callback?state="_s + state + u"&code=4%2F0Ab+c&scope=x"_s)
                              << int(Kind::code) << u"4/0Ab+c"_s;
        QTest::newRow("tab icon") << target(u"/favicon.ico"_s) << int(Kind::ignored) << QString();
        QTest::newRow("error wins over code")
            << target(u"/oauth/callback?error=access_denied&state="_s + state + u"&code=c"_s) << int(Kind::failure)
            << u"Google returned: access_denied"_s;
        QTest::newRow("foreign state") << target(u"/oauth/callback?state=OTHER&code=c"_s) << int(Kind::failure)
                                       << mismatch;
        QTest::newRow("state in other case")
            << target(u"/oauth/callback?state="_s + state.toLower() + u"&code=c"_s) << int(Kind::failure) << mismatch;
        QTest::newRow("no state") << target(u"/oauth/callback?code=c"_s) << int(Kind::failure) << mismatch;
        QTest::newRow("state twice") << target(u"/oauth/callback?state=X&state="_s + state + u"&code=c"_s)
                                     << int(Kind::failure) << mismatch;
        QTest::newRow("no code") << target(u"/oauth/callback?state="_s + state) << int(Kind::failure)
                                 << u"Google did not return an authorization code."_s;
        QTest::newRow("empty code") << target(u"/oauth/callback?code=&state="_s + state) << int(Kind::failure)
                                    << u"Google did not return an authorization code."_s;
        QTest::newRow("nothing") << u"\r\n"_s << int(Kind::unreadable)
                                 << u"Could not read the Google authorization callback."_s;
        QTest::newRow("no target") << u"GET\r\n\r\n"_s << int(Kind::unreadable)
                                   << u"Could not parse the Google authorization callback."_s;
        QTest::newRow("broken escape") << target(u"/oauth/callback?code=%zz"_s) << int(Kind::unreadable)
                                       << u"Could not parse the Google authorization callback."_s;
    }
    void parse()
    {
        QFETCH(QString, request);
        QFETCH(int, kind);
        QFETCH(QString, value);
        const auto result = LoopbackAuthorizationReceiver::parse(request, state);
        QCOMPARE(int(result.kind), kind);
        QCOMPARE(result.value, value);
    }

    void twoCallbacksAtOnce()
    {
        auto receiver = listening();
        QVERIFY(receiver);
        const Waiting waiting = std::make_shared<Waiting::element_type>();
        auto keeping = keepTaskResult(receiver->waitForAuthorizationCode(state), waiting);
        Client first(receiver->port(), get("/oauth/callback?state=" + state.toUtf8() + "&code=first"));
        Client second(receiver->port(), get("/oauth/callback?state=" + state.toUtf8() + "&code=second"));
        QVERIFY(first.waitUntilClosed());
        QVERIFY(second.waitUntilClosed());
        // Both browsers got their page; the wait ended once, with whichever was read first.
        QVERIFY(first.body().contains("You&rsquo;re all set"));
        QVERIFY(second.body().contains("You&rsquo;re all set"));
        QTRY_VERIFY(waiting->has_value());
        QVERIFY(waiting->value().value() == u"first"_s || waiting->value().value() == u"second"_s);
    }

    void badRequestsDoNotEndTheWait()
    {
        auto receiver = listening({ 5min, 300ms });
        QVERIFY(receiver);
        const Waiting waiting = std::make_shared<Waiting::element_type>();
        auto keeping = keepTaskResult(receiver->waitForAuthorizationCode(state), waiting);

        Client notUtf8(receiver->port(), "GET /oauth/callback?code=\xff\xfe HTTP/1.1\r\n\r\n");
        Client oversized(receiver->port(),
            "GET /oauth/callback?state=" + state.toUtf8() + "&code=" + QByteArray(9000, 'a') + " HTTP/1.1\r\n\r\n");
        Client silent(receiver->port(), "GET /oauth/callback?state=");
        QVERIFY(notUtf8.waitUntilClosed());
        QVERIFY(notUtf8.body().contains("Could not read the Google authorization callback."));
        QVERIFY(oversized.waitUntilClosed());
        QVERIFY(oversized.body().contains("Could not read the Google authorization callback."));
        QVERIFY(silent.waitUntilClosed(3000)); // dropped at its deadline
        QVERIFY(silent.reply.isEmpty());
        QVERIFY(!waiting->has_value());

        Client callback(receiver->port(), get("/oauth/callback?state=" + state.toUtf8() + "&code=late"));
        QVERIFY(callback.waitUntilClosed());
        QTRY_VERIFY(waiting->has_value());
        QCOMPARE(waiting->value().value(), u"late"_s);
    }

    void endsAfterItsTimeLimitOrWhenCancelled()
    {
        auto slow = listening({ 200ms, 10s });
        QVERIFY(slow);
        const auto timedOut = resultOf(slow->waitForAuthorizationCode(state), 5000);
        QVERIFY(timedOut);
        QCOMPARE(timedOut->error().kind, ErrorKind::systemError);
        QCOMPARE(timedOut->error().message, u"The Google sign-in was not finished in time. Please try again."_s);
        QVERIFY(refusesConnections(slow->port()));

        auto cancelled = listening();
        QVERIFY(cancelled);
        const Waiting waiting = std::make_shared<Waiting::element_type>();
        auto keeping = keepTaskResult(cancelled->waitForAuthorizationCode(state), waiting);
        cancelled->cancel();
        QTRY_VERIFY(waiting->has_value());
        QCOMPARE(waiting->value().error().kind, ErrorKind::authorizationCancelled);
        QVERIFY(refusesConnections(cancelled->port()));
    }

    void contentLengthCountsBytes()
    {
        const QString page = OAuthCallbackPage::render(OAuthCallbackPage::State::success());
        const QByteArray reply = LoopbackAuthorizationReceiver::httpReply(page);
        const QByteArray body = reply.mid(reply.indexOf("\r\n\r\n") + 4);
        const QRegularExpressionMatch length =
            QRegularExpression(u"Content-Length: (\\d+)\r\n"_s).match(QString::fromLatin1(reply));
        QVERIFY(length.hasMatch());
        QCOMPARE(length.captured(1).toLongLong(), body.size());
        QCOMPARE(body.size(), page.size() + 2); // the title's em dash is three bytes
    }

    // The page says what happened, loads nothing from the network and shows a reason only as text.
    void callbackPages()
    {
        const QString success = OAuthCallbackPage::render(OAuthCallbackPage::State::success());
        QVERIFY(success.contains(u"<title>Tivren \u2014 Connected to Google Calendar</title>"_s));
        QVERIFY(!success.contains(u"class=\"reason\""_s));
        QVERIFY(!success.contains(u"src=\"http"_s));
        const QString failure =
            OAuthCallbackPage::render(OAuthCallbackPage::State::failure(u"a &< b > \"c\" 'd' &amp;"_s));
        QVERIFY(failure.contains(u"<title>Tivren \u2014 Connection failed</title>"_s));
        QVERIFY(failure.contains(u"<div class=\"reason\" role=\"note\">"
                                 "a &amp;&lt; b &gt; &quot;c&quot; &#39;d&#39; &amp;amp;</div>"_s));
    }
};

QTEST_GUILESS_MAIN(tst_GoogleOAuth)
#include "tst_GoogleOAuth.moc"
