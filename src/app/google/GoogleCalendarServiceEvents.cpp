// Writing one event per exported entry: create it, or replace the one written before.
#include "app/calendar/CalendarExportSupport.h"
#include "app/google/GoogleCalendarService.h"
#include "core/datafile/Uuid.h"

#include <QJsonDocument>
#include <QTimeZone>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

// An identifier as one path segment: "#", "?", "/" and the like are percent-encoded.
QString pathSegment(const QString& identifier)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(identifier, QByteArrayLiteral("!$&'()*+,;=:@")));
}

QString eventsPath(const QString& calendarID)
{
    return u"/calendar/v3/calendars/"_s + pathSegment(calendarID) + u"/events"_s;
}

QString linkKey(const QUuid& entryID, const QString& calendarID)
{
    return UuidText::upper(entryID) + u'|' + calendarID;
}

QJsonObject eventDateTime(Instant instant)
{
    return { { u"dateTime"_s, Iso8601::format(instant) },
        { u"timeZone"_s, QString::fromUtf8(QTimeZone::systemTimeZoneId()) } };
}

Expected<QString, GoogleCalendarServiceError> eventID(const QByteArray& body)
{
    QJsonParseError error;
    const QJsonValue id = QJsonDocument::fromJson(body, &error).object().value("id"_L1);
    if (error.error != QJsonParseError::NoError || !id.isString())
        return Unexpected(GoogleCalendarServiceError { GoogleCalendarServiceError::Kind::invalidResponse, {} });
    return id.toString();
}

} // namespace

QJsonObject GoogleCalendarService::eventPayload(const TimeEntry& entry, const std::optional<Project>& project)
{
    return { { u"summary"_s, CalendarExportSupport::eventTitle(project) },
        { u"description"_s, CalendarExportSupport::eventNotes(entry, project) },
        { u"start"_s, eventDateTime(entry.startDate) },
        { u"end"_s, eventDateTime(entry.endDate) },
        { u"extendedProperties"_s,
            QJsonObject { { u"private"_s,
                QJsonObject { { u"clockEntryID"_s, UuidText::upper(entry.id) },
                    { u"clockProjectID"_s, UuidText::upper(entry.projectID) } } } } } };
}

QCoro::Task<GoogleCalendarExportResult> GoogleCalendarService::exportEntries(QList<TimeEntry> entries,
    QList<Project> projects,
    GoogleCalendarSettings settings,
    QHash<QUuid, QString> calendarAssignments,
    QList<GoogleCalendarEventLink> existingLinks)
{
    auto entering = m_queue.enter();
    const SerialQueue::Turn turn = co_await entering;
    QHash<QUuid, Project> projectsByID;
    for (const Project& project : projects)
        projectsByID.insert(project.id, project);
    QHash<QString, GoogleCalendarEventLink> linksByKey;
    for (const GoogleCalendarEventLink& link : existingLinks)
        linksByKey.insert(linkKey(link.entryID, link.calendarID), link);

    GoogleCalendarExportResult result;
    for (const TimeEntry& entry : entries) {
        const QString calendarID = calendarAssignments.value(entry.projectID);
        if (calendarID.isEmpty())
            continue;
        const auto found = projectsByID.constFind(entry.projectID);
        const std::optional<Project> project =
            found != projectsByID.cend() ? std::optional<Project>(*found) : std::nullopt;
        const QString key = linkKey(entry.id, calendarID);
        const auto existing = linksByKey.constFind(key);
        const bool linked = existing != linksByKey.cend();
        auto writing = upsertEvent(QJsonDocument(eventPayload(entry, project)).toJson(QJsonDocument::Compact),
            calendarID,
            linked ? std::optional<QString>(existing->eventID) : std::nullopt,
            settings);
        const auto written = co_await std::move(writing);
        if (!written) {
            // The events written so far stay in the calendar; their links are returned with the
            // error so the next export updates them instead of writing them again.
            result.error = written.error();
            co_return result;
        }
        const GoogleCalendarEventLink link {
            linked ? existing->id : QUuid::createUuid(), entry.id, calendarID, *written, m_clock.now()
        };
        linksByKey.insert(key, link);
        result.links.append(link);
    }
    co_return result;
}

QCoro::Task<Expected<QString, GoogleCalendarServiceError>> GoogleCalendarService::upsertEvent(
    QByteArray payload, QString calendarID, std::optional<QString> existingEventID, GoogleCalendarSettings settings)
{
    if (existingEventID.value_or(QString()).isEmpty()) {
        auto creating = createEvent(std::move(payload), std::move(calendarID), std::move(settings));
        co_return co_await std::move(creating);
    }
    auto authorizing = validAccessToken(settings);
    const auto token = co_await std::move(authorizing);
    if (!token)
        co_return Unexpected(token.error());
    QNetworkRequest request = apiRequest(eventsPath(calendarID) + u'/' + pathSegment(*existingEventID), *token);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    auto sending = send(request, "PUT", payload);
    const auto reply = co_await std::move(sending);
    if (!reply)
        co_return Unexpected(reply.error());
    if (reply->status == 404) {
        // The event was deleted at Google: write it anew.
        auto creating = createEvent(std::move(payload), std::move(calendarID), std::move(settings));
        co_return co_await std::move(creating);
    }
    if (const auto valid = validate(*reply); !valid)
        co_return Unexpected(valid.error());
    co_return eventID(reply->body);
}

QCoro::Task<Expected<QString, GoogleCalendarServiceError>> GoogleCalendarService::createEvent(
    QByteArray payload, QString calendarID, GoogleCalendarSettings settings)
{
    auto authorizing = validAccessToken(std::move(settings));
    const auto token = co_await std::move(authorizing);
    if (!token)
        co_return Unexpected(token.error());
    QNetworkRequest request = apiRequest(eventsPath(calendarID), *token);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    auto sending = send(request, "POST", payload);
    const auto reply = co_await std::move(sending);
    if (!reply)
        co_return Unexpected(reply.error());
    if (const auto valid = validate(*reply); !valid)
        co_return Unexpected(valid.error());
    co_return eventID(reply->body);
}

} // namespace tivren
