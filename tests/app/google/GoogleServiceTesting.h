// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the Google Calendar tests share: a keyring-backed token store, a stand-in Google server, a
// browser that follows the sign-in, and the replies Google gives.

#include "app/google/GoogleCalendarService.h"
#include "app/services/Browser.h"
#include "core/datafile/Uuid.h"
#include "platform/desktop/KeychainSecretStore.h"
#include "support/ModelHarness.h"
#include "support/TaskResult.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <optional>

namespace tivren::testing::google {

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
// Google's OAuth token endpoint and Calendar API, played by a small HTTP server on 127.0.0.1 for
// the tests of the Google client: it answers the replies a test scripted for a method and path
// (in order; the last one repeats) and records every request it gets.

class FakeGoogleServer
{
public:
    struct Request
    {
        QByteArray method;
        QByteArray target; // as sent: path and query, percent-encoded
        QHash<QByteArray, QByteArray> headers; // names in lower case
        QByteArray body;

        [[nodiscard]] QByteArray path() const
        {
            const qsizetype query = target.indexOf('?');
            return query < 0 ? target : target.left(query);
        }
        // A query parameter as a web server reads it: "+" is a space.
        [[nodiscard]] QString queryValue(const QString& name) const
        {
            QByteArray query = target.mid(path().size() + 1);
            query.replace('+', ' ');
            return QUrlQuery(QString::fromUtf8(query)).queryItemValue(name, QUrl::FullyDecoded);
        }
        [[nodiscard]] QJsonObject json() const { return QJsonDocument::fromJson(body).object(); }
        // The form fields of a token request, decoded.
        [[nodiscard]] QString formValue(const QString& name) const
        {
            return QUrlQuery(QString::fromUtf8(body)).queryItemValue(name, QUrl::FullyDecoded);
        }
    };

    struct Reply
    {
        int status = 200;
        QByteArray body;
        bool silent = false; // never answer: a server that hangs
        bool dropped = false; // carried out, then the connection closes unanswered
    };

    FakeGoogleServer()
    {
        m_server.listen(QHostAddress(QHostAddress::LocalHost));
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    read(socket);
                });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, socket] {
                    m_buffers.erase(socket);
                    socket->deleteLater();
                });
            }
        });
    }

    [[nodiscard]] QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort())); }

    void script(const QByteArray& method, const QByteArray& path, Reply reply)
    {
        m_replies[method + ' ' + path].push_back(std::move(reply));
    }
    void scriptJson(const QByteArray& method, const QByteArray& path, int status, const QJsonObject& body)
    {
        script(method, path, { status, QJsonDocument(body).toJson(QJsonDocument::Compact) });
    }

    // Answers every request to the route with what the handler makes of it, before any scripted reply.
    void serve(const QByteArray& method, const QByteArray& path, std::function<Reply(const Request&)> handler)
    {
        m_handlers[method + ' ' + path] = std::move(handler);
    }

    [[nodiscard]] QList<Request> requestsTo(const QByteArray& method, const QByteArray& path) const
    {
        QList<Request> found;
        for (const Request& request : requests) {
            if (request.method == method && request.path() == path)
                found.append(request);
        }
        return found;
    }

    // Plays a calendar that keeps its events as Google does, instead of scripted replies: an insert
    // under an id it has is refused (409), a replacement of an event it lacks is 404.
    void modelCalendar(const QByteArray& eventsPath) { m_calendars[eventsPath]; }
    [[nodiscard]] QList<QJsonObject> events(const QByteArray& eventsPath) const
    {
        QList<QJsonObject> found;
        if (const auto calendar = m_calendars.find(eventsPath); calendar != m_calendars.end()) {
            for (const auto& [id, event] : calendar->second)
                found.append(event);
        }
        return found;
    }

    QList<Request> requests;
    int dropAnswers = 0; // so many requests to a modelled calendar are carried out but never answered

private:
    std::optional<Reply> modelled(const Request& request)
    {
        const QByteArray path = request.path();
        const QByteArray parent = path.left(path.lastIndexOf('/'));
        const bool insert = request.method == "POST" && m_calendars.contains(path);
        if (!insert && !(request.method == "PUT" && m_calendars.contains(parent)))
            return std::nullopt;
        std::map<QString, QJsonObject>& events = m_calendars[insert ? path : parent];
        QJsonObject event = request.json();
        QString id = insert ? event.value(u"id"_s).toString()
                            : QString::fromUtf8(QByteArray::fromPercentEncoding(path.mid(parent.size() + 1)));
        if (id.isEmpty())
            id = u"generated-%1"_s.arg(requests.size());
        Reply reply { 200, {}, false, dropAnswers > 0 };
        dropAnswers = std::max(dropAnswers - 1, 0);
        if (insert == events.contains(id)) {
            reply.status = insert ? 409 : 404;
            return reply;
        }
        event.insert(u"id"_s, id);
        events[id] = event;
        reply.body = QJsonDocument(event).toJson(QJsonDocument::Compact);
        return reply;
    }

    void read(QTcpSocket* socket)
    {
        QByteArray& buffer = m_buffers[socket];
        buffer += socket->readAll();
        const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
        if (headEnd < 0)
            return;
        Request request;
        const QList<QByteArray> lines = buffer.left(headEnd).split('\n');
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        request.method = requestLine.value(0);
        request.target = requestLine.value(1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0)
                request.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
        }
        const qsizetype length = request.headers.value("content-length", "0").toLongLong();
        if (buffer.size() < headEnd + 4 + length)
            return;
        request.body = buffer.mid(headEnd + 4, length);
        buffer.remove(0, headEnd + 4 + length);
        requests.append(request);

        const QByteArray route = request.method + ' ' + request.path();
        Reply reply { 500, "{\"error\":{\"message\":\"nothing scripted for " + route + "\"}}" };
        if (const auto handler = m_handlers.constFind(route); handler != m_handlers.cend()) {
            reply = (*handler)(request);
        } else if (auto answer = modelled(request)) {
            reply = *answer;
        } else if (auto found = m_replies.find(route); found != m_replies.end() && !found->empty()) {
            reply = found->front();
            if (found->size() > 1)
                found->pop_front();
        }
        if (reply.silent)
            return;
        if (reply.dropped) {
            socket->disconnectFromHost();
            return;
        }
        socket->write("HTTP/1.1 " + QByteArray::number(reply.status) + " Scripted\r\n"
            + "Content-Type: application/json; charset=utf-8\r\nContent-Length: "
            + QByteArray::number(reply.body.size()) + "\r\nConnection: close\r\n\r\n" + reply.body);
        socket->disconnectFromHost();
    }

    QHash<QByteArray, std::deque<Reply>> m_replies;
    QHash<QByteArray, std::function<Reply(const Request&)>> m_handlers;
    std::map<QByteArray, std::map<QString, QJsonObject>> m_calendars; // events by id, by events path
    std::map<QTcpSocket*, QByteArray> m_buffers;
    QTcpServer m_server; // last: its connections go first, while the buffers still exist
};

// The user's browser in the Google sign-in: records what it was asked to open, then asks for the
// tab icon and follows the redirect back with the callback query the test scripted.

class ScriptedBrowser final : public Browser
{
public:
    bool canOpen = true;
    std::function<std::optional<QString>(const QUrlQuery&)> callbackQuery; // nothing: the user never comes back
    QList<QUrl> opened;
    QList<QByteArray> pages; // what the listener answered, in order
    bool finished = false;

    bool openUrl(const QUrl& url) override
    {
        opened.append(url);
        const std::optional<QString> query = callbackQuery ? callbackQuery(QUrlQuery(url)) : std::nullopt;
        if (!canOpen || !query)
            return canOpen;
        QUrl icon = redirectURI(), callback = redirectURI();
        icon.setPath(QStringLiteral("/favicon.ico"));
        callback.setQuery(*query);
        visit({ icon, callback });
        return true;
    }

    [[nodiscard]] QUrl redirectURI() const
    {
        return QUrl(QUrlQuery(opened.value(0)).queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded));
    }

private:
    // One page after the other, from the event loop, as a real browser would.
    void visit(QList<QUrl> urls)
    {
        finished = urls.isEmpty();
        if (finished)
            return;
        QNetworkReply* reply = m_network.get(QNetworkRequest(urls.takeFirst()));
        QObject::connect(reply, &QNetworkReply::finished, &m_network, [this, reply, urls] {
            pages.append(reply->readAll());
            reply->deleteLater();
            visit(urls);
        });
    }

    QNetworkAccessManager m_network;
};

using ErrorKind = GoogleCalendarServiceError::Kind;

inline const QString clientID = u"1234+tivren-test.apps.googleusercontent.com"_s; // "+" must reach Google as is
inline const QString clientSecret = u"GOCSPX-test-client-secret"_s;
inline const QByteArray tokenPath = "/token";
inline const QByteArray calendarListPath = "/calendar/v3/users/me/calendarList";

// Google's usual answer: a code and the state it was given.
inline std::optional<QString> approve(const QUrlQuery& authorization)
{
    return u"state="_s + authorization.queryItemValue(u"state"_s) + u"&code=4%2F0Ab-code&scope=calendar"_s;
}

inline QJsonObject calendarItem(const QString& id, const QString& summary, bool primary = false)
{
    QJsonObject item { { u"id"_s, id }, { u"summary"_s, summary }, { u"accessRole"_s, u"owner"_s } };
    if (primary)
        item.insert(u"primary"_s, true);
    return item;
}

inline QByteArray eventsPath(const QByteArray& encodedCalendarID)
{
    return "/calendar/v3/calendars/" + encodedCalendarID + "/events";
}

inline bool refusesConnections(const QUrl& url)
{
    QTcpSocket socket;
    socket.connectToHost(url.host(), quint16(url.port()));
    [[maybe_unused]] const bool closed = QTest::qWaitFor(
        [&socket] {
            return socket.state() == QAbstractSocket::UnconnectedState;
        },
        3000);
    return socket.error() == QAbstractSocket::ConnectionRefusedError;
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

    // Google's token reply; a refresh usually comes without a new refresh token.
    void scriptToken(int status, const QString& accessOrError, const std::optional<QString>& refreshToken = {})
    {
        QJsonObject reply { { u"error"_s, accessOrError }, { u"error_description"_s, u"Nope."_s } };
        if (status == 200)
            reply = {
                { u"access_token"_s, accessOrError }, { u"expires_in"_s, 3599 }, { u"token_type"_s, u"Bearer"_s }
            };
        if (refreshToken)
            reply.insert(u"refresh_token"_s, *refreshToken);
        google.scriptJson("POST", tokenPath, status, reply);
    }

    void scriptCalendars(const QJsonArray& items)
    {
        google.scriptJson("GET", calendarListPath, 200, { { u"items"_s, items } });
    }

    // The calendar list in pages as Google sends them: at most maxResults (and pageSize) calendars
    // each, the next one named by a token with characters a query must escape.
    void serveCalendarPages(const QJsonArray& items, qsizetype pageSize)
    {
        google.serve("GET", calendarListPath, [items, pageSize](const FakeGoogleServer::Request& request) {
            const QString token = request.queryValue(u"pageToken"_s);
            const qsizetype start = token.isEmpty() ? 0 : token.section(u'/', 1, 1).toLongLong();
            if (!token.isEmpty() && token != pageToken(start))
                return FakeGoogleServer::Reply { 400, R"({"error":{"message":"Invalid page token"}})" };
            const QString maxResults = request.queryValue(u"maxResults"_s); // Google's default: 100
            const qsizetype size = std::min(pageSize, maxResults.isEmpty() ? 100 : maxResults.toLongLong());
            QJsonArray listed;
            for (qsizetype i = start; i < std::min(start + size, items.size()); ++i)
                listed.append(items.at(i));
            QJsonObject page { { u"items"_s, listed } };
            if (start + size < items.size())
                page.insert(u"nextPageToken"_s, pageToken(start + size));
            return FakeGoogleServer::Reply { 200, QJsonDocument(page).toJson(QJsonDocument::Compact) };
        });
    }
    static QString pageToken(qsizetype start) { return u"Cg+p/"_s + QString::number(start) + u"/=="_s; }

    Expected<QList<GoogleCalendarListItem>, GoogleCalendarServiceError> fetchCalendars()
    {
        return resultOf(service->fetchCalendars({})).value();
    }
};

// Starts a test with no sign-in in the keyring; false without a keyring.
[[nodiscard]] inline bool startWithoutSignIn()
{
    KeychainSecretStore keychain(10s);
    const auto removed = resultOf(GoogleOAuthTokenStore(keychain).remove());
    return removed && removed->hasValue();
}

} // namespace tivren::testing::google
