// SPDX-License-Identifier: GPL-3.0-or-later
// The pure parts of the Google sign-in: PKCE values, form bodies, token replies and the stored token.
#include "app/google/GoogleOAuth.h"

#include "app/text/AppStrings.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRandomGenerator>
#include <QUrlQuery>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace tivren::GoogleOAuth {
namespace {

constexpr char16_t urlSafeAlphabet[] = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-._~";
constexpr quint64 alphabetSize = std::size(urlSafeAlphabet) - 1;
static_assert(alphabetSize == 66);

// 2001-01-01T00:00:00Z in seconds since the Unix epoch: the stored expiry counts from there.
constexpr Instant referenceDate = 978307200;

// What a URL query may hold unescaped besides the unreserved characters (letters, digits, "-._~"):
// the sub-delimiters and ":@/?" (RFC 3986, section 3.4).
const QByteArray queryAllowedMarks = QByteArrayLiteral("!$&'()*+,;=:@/?");

QByteArray queryEncoded(const QString& text)
{
    return text.toUtf8().toPercentEncoding(queryAllowedMarks);
}

std::optional<QString> optionalString(const QJsonObject& object, QLatin1StringView key)
{
    const QJsonValue value = object.value(key);
    if (value.isString())
        return value.toString();
    return std::nullopt;
}

} // namespace

QString randomURLSafeString(qsizetype length)
{
    // Values at or above the last whole multiple of 66 are drawn again, so every character is
    // equally likely.
    constexpr quint64 limit = std::numeric_limits<quint64>::max() - std::numeric_limits<quint64>::max() % alphabetSize;
    QRandomGenerator* random = QRandomGenerator::system();
    QString text;
    text.reserve(length);
    while (text.size() < length) {
        const quint64 value = random->generate64();
        if (value < limit)
            text.append(QChar(urlSafeAlphabet[value % alphabetSize]));
    }
    return text;
}

QString codeChallenge(const QString& verifier)
{
    const QByteArray digest = QCryptographicHash::hash(verifier.toUtf8(), QCryptographicHash::Sha256);
    return QString::fromLatin1(digest.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

QByteArray formEncodedData(const QMap<QString, QString>& fields)
{
    QList<QByteArray> pairs;
    pairs.reserve(fields.size());
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        pairs.append(queryEncoded(it.key()) + '=' + queryEncoded(it.value()));
    std::sort(pairs.begin(), pairs.end());
    return pairs.join('&');
}

QStringList scopes()
{
    return { u"https://www.googleapis.com/auth/calendar.calendarlist.readonly"_s,
        u"https://www.googleapis.com/auth/calendar.events"_s };
}

QString redirectURI(quint16 port)
{
    return u"http://127.0.0.1:"_s + QString::number(port) + callbackPath;
}

QUrl authorizationURL(const QUrl& endpoint,
    const QString& clientID,
    const QString& redirectURI,
    const QString& codeChallenge,
    const QString& state)
{
    QUrl url = endpoint;
    url.setPath(authorizationPath.toString());
    QUrlQuery query;
    // QUrlQuery leaves some delimiters as they are; encode every value fully so that a "+" or "&"
    // in it can never be read as something else.
    const auto add = [&query](const QString& name, const QString& value) {
        query.addQueryItem(name, QString::fromLatin1(QUrl::toPercentEncoding(value)));
    };
    add(u"client_id"_s, clientID);
    add(u"redirect_uri"_s, redirectURI);
    add(u"response_type"_s, u"code"_s);
    add(u"scope"_s, scopes().join(u' '));
    add(u"access_type"_s, u"offline"_s);
    add(u"prompt"_s, u"consent"_s);
    add(u"code_challenge"_s, codeChallenge);
    add(u"code_challenge_method"_s, u"S256"_s);
    add(u"state"_s, state);
    url.setQuery(query);
    return url;
}

QUrl tokenURL(const QUrl& endpoint)
{
    QUrl url = endpoint;
    url.setPath(tokenPath.toString());
    return url;
}

Expected<Done, GoogleCalendarServiceError> validateOAuthTokenResponse(const HttpReply& reply)
{
    if (!reply.status)
        return Unexpected(GoogleCalendarServiceError { GoogleCalendarServiceError::Kind::invalidResponse, {} });
    if (*reply.status >= 200 && *reply.status <= 299)
        return Done {};
    const auto envelope = jsonObject(reply.body);
    const auto error = envelope ? optionalString(*envelope, "error"_L1) : std::nullopt;
    if (!error)
        return Unexpected(GoogleCalendarServiceError {
            GoogleCalendarServiceError::Kind::googleAPIError, statusCodeText(*reply.status) });
    if (*error == "invalid_grant"_L1)
        return Unexpected(GoogleCalendarServiceError { GoogleCalendarServiceError::Kind::authorizationExpired, {} });
    const auto description = optionalString(*envelope, "error_description"_L1);
    return Unexpected(GoogleCalendarServiceError {
        GoogleCalendarServiceError::Kind::googleAPIError, description ? *error + u": "_s + *description : *error });
}

std::optional<GoogleTokenResponse> decodeTokenResponse(const QByteArray& body)
{
    const auto object = jsonObject(body);
    if (!object)
        return std::nullopt;
    const auto accessToken = optionalString(*object, "access_token"_L1);
    const auto tokenType = optionalString(*object, "token_type"_L1);
    const QJsonValue expiresIn = object->value("expires_in"_L1);
    if (!accessToken || !tokenType || !expiresIn.isDouble())
        return std::nullopt;
    return GoogleTokenResponse {
        *accessToken, expiresIn.toDouble(), optionalString(*object, "refresh_token"_L1), *tokenType
    };
}

QByteArray encodeToken(const GoogleOAuthToken& token)
{
    QJsonObject object { { u"accessToken"_s, token.accessToken },
        { u"tokenType"_s, token.tokenType },
        { u"expiryDate"_s, token.expiryDate - referenceDate } };
    if (token.refreshToken)
        object.insert(u"refreshToken"_s, *token.refreshToken);
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<GoogleOAuthToken> decodeToken(const QByteArray& json)
{
    const auto object = jsonObject(json);
    if (!object)
        return std::nullopt;
    const auto accessToken = optionalString(*object, "accessToken"_L1);
    const auto tokenType = optionalString(*object, "tokenType"_L1);
    const QJsonValue expiryDate = object->value("expiryDate"_L1);
    const QJsonValue refreshToken = object->value("refreshToken"_L1);
    if (!accessToken || !tokenType || !expiryDate.isDouble()
        || !(refreshToken.isUndefined() || refreshToken.isString()))
        return std::nullopt;
    return GoogleOAuthToken {
        *accessToken, optionalString(*object, "refreshToken"_L1), *tokenType, expiryDate.toDouble() + referenceDate
    };
}

std::optional<QJsonObject> jsonObject(const QByteArray& body)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

QString statusCodeText(int status)
{
    return AppStrings::text(QLocale::system(), Text::en("Google answered with HTTP status %d."), { status });
}

} // namespace tivren::GoogleOAuth
