// SPDX-License-Identifier: GPL-3.0-or-later
// The pure parts of the Google sign-in, the loopback listener over real TCP, and the callback page.
#include "app/google/GoogleCalendarConfiguration.h"
#include "app/google/GoogleOAuth.h"
#include "app/google/LoopbackAuthorizationReceiver.h"
#include "app/google/OAuthCallbackPage.h"
#include "support/TaskResult.h"

#include <QCryptographicHash>
#include <QHostAddress>
#include <QTcpServer>
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
using Fields = QMap<QString, QString>;
using Waiting = std::shared_ptr<std::optional<Expected<QString, GoogleCalendarServiceError>>>;

namespace {

const QString state = u"7C1B0F52-1E7A-4C9A-9D2E-3F6A1B2C3D4E"_s;
const QString unreadable = u"Could not read the Google authorization callback."_s;

// One browser connection: sends its bytes, collects the reply until the listener closes it.
struct Client
{
    QTcpSocket socket;
    QByteArray reply;

    Client(quint16 port, const QByteArray& request)
    {
        QObject::connect(&socket, &QTcpSocket::readyRead, &socket, [this] {
            reply += socket.readAll();
        });
        socket.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
        socket.write(request);
    }

    [[nodiscard]] bool closed() const { return socket.state() == QAbstractSocket::UnconnectedState; }
    [[nodiscard]] QByteArray body() const { return reply.mid(reply.indexOf("\r\n\r\n") + 4); }
};

QByteArray callbackWith(quint16 port, const QByteArray& query, const QByteArray& host = "127.0.0.1")
{
    return "GET /oauth/callback?" + query + " HTTP/1.1\r\nHost: " + host + ':' + QByteArray::number(port)
        + "\r\nUser-Agent: Test\r\nAccept: text/html\r\n\r\n";
}

QByteArray callback(quint16 port, const QByteArray& code)
{
    return callbackWith(port, "state=" + state.toUtf8() + "&code=" + code);
}

QByteArray statusLine(const QByteArray& reply)
{
    return reply.left(reply.indexOf("\r\n"));
}

} // namespace

class tst_GoogleOAuth : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void codeChallengeOfTheRfcExample()
    {
        QCOMPARE(GoogleOAuth::codeChallenge(u"dBjftJeZ4CVP-mB92K27uhbUJU1p1r_wW1gFWFOEjXk"_s),
            u"E9Melhoa2OwvFrEMTJguCHaoeK1t8URWbuGJSstw-cM"_s); // RFC 7636, Appendix B
    }

    void codeVerifiersUseTheWholeAlphabet()
    {
        const QString alphabet = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-._~"_s;
        QSet<QChar> seen;
        for (int i = 0; i < 200; ++i) { // 12,800 draws: every character comes up, and nothing else
            const QString verifier = GoogleOAuth::randomURLSafeString(GoogleOAuth::codeVerifierLength);
            QCOMPARE(verifier.size(), 64);
            seen.unite(QSet<QChar>(verifier.cbegin(), verifier.cend()));
        }
        QCOMPARE(seen, QSet<QChar>(alphabet.cbegin(), alphabet.cend()));
    }

    // Sorted; query marks kept, space and other characters as UTF-8 bytes.
    void formEncodedData()
    {
        const Fields fields { { u"b"_s, u"x y"_s }, { u"a"_s, u"1&2"_s }, { u"c"_s, u"http://h:1/4/0A+é#%"_s } };
        QCOMPARE(GoogleOAuth::formEncodedData(fields), QByteArray("a=1&2&b=x%20y&c=http://h:1/4/0A+%C3%A9%23%25"));
    }

    void buildConfiguration()
    {
        const GoogleCalendarConfiguration built = GoogleCalendarConfiguration::fromBuild();
        for (const QUrl& url : { built.endpoints.authorization, built.endpoints.token, built.endpoints.calendarAPI })
            QVERIFY2(
                url.scheme() == u"https"_s && !url.host().isEmpty() && url.path().isEmpty(), qPrintable(url.url()));
        QCOMPARE(built.callbackPort, 8765);
    }

    void tokenEndpointReplies()
    {
        using Error = std::optional<GoogleCalendarServiceError>;
        const auto check = [](std::optional<int> status, const QByteArray& body) -> Error {
            const auto checked = GoogleOAuth::validateOAuthTokenResponse({ status, body });
            return checked ? std::nullopt : Error(checked.error());
        };
        QCOMPARE(check(200, "{}"), std::nullopt);
        QCOMPARE(
            check(400, R"({"error":"invalid_request"})"), Error({ ErrorKind::googleAPIError, u"invalid_request"_s }));
        QCOMPARE(check(502, "<html>Bad Gateway</html>"),
            Error({ ErrorKind::googleAPIError, u"Google answered with HTTP status 502."_s }));
        QCOMPARE(check(std::nullopt, {}), Error({ ErrorKind::invalidResponse, {} })); // no HTTP response at all
    }

    // Only a request to this receiver's own address that carries this sign-in's state can end it.
    void parse_data()
    {
        QTest::addColumn<QString>("request"); // starting with "/": a GET of that target from the browser
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("value");
        const QString mismatch = u"The Google authorization response did not match the current request."_s;
        const QString noCode = u"Google did not return an authorization code."_s;
        const QString unparsable = u"Could not parse the Google authorization callback."_s;
        const QString cb = u"/oauth/callback?"_s;
        const QString ours = u"state="_s + state;
        const auto get = [](const QString& target, const QString& headers) -> QString {
            return u"GET "_s + target + u" HTTP/1.1\r\n"_s + headers + u"\r\n"_s;
        };
        QTest::newRow("code") << cb + ours + u"&code=4%2F0Ab+c&scope=x"_s << int(Kind::code) << u"4/0Ab+c"_s;
        QTest::newRow("tab icon") << u"/favicon.ico"_s << int(Kind::ignored) << QString();
        QTest::newRow("error wins over code") << cb + u"error=access_denied&"_s + ours + u"&code=c"_s
                                              << int(Kind::failure) << u"Google returned: access_denied"_s;
        QTest::newRow("error quoted without controls") << cb + ours + u"&error=denied%0D%0AFake%1B%5B31m%E2%80%AEtxt"_s
                                                       << int(Kind::failure) << u"Google returned: deniedFake[31mtxt"_s;
        QTest::newRow("no code") << cb + ours << int(Kind::failure) << noCode;
        QTest::newRow("empty code") << cb + u"code=&"_s + ours << int(Kind::failure) << noCode;
        QTest::newRow("code twice") << cb + ours + u"&code=a&code=b"_s << int(Kind::failure) << mismatch;

        QTest::newRow("foreign state") << cb + u"state=OTHER&code=c"_s << int(Kind::foreign) << mismatch;
        QTest::newRow("state in other case")
            << cb + u"state="_s + state.toLower() + u"&code=c"_s << int(Kind::foreign) << mismatch;
        QTest::newRow("no state") << cb + u"code=c"_s << int(Kind::foreign) << mismatch;
        QTest::newRow("empty state") << cb + u"state=&code=c"_s << int(Kind::foreign) << mismatch;
        QTest::newRow("state twice") << cb + u"state=X&"_s + ours + u"&code=c"_s << int(Kind::foreign) << mismatch;
        QTest::newRow("error without state")
            << cb + u"error=Tivren+needs+your+password"_s << int(Kind::foreign) << mismatch;
        QTest::newRow("error with foreign state")
            << cb + u"error=access_denied&state=OTHER"_s << int(Kind::foreign) << mismatch;

        const QString request = cb + ours + u"&code=c"_s;
        QTest::newRow("localhost, any case")
            << get(request, u"HOST: LocalHost:8765\r\n"_s) << int(Kind::code) << u"c"_s;
        QTest::newRow("other port") << get(request, u"Host: 127.0.0.1:8766\r\n"_s) << int(Kind::misdirected)
                                    << mismatch;
        QTest::newRow("no port") << get(request, u"Host: 127.0.0.1\r\n"_s) << int(Kind::misdirected) << mismatch;
        QTest::newRow("rebound name") << get(request, u"Host: evil.example:8765\r\n"_s) << int(Kind::misdirected)
                                      << mismatch;
        QTest::newRow("no host") << get(request, QString()) << int(Kind::misdirected) << mismatch;
        QTest::newRow("host twice") << get(request, u"Host: 127.0.0.1:8765\r\nHost: evil.example\r\n"_s)
                                    << int(Kind::misdirected) << mismatch;
        QTest::newRow("host only in the body")
            << get(request, QString()) + u"Host: 127.0.0.1:8765\r\n\r\n"_s << int(Kind::misdirected) << mismatch;

        QTest::newRow("broken escape") << cb + u"code=%zz"_s << int(Kind::unreadable) << unparsable;
        QTest::newRow("nothing") << u"\r\n"_s << int(Kind::unreadable) << unreadable;
        QTest::newRow("no target") << u"GET\r\n\r\n"_s << int(Kind::unreadable) << unparsable;
    }

    void parse()
    {
        QFETCH(QString, request);
        QFETCH(int, kind);
        QFETCH(QString, value);
        if (request.startsWith(u'/'))
            request = u"GET "_s + request + u" HTTP/1.1\r\nHost: 127.0.0.1:8765\r\n\r\n"_s;
        const auto result = LoopbackAuthorizationReceiver::parse(request, state, 8765);
        QCOMPARE(int(result.kind), kind);
        QCOMPARE(result.value, value);
    }

    // Google's words go into an alert and a page: never a control or direction character, never long.
    void quotable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("quoted");
        const QString face = u"\U0001F600"_s; // two UTF-16 units, one character
        QTest::newRow("plain") << u"access_denied"_s << u"access_denied"_s;
        QTest::newRow("controls") << u"a\tb\r\nc\u0000d\u0085e"_s << u"abcde"_s;
        QTest::newRow("direction and separators") << u"\u202Egnp.exe\u2066x\u2028y\u200Bz"_s << u"gnp.exexyz"_s;
        QTest::newRow("tag character") << u"a\U000E0041b"_s << u"ab"_s;
        QTest::newRow("200 characters") << QString(200, u'x') << QString(200, u'x');
        QTest::newRow("201 characters") << QString(201, u'x') << QString(199, u'x') + u"\u2026"_s;
        QTest::newRow("cut between characters")
            << QString(198, u'x') + face + face + face << QString(198, u'x') + face + u"\u2026"_s;
    }

    void quotable()
    {
        QFETCH(QString, text);
        QFETCH(QString, quoted);
        QCOMPARE(LoopbackAuthorizationReceiver::quotable(text), quoted);
    }

    void listensOnlyOnAFreePort()
    {
        QTcpServer taken;
        QVERIFY(taken.listen(QHostAddress(QHostAddress::LocalHost)));
        const auto listening = LoopbackAuthorizationReceiver::listen(taken.serverPort(), {});
        QVERIFY(!listening);
        QCOMPARE(listening.error().kind, ErrorKind::systemError);
        QVERIFY(listening.error().message.contains(QString::number(taken.serverPort())));
    }

    // Requests that are not this sign-in's callback are answered and dropped; the right one still completes it.
    void badRequestsDoNotEndTheWait()
    {
        const auto receiver = LoopbackAuthorizationReceiver::listen(0, { 5min, 300ms }).value();
        const quint16 port = receiver->port();
        const Waiting waiting = std::make_shared<Waiting::element_type>();
        auto keeping = keepTaskResult(receiver->waitForAuthorizationCode(state), waiting);
        Client notUtf8(port, "GET /oauth/callback?code=\xff\xfe HTTP/1.1\r\n\r\n");
        Client oversized(port, callback(port, QByteArray(9000, 'a')));
        Client silent(port, "GET /oauth/callback?state=");
        Client foreign(port, callbackWith(port, "state=OTHER&code=c"));
        Client errorOnly(port, callbackWith(port, "error=Install+this+update"));
        Client rebound(port, callbackWith(port, "state=" + state.toUtf8() + "&code=c", "evil.example"));
        QTRY_VERIFY(
            notUtf8.closed() && oversized.closed() && foreign.closed() && errorOnly.closed() && rebound.closed());
        QVERIFY(notUtf8.body().contains(unreadable.toUtf8()) && oversized.body().contains(unreadable.toUtf8()));
        for (const Client* refused : { &foreign, &errorOnly })
            QCOMPARE(statusLine(refused->reply), "HTTP/1.1 400 Bad Request");
        QVERIFY(!errorOnly.reply.contains("Install"));
        QCOMPARE(statusLine(rebound.reply), "HTTP/1.1 421 Misdirected Request");
        QTRY_VERIFY_WITH_TIMEOUT(silent.closed(), 3000); // dropped at its deadline
        QVERIFY(silent.reply.isEmpty());
        QVERIFY(!waiting->has_value());

        // Two callbacks at once: both browsers get their page; the wait ends once, with whichever came first.
        Client first(port, callback(port, "first"));
        Client second(port, callback(port, "second"));
        QTRY_VERIFY(first.closed() && second.closed());
        QVERIFY(first.body().contains("You&rsquo;re all set") && second.body().contains("You&rsquo;re all set"));
        QCOMPARE(statusLine(first.reply), "HTTP/1.1 200 OK");
        QTRY_VERIFY(waiting->has_value());
        QVERIFY(QStringList({ u"first"_s, u"second"_s }).contains(waiting->value().value()));
    }

    // The page says what happened, loads nothing from the network and shows a reason only as text; its
    // length is counted in bytes.
    void callbackPages()
    {
        const QString success = OAuthCallbackPage::render(OAuthCallbackPage::State::success());
        QVERIFY(success.contains(u"<title>Tivren \u2014 Connected to Google Calendar</title>"_s));
        QVERIFY(!success.contains(u"class=\"reason\""_s) && !success.contains(u"src=\"http"_s));
        const QString failure =
            OAuthCallbackPage::render(OAuthCallbackPage::State::failure(u"a &< b > \"c\" 'd' &amp;"_s));
        QVERIFY(failure.contains(u"<title>Tivren \u2014 Connection failed</title>"_s));
        QVERIFY(failure.contains(u"<div class=\"reason\" role=\"note\">"
                                 "a &amp;&lt; b &gt; &quot;c&quot; &#39;d&#39; &amp;amp;</div>"_s));
        const QByteArray reply = LoopbackAuthorizationReceiver::httpReply(200, success);
        const QByteArray body = reply.mid(reply.indexOf("\r\n\r\n") + 4);
        QCOMPARE(body.size(), success.size() + 2); // the title's em dash is three bytes
        QVERIFY(reply.contains(QByteArray("\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n")));

        // Never cached, sniffed or named as a referrer (its address holds the code); its style element
        // is the one thing the policy lets in.
        for (const QByteArray header :
            { "Cache-Control: no-store", "X-Content-Type-Options: nosniff", "Referrer-Policy: no-referrer" })
            QVERIFY2(reply.contains(QByteArray("\r\n" + header + "\r\n")), header.constData());
        const qsizetype styleStart = success.indexOf(u"<style>"_s) + 7;
        const QString style = success.mid(styleStart, success.indexOf(u"</style>"_s) - styleStart);
        const QByteArray hash = QCryptographicHash::hash(style.toUtf8(), QCryptographicHash::Sha256).toBase64();
        QVERIFY(reply.contains(
            QByteArray("\r\nContent-Security-Policy: default-src 'none'; style-src 'sha256-" + hash + "';")));
        QCOMPARE(success.count(u"<style"_s) + success.count(u"style="_s) + success.count(u"<img"_s), 1);
    }
};

QTEST_GUILESS_MAIN(tst_GoogleOAuth)
#include "tst_GoogleOAuth.moc"
