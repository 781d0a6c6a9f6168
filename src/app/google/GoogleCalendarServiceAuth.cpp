// SPDX-License-Identifier: GPL-3.0-or-later
// Signing in (authorization code with PKCE over a loopback redirect) and keeping the token fresh.
#include "app/google/GoogleCalendarService.h"
#include "app/google/LoopbackAuthorizationReceiver.h"
#include "app/text/AppStrings.h"
#include "core/datafile/Uuid.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

// An access token this close to its expiry is refreshed before use.
constexpr Seconds expiryMargin = 60;

} // namespace

QCoro::Task<Expected<Done, GoogleCalendarServiceError>> GoogleCalendarService::authorize(GoogleCalendarSettings)
{
    auto entering = m_queue.enter();
    const SerialQueue::Turn turn = co_await entering;
    const GoogleOAuthClient& client = m_configuration.client;
    if (client.clientID.isEmpty()) {
        co_return Unexpected(GoogleCalendarServiceError { GoogleCalendarServiceError::Kind::systemError,
            AppStrings::text(QLocale::system(),
                Text::en(
                    "This build of Tivren has no Google OAuth client ID, so it cannot connect to Google Calendar.")) });
    }

    // Without a keyring that takes the token, signing in at Google would be for nothing: say so
    // before any browser opens.
    auto checking = m_tokenStore.checkWritable();
    if (const auto writable = co_await std::move(checking); !writable)
        co_return Unexpected(writable.error());

    const QString verifier = GoogleOAuth::randomURLSafeString(GoogleOAuth::codeVerifierLength);
    auto listening = LoopbackAuthorizationReceiver::listen(
        m_configuration.callbackPort, { m_configuration.signInTimeLimit, m_configuration.callbackConnectionDeadline });
    if (!listening)
        co_return Unexpected(listening.error());
    const std::unique_ptr<LoopbackAuthorizationReceiver> receiver = std::move(listening).value();
    const QString redirectURI = GoogleOAuth::redirectURI(receiver->port());
    const QString state = UuidText::upper(QUuid::createUuid());
    const QUrl url = GoogleOAuth::authorizationURL(m_configuration.endpoints.authorization,
        client.clientID,
        redirectURI,
        GoogleOAuth::codeChallenge(verifier),
        state);

    // The wait begins before the browser opens, so the redirect can never arrive unheard.
    auto waiting = receiver->waitForAuthorizationCode(state);
    if (!m_browser.openUrl(url))
        receiver->cancel();
    const auto code = co_await std::move(waiting);
    if (!code)
        co_return Unexpected(code.error());

    const QMap<QString, QString> fields { { u"code"_s, *code },
        { u"client_id"_s, client.clientID },
        { u"client_secret"_s, client.clientSecret },
        { u"redirect_uri"_s, redirectURI },
        { u"grant_type"_s, u"authorization_code"_s },
        { u"code_verifier"_s, verifier } };
    auto exchanging = requestToken(fields, std::nullopt);
    const auto token = co_await std::move(exchanging);
    if (!token)
        co_return Unexpected(token.error());
    auto saving = m_tokenStore.save(*token);
    co_return co_await std::move(saving);
}

QCoro::Task<Expected<GoogleOAuthToken, GoogleCalendarServiceError>> GoogleCalendarService::validAccessToken(
    GoogleCalendarSettings settings)
{
    auto loading = m_tokenStore.load();
    const auto stored = co_await std::move(loading);
    if (!stored)
        co_return Unexpected(stored.error());
    if (!stored->has_value())
        co_return Unexpected(GoogleCalendarServiceError { GoogleCalendarServiceError::Kind::authorizationExpired, {} });
    const GoogleOAuthToken& token = **stored;
    if (token.expiryDate > m_clock.now() + expiryMargin)
        co_return token;
    auto refreshing = refreshToken(token, std::move(settings));
    co_return co_await std::move(refreshing);
}

QCoro::Task<Expected<GoogleOAuthToken, GoogleCalendarServiceError>> GoogleCalendarService::refreshToken(
    GoogleOAuthToken token, GoogleCalendarSettings)
{
    if (token.refreshToken.value_or(QString()).isEmpty())
        co_return Unexpected(GoogleCalendarServiceError { GoogleCalendarServiceError::Kind::missingRefreshToken, {} });
    const QMap<QString, QString> fields { { u"client_id"_s, m_configuration.client.clientID },
        { u"client_secret"_s, m_configuration.client.clientSecret },
        { u"refresh_token"_s, *token.refreshToken },
        { u"grant_type"_s, u"refresh_token"_s } };
    auto requesting = requestToken(fields, token.refreshToken);
    const auto refreshed = co_await std::move(requesting);
    if (!refreshed) {
        if (refreshed.error().kind == GoogleCalendarServiceError::Kind::authorizationExpired) {
            // The refresh token was revoked or has expired: it is of no use any more. Whether the
            // keyring lets go of it or not, the answer is the same.
            auto removing = m_tokenStore.remove();
            [[maybe_unused]] const auto removed = co_await std::move(removing);
        }
        co_return Unexpected(refreshed.error());
    }
    auto saving = m_tokenStore.save(*refreshed);
    const auto saved = co_await std::move(saving);
    if (!saved)
        co_return Unexpected(saved.error());
    co_return *refreshed;
}

QCoro::Task<Expected<GoogleOAuthToken, GoogleCalendarServiceError>> GoogleCalendarService::requestToken(
    QMap<QString, QString> fields, std::optional<QString> previousRefreshToken)
{
    QNetworkRequest request(GoogleOAuth::tokenURL(m_configuration.endpoints.token));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/x-www-form-urlencoded"));
    auto sending = send(request, "POST", GoogleOAuth::formEncodedData(fields));
    const auto reply = co_await std::move(sending);
    if (!reply)
        co_return Unexpected(reply.error());
    if (const auto valid = GoogleOAuth::validateOAuthTokenResponse(*reply); !valid)
        co_return Unexpected(valid.error());
    const auto response = GoogleOAuth::decodeTokenResponse(reply->body);
    if (!response)
        co_return Unexpected(GoogleCalendarServiceError { GoogleCalendarServiceError::Kind::invalidResponse, {} });
    // Google sends a refresh token with the first sign-in; a refresh usually keeps the old one.
    co_return GoogleOAuthToken { response->accessToken,
        response->refreshToken ? response->refreshToken : std::move(previousRefreshToken),
        response->tokenType,
        m_clock.now() + response->expiresIn };
}

} // namespace tivren
