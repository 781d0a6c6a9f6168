// SPDX-License-Identifier: GPL-3.0-or-later
// The service's frame: requests, reply checks and the calendar list.
#include "app/google/GoogleCalendarService.h"

#include "app/text/AppStrings.h"

#include <QCollator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QNetworkReply>
#include <QTimer>
#include <QUrlQuery>
#include <qcoro/qcorosignal.h>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

struct DeleteLater
{
    void operator()(QObject* object) const { object->deleteLater(); }
};

GoogleCalendarServiceError systemError(const QString& key, const QVariantList& arguments = {})
{
    return { GoogleCalendarServiceError::Kind::systemError, AppStrings::text(QLocale::system(), key, arguments) };
}

} // namespace

GoogleCalendarService::GoogleCalendarService(QNetworkAccessManager& session,
    SecretStore& secrets,
    Browser& browser,
    const Clock& clock,
    GoogleCalendarConfiguration configuration)
    : m_session(session)
    , m_tokenStore(secrets)
    , m_browser(browser)
    , m_clock(clock)
    , m_configuration(std::move(configuration))
{
}

QCoro::Task<bool> GoogleCalendarService::hasStoredToken()
{
    auto entering = m_queue.enter();
    const SerialQueue::Turn turn = co_await entering;
    auto loading = m_tokenStore.load();
    const auto token = co_await std::move(loading);
    co_return token && token->has_value();
}

QCoro::Task<Expected<Done, GoogleCalendarServiceError>> GoogleCalendarService::deleteStoredToken()
{
    auto entering = m_queue.enter();
    const SerialQueue::Turn turn = co_await entering;
    auto removing = m_tokenStore.remove();
    co_return co_await std::move(removing);
}

QCoro::Task<Expected<QList<GoogleCalendarListItem>, GoogleCalendarServiceError>> GoogleCalendarService::fetchCalendars(
    GoogleCalendarSettings settings)
{
    auto entering = m_queue.enter();
    const SerialQueue::Turn turn = co_await entering;
    QList<GoogleCalendarListItem> calendars;
    std::optional<QString> pageToken;
    // A list cut short would make a chosen calendar look deleted: every page is read, or none.
    for (int page = 0; page < maxCalendarListPages; ++page) {
        auto sending =
            authorizedSend(u"/calendar/v3/users/me/calendarList"_s, "GET", {}, settings, [&pageToken](QUrl url) {
                return calendarListPageURL(url, pageToken);
            });
        const auto reply = co_await std::move(sending);
        if (!reply)
            co_return Unexpected(reply.error());
        if (const auto valid = validate(*reply); !valid)
            co_return Unexpected(valid.error());
        auto decoded = decodeCalendarListPage(reply->body);
        if (!decoded)
            co_return Unexpected(decoded.error());
        calendars.append(decoded->calendars);
        if (!decoded->nextPageToken)
            co_return sortedCalendars(std::move(calendars));
        pageToken = decoded->nextPageToken;
    }
    co_return Unexpected(systemError(
        Text::en("Google lists more calendars than Tivren can read (over %d pages)."), { maxCalendarListPages }));
}

QUrl GoogleCalendarService::calendarListPageURL(QUrl url, const std::optional<QString>& pageToken)
{
    QUrlQuery query;
    query.addQueryItem(u"maxResults"_s, QString::number(calendarListPageSize));
    // Encoded in full: a "+" or "/" of the token must reach Google as it is.
    if (pageToken)
        query.addQueryItem(u"pageToken"_s, QString::fromLatin1(QUrl::toPercentEncoding(*pageToken)));
    url.setQuery(query);
    return url;
}

Expected<GoogleCalendarListPage, GoogleCalendarServiceError> GoogleCalendarService::decodeCalendarListPage(
    const QByteArray& body)
{
    const Unexpected invalid(GoogleCalendarServiceError { GoogleCalendarServiceError::Kind::invalidResponse, {} });
    const auto response = GoogleOAuth::jsonObject(body);
    if (!response || !response->value("items"_L1).isArray())
        return invalid;
    GoogleCalendarListPage page;
    const QJsonValue next = response->value("nextPageToken"_L1);
    if (next.isString() && !next.toString().isEmpty())
        page.nextPageToken = next.toString();
    else if (!next.isUndefined() && !next.isNull() && !next.isString())
        return invalid;
    for (const QJsonValue& value : response->value("items"_L1).toArray()) {
        const QJsonObject item = value.toObject();
        const QJsonValue id = item.value("id"_L1);
        const QJsonValue summary = item.value("summary"_L1);
        const QJsonValue summaryOverride = item.value("summaryOverride"_L1);
        const QJsonValue primary = item.value("primary"_L1);
        if (!value.isObject() || !id.isString() || !summary.isString()
            || !(summaryOverride.isUndefined() || summaryOverride.isString())
            || !(primary.isUndefined() || primary.isBool()))
            return invalid;
        // The user's own name wins whenever it is there, even empty.
        page.calendars.append({ id.toString(),
            summaryOverride.isString() ? summaryOverride.toString() : summary.toString(),
            primary.toBool(false) });
    }
    return page;
}

QList<GoogleCalendarListItem> GoogleCalendarService::sortedCalendars(QList<GoogleCalendarListItem> calendars)
{
    QCollator collator(QLocale::system());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(calendars.begin(), calendars.end(), [&collator](const auto& a, const auto& b) {
        if (a.isPrimary != b.isPrimary)
            return a.isPrimary;
        return collator.compare(a.name, b.name) < 0;
    });
    return calendars;
}

Expected<Done, GoogleCalendarServiceError> GoogleCalendarService::validate(const HttpReply& reply)
{
    if (!reply.status)
        return Unexpected(GoogleCalendarServiceError { GoogleCalendarServiceError::Kind::invalidResponse, {} });
    if (*reply.status >= 200 && *reply.status <= 299)
        return Done {};
    const auto envelope = GoogleOAuth::jsonObject(reply.body);
    const QJsonValue message = envelope ? envelope->value("error"_L1).toObject().value("message"_L1) : QJsonValue();
    if (message.isString())
        return Unexpected(
            GoogleCalendarServiceError { GoogleCalendarServiceError::Kind::googleAPIError, message.toString() });
    return Unexpected(GoogleCalendarServiceError {
        GoogleCalendarServiceError::Kind::googleAPIError, GoogleOAuth::statusCodeText(*reply.status) });
}

QNetworkRequest GoogleCalendarService::apiRequest(const QString& path, const GoogleOAuthToken& token) const
{
    QUrl url = m_configuration.endpoints.calendarAPI;
    url.setPath(path, QUrl::StrictMode); // path holds percent-encoded identifiers: kept as they are
    QNetworkRequest request(url);
    request.setRawHeader("Authorization", "Bearer " + token.accessToken.toUtf8());
    return request;
}

QCoro::Task<Expected<HttpReply, GoogleCalendarServiceError>> GoogleCalendarService::authorizedSend(
    QString path, QByteArray verb, QByteArray json, GoogleCalendarSettings settings, std::function<QUrl(QUrl)> query)
{
    const auto request = [this, &path, &json, &query](const GoogleOAuthToken& token) {
        QNetworkRequest request = apiRequest(path, token);
        if (query)
            request.setUrl(query(request.url()));
        if (!json.isEmpty())
            request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
        return request;
    };
    auto authorizing = validAccessToken(settings);
    const auto token = co_await std::move(authorizing);
    if (!token)
        co_return Unexpected(token.error());
    auto sending = send(request(*token), verb, json);
    auto reply = co_await std::move(sending);
    if (!reply || reply->status != 401)
        co_return reply;
    // The token was revoked or the clock is off; a refresh that fails with invalid_grant removes
    // the sign-in, so the user is asked to connect again.
    auto refreshing = refreshToken(*token, std::move(settings));
    const auto refreshed = co_await std::move(refreshing);
    if (!refreshed)
        co_return Unexpected(refreshed.error());
    auto resending = send(request(*refreshed), verb, json);
    co_return co_await std::move(resending);
}

QCoro::Task<Expected<HttpReply, GoogleCalendarServiceError>> GoogleCalendarService::send(
    QNetworkRequest request, QByteArray verb, QByteArray body)
{
    request.setTransferTimeout(int(m_configuration.requestIdleTimeout.count()));
    std::unique_ptr<QNetworkReply, DeleteLater> reply(
        verb == "GET" ? m_session.get(request) : m_session.sendCustomRequest(request, verb, body));

    QTimer timeLimit;
    timeLimit.setSingleShot(true);
    QObject::connect(&timeLimit, &QTimer::timeout, reply.get(), &QNetworkReply::abort);
    timeLimit.start(m_configuration.requestTimeLimit);
    if (!reply->isFinished()) {
        auto finishing = qCoro(reply.get(), &QNetworkReply::finished);
        co_await finishing;
    }
    timeLimit.stop();

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid())
        co_return HttpReply { status.toInt(), reply->readAll() };
    switch (reply->error()) {
    case QNetworkReply::OperationCanceledError: // the idle timeout or the time limit
    case QNetworkReply::TimeoutError:
        co_return Unexpected(systemError(Text::en("Google did not answer in time.")));
    case QNetworkReply::NoError:
        co_return Unexpected(GoogleCalendarServiceError { GoogleCalendarServiceError::Kind::invalidResponse, {} });
    default:
        co_return Unexpected(systemError(Text::en("Could not reach Google: %@"), { reply->errorString() }));
    }
}

} // namespace tivren
