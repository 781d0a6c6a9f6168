#pragma once

// What the Google Calendar tests share: a keyring-backed token store, a stand-in Google server, a
// browser that follows the sign-in, and the replies Google gives.

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
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <functional>

namespace tivren::testing::google {

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using ErrorKind = GoogleCalendarServiceError::Kind;

inline const QString clientID = u"1234-tivren-test.apps.googleusercontent.com"_s;
inline const QString clientSecret = u"GOCSPX-test-client-secret"_s;
inline const QByteArray tokenPath = "/token";
inline const QByteArray calendarListPath = "/calendar/v3/users/me/calendarList";

// Everything any part of the program logged while a test ran.
inline QStringList s_log;
inline QtMessageHandler s_previousHandler = nullptr;

inline void keepLog(QtMsgType type, const QMessageLogContext& context, const QString& text)
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
inline std::optional<QString> approve(const QUrlQuery& authorization)
{
    return u"state="_s + authorization.queryItemValue(u"state"_s) + u"&code=4%2F0Ab-code&scope=calendar"_s;
}

inline QJsonObject tokenReply(
    const QString& accessToken, const std::optional<QString>& refreshToken, double expiresIn = 3599)
{
    QJsonObject reply { { u"access_token"_s, accessToken },
        { u"expires_in"_s, expiresIn },
        { u"token_type"_s, u"Bearer"_s },
        { u"scope"_s, u"https://www.googleapis.com/auth/calendar.events"_s } };
    if (refreshToken)
        reply.insert(u"refresh_token"_s, *refreshToken);
    return reply;
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

// Keeps what every test logs, in s_log.
inline void installLogKeeper()
{
    s_previousHandler = qInstallMessageHandler(keepLog);
}

// Starts a test with an empty log and no sign-in in the keyring; false without a keyring.
[[nodiscard]] inline bool startWithoutSignIn()
{
    s_log.clear();
    KeychainSecretStore keychain(10s);
    GoogleOAuthTokenStore tokens(keychain);
    const auto removed = resultOf(tokens.remove());
    return removed && removed->hasValue();
}

} // namespace tivren::testing::google
