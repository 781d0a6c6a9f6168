#pragma once

// What the Google Calendar tests share: a keyring-backed token store, a stand-in Google server, a
// browser that follows the sign-in, and the replies Google gives.

#include "app/google/GoogleCalendarService.h"
#include "core/datafile/Uuid.h"
#include "platform/desktop/KeychainSecretStore.h"
#include "support/FakeGoogleServer.h"
#include "support/ModelHarness.h"
#include "support/ScriptedBrowser.h"
#include "support/TaskResult.h"
#include "support/TestRecords.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QNetworkProxy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace tivren::testing::google {

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
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
