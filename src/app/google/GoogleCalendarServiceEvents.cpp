// SPDX-License-Identifier: GPL-3.0-or-later
// Writing one event per exported entry: create it, or replace the one written before.
#include "app/calendar/CalendarExportSupport.h"
#include "app/google/GoogleCalendarService.h"
#include "app/google/GoogleEventId.h"
#include "app/google/SystemTimeZone.h"
#include "app/services/BackgroundTask.h"
#include "core/datafile/Uuid.h"

#include <QCoroFuture>
#include <QJsonDocument>
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

QJsonObject eventDateTime(Instant instant, const std::optional<QString>& timeZone)
{
    QJsonObject dateTime { { u"dateTime"_s, Iso8601::format(instant) } };
    if (timeZone)
        dateTime.insert(u"timeZone"_s, *timeZone);
    return dateTime;
}

QByteArray compact(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

// The id of the event a 2xx reply carries, or the error of any other.
Expected<QString, GoogleCalendarServiceError> writtenEventID(const HttpReply& reply)
{
    if (const auto valid = GoogleCalendarService::validate(reply); !valid)
        return Unexpected(valid.error());
    QJsonParseError error;
    const QJsonValue id = QJsonDocument::fromJson(reply.body, &error).object().value("id"_L1);
    if (error.error != QJsonParseError::NoError || !id.isString())
        return Unexpected(GoogleCalendarServiceError { GoogleCalendarServiceError::Kind::invalidResponse, {} });
    return id.toString();
}

} // namespace

QJsonObject GoogleCalendarService::eventPayload(
    const TimeEntry& entry, const std::optional<Project>& project, const std::optional<QString>& timeZone)
{
    return { { u"summary"_s, CalendarExportSupport::eventTitle(project) },
        { u"description"_s, CalendarExportSupport::eventNotes(entry, project) },
        { u"start"_s, eventDateTime(entry.startDate, timeZone) },
        { u"end"_s, eventDateTime(entry.endDate, timeZone) },
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
    QFuture<std::optional<QString>> naming = runInBackground([] {
        return SystemTimeZone::ianaName();
    });
    const std::optional<QString> timeZone = co_await naming;
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
        auto writing = upsertEvent(eventPayload(entry, project, timeZone),
            calendarID,
            GoogleEventId::derive(entry.id, calendarID),
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

QCoro::Task<Expected<QString, GoogleCalendarServiceError>> GoogleCalendarService::upsertEvent(QJsonObject event,
    QString calendarID,
    QString ownEventID,
    std::optional<QString> linkedEventID,
    GoogleCalendarSettings settings)
{
    if (!linkedEventID.value_or(QString()).isEmpty()) {
        auto replacing = replaceEvent(event, calendarID, *linkedEventID, settings);
        const auto replaced = co_await std::move(replacing);
        if (!replaced)
            co_return Unexpected(replaced.error());
        // 404: removed from the calendar; 410: in Google's bin. Either way it is written anew.
        if (replaced->status != 404 && replaced->status != 410)
            co_return writtenEventID(*replaced);
    }
    QJsonObject inserted = event;
    inserted.insert(u"id"_s, ownEventID);
    auto inserting = authorizedSend(eventsPath(calendarID), "POST", compact(inserted), settings);
    const auto reply = co_await std::move(inserting);
    if (!reply)
        co_return Unexpected(reply.error());
    if (reply->status != 409)
        co_return writtenEventID(*reply);
    // Google has an event under this id: written before (its answer lost), or deleted since.
    auto replacing = replaceEvent(std::move(event), std::move(calendarID), std::move(ownEventID), std::move(settings));
    const auto replaced = co_await std::move(replacing);
    if (!replaced)
        co_return Unexpected(replaced.error());
    co_return writtenEventID(*replaced);
}

QCoro::Task<Expected<HttpReply, GoogleCalendarServiceError>> GoogleCalendarService::replaceEvent(
    QJsonObject event, QString calendarID, QString eventID, GoogleCalendarSettings settings)
{
    // A cancelled event stays cancelled through a replacement that does not say otherwise.
    event.insert(u"status"_s, u"confirmed"_s);
    auto sending = authorizedSend(
        eventsPath(calendarID) + u'/' + pathSegment(eventID), "PUT", compact(event), std::move(settings));
    co_return co_await std::move(sending);
}

} // namespace tivren
