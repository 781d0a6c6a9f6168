// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/google/GoogleCalendarServicing.h"
#include "core/Expected.h"
#include "core/time/Instant.h"

#include <QByteArray>
#include <QJsonObject>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QUrl>

#include <optional>

namespace tivren {

// The signed-in user's token as kept in the keyring.
struct GoogleOAuthToken
{
    QString accessToken;
    std::optional<QString> refreshToken;
    QString tokenType;
    Instant expiryDate = 0;

    bool operator==(const GoogleOAuthToken&) const = default;
};

// An endpoint's answer: the HTTP status (absent when the answer was not an HTTP response) and body.
struct HttpReply
{
    std::optional<int> status;
    QByteArray body;
};

// The body of a successful token-endpoint reply.
struct GoogleTokenResponse
{
    QString accessToken;
    Seconds expiresIn = 0;
    std::optional<QString> refreshToken;
    QString tokenType;
};

// The pure parts of the OAuth 2.0 sign-in for installed apps with PKCE (RFC 7636, S256).
namespace GoogleOAuth {

inline constexpr qsizetype codeVerifierLength = 64;
inline constexpr QStringView authorizationPath = u"/o/oauth2/v2/auth";
inline constexpr QStringView tokenPath = u"/token";
inline constexpr QStringView callbackPath = u"/oauth/callback";

// Characters drawn uniformly from the 66 URL-safe ones of RFC 3986 (letters, digits, "-._~"),
// from the system's cryptographic random generator.
[[nodiscard]] QString randomURLSafeString(qsizetype length);
// Base64url without padding of the SHA-256 of the verifier.
[[nodiscard]] QString codeChallenge(const QString& verifier);
// name=value pairs, percent-encoded for a URL query, sorted, joined with "&", as UTF-8.
[[nodiscard]] QByteArray formEncodedData(const QMap<QString, QString>& fields);

[[nodiscard]] QStringList scopes();
// http://127.0.0.1:<port>/oauth/callback
[[nodiscard]] QString redirectURI(quint16 port);
[[nodiscard]] QUrl authorizationURL(const QUrl& endpoint,
    const QString& clientID,
    const QString& redirectURI,
    const QString& codeChallenge,
    const QString& state);
[[nodiscard]] QUrl tokenURL(const QUrl& endpoint);

// Accepts a 2xx reply; otherwise the error the token endpoint's body names ("invalid_grant":
// authorizationExpired).
[[nodiscard]] Expected<Done, GoogleCalendarServiceError> validateOAuthTokenResponse(const HttpReply& reply);
[[nodiscard]] std::optional<GoogleTokenResponse> decodeTokenResponse(const QByteArray& body);

// The stored form: JSON with expiryDate in seconds since 2001-01-01T00:00:00Z.
[[nodiscard]] QByteArray encodeToken(const GoogleOAuthToken& token);
[[nodiscard]] std::optional<GoogleOAuthToken> decodeToken(const QByteArray& json);

// The message for an error reply whose body says nothing usable, in the system language.
[[nodiscard]] QString statusCodeText(int status);
// The body as a JSON object; nothing when it is not one.
[[nodiscard]] std::optional<QJsonObject> jsonObject(const QByteArray& body);

} // namespace GoogleOAuth
} // namespace tivren
