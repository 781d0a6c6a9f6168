// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/calendar/AppleCalendarService.h"

#include "app/calendar/CalendarExportSupport.h"
#include "core/datafile/Uuid.h"

#include <QCollator>
#include <QCoroFuture>
#include <QLocale>
#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

using Kind = AppleCalendarServiceError::Kind;

AppleCalendarServiceError serviceError(const CalendarStoreError& error, Kind whenFailed = Kind::storeUnavailable)
{
    if (error.kind == CalendarStoreError::Kind::unavailable)
        return { Kind::storeUnavailable, error.message };
    return { whenFailed, whenFailed == Kind::storeUnavailable ? error.message : QString() };
}

QString linkKey(const QUuid& entryID, const QString& calendarID)
{
    return UuidText::upper(entryID) + u'|' + calendarID;
}

} // namespace

AppleCalendarService::AppleCalendarService(std::unique_ptr<CalendarStore> store, const Clock& clock)
    : m_store(std::move(store))
    , m_clock(clock)
{
}

AppleCalendarService::~AppleCalendarService() = default;

QCoro::Task<Expected<Done, AppleCalendarServiceError>> AppleCalendarService::authorize()
{
    auto entering = m_queue.enter();
    const SerialQueue::Turn turn = co_await entering;

    auto reading = m_store->authorizationStatus();
    const auto status = co_await std::move(reading);
    if (!status)
        co_return Unexpected(serviceError(status.error()));
    switch (*status) {
    case CalendarAuthorizationStatus::notDetermined: {
        auto requesting = requestEventAccess();
        const auto granted = co_await std::move(requesting);
        if (!granted)
            co_return Unexpected(granted.error());
        if (!*granted)
            co_return Unexpected(AppleCalendarServiceError { Kind::accessDenied, {} });
        co_return Done {};
    }
    case CalendarAuthorizationStatus::fullAccess:
        co_return Done {};
    case CalendarAuthorizationStatus::writeOnly:
        co_return Unexpected(AppleCalendarServiceError { Kind::fullAccessRequired, {} });
    case CalendarAuthorizationStatus::restricted:
    case CalendarAuthorizationStatus::denied:
        break;
    }
    co_return Unexpected(AppleCalendarServiceError { Kind::accessDenied, {} });
}

QCoro::Task<bool> AppleCalendarService::hasFullAccess()
{
    auto entering = m_queue.enter();
    const SerialQueue::Turn turn = co_await entering;

    auto reading = m_store->authorizationStatus();
    const auto status = co_await std::move(reading);
    co_return status&&* status == CalendarAuthorizationStatus::fullAccess;
}

QCoro::Task<Expected<Done, AppleCalendarServiceError>> AppleCalendarService::ensureFullAccess()
{
    auto reading = m_store->authorizationStatus();
    const auto status = co_await std::move(reading);
    if (!status)
        co_return Unexpected(serviceError(status.error()));
    if (*status == CalendarAuthorizationStatus::fullAccess)
        co_return Done {};
    if (*status == CalendarAuthorizationStatus::writeOnly)
        co_return Unexpected(AppleCalendarServiceError { Kind::fullAccessRequired, {} });
    co_return Unexpected(AppleCalendarServiceError { Kind::accessDenied, {} });
}

QCoro::Task<Expected<bool, AppleCalendarServiceError>> AppleCalendarService::requestEventAccess()
{
    auto requesting = m_store->requestFullAccess();
    const auto granted = co_await std::move(requesting);
    if (!granted)
        co_return Unexpected(serviceError(granted.error()));
    co_return *granted;
}

QCoro::Task<Expected<QList<AppleCalendarListItem>, AppleCalendarServiceError>> AppleCalendarService::fetchCalendars()
{
    auto entering = m_queue.enter();
    const SerialQueue::Turn turn = co_await entering;

    auto checking = ensureFullAccess();
    const auto access = co_await std::move(checking);
    if (!access)
        co_return Unexpected(access.error());
    auto reading = m_store->eventCalendars();
    const auto calendars = co_await std::move(reading);
    if (!calendars)
        co_return Unexpected(serviceError(calendars.error()));

    QList<AppleCalendarListItem> items;
    items.reserve(calendars->size());
    for (const CalendarStoreCalendar& calendar : *calendars)
        items.append({ calendar.identifier, calendar.title, calendar.sourceTitle });
    QCollator collator(QLocale::system());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(items.begin(), items.end(), [&collator](const auto& a, const auto& b) {
        return collator.compare(a.displayName(), b.displayName()) < 0;
    });
    co_return items;
}

QCoro::Task<Expected<std::optional<CalendarStoreEvent>, AppleCalendarServiceError>> AppleCalendarService::existingEvent(
    QString eventID, QString fallbackCalendarID)
{
    if (eventID.isEmpty())
        co_return std::optional<CalendarStoreEvent> {};
    auto finding = m_store->event(eventID, fallbackCalendarID);
    const auto found = co_await std::move(finding);
    if (!found)
        co_return Unexpected(serviceError(found.error()));
    if (*found)
        co_return *found;
    CalendarStoreEvent fresh;
    fresh.calendarID = fallbackCalendarID;
    co_return std::optional<CalendarStoreEvent>(fresh);
}

QCoro::Task<AppleCalendarExportResult> AppleCalendarService::exportEntries(QList<TimeEntry> entries,
    QList<Project> projects,
    QHash<QUuid, QString> calendarAssignments,
    QList<AppleCalendarEventLink> existingLinks)
{
    auto entering = m_queue.enter();
    const SerialQueue::Turn turn = co_await entering;

    AppleCalendarExportResult result;
    auto checking = ensureFullAccess();
    const auto access = co_await std::move(checking);
    if (!access) {
        result.error = access.error();
        co_return result;
    }
    auto reading = m_store->eventCalendars();
    const auto calendars = co_await std::move(reading);
    if (!calendars) {
        result.error = serviceError(calendars.error());
        co_return result;
    }
    QSet<QString> calendarIDs;
    for (const CalendarStoreCalendar& calendar : *calendars)
        calendarIDs.insert(calendar.identifier);
    QHash<QUuid, Project> projectsByID;
    for (const Project& project : std::as_const(projects))
        projectsByID.insert(project.id, project);
    QHash<QString, AppleCalendarEventLink> linksByKey;
    for (const AppleCalendarEventLink& link : std::as_const(existingLinks))
        linksByKey.insert(linkKey(link.entryID, link.calendarID), link);

    for (const TimeEntry& entry : std::as_const(entries)) {
        const QString calendarID = calendarAssignments.value(entry.projectID);
        if (calendarID.isEmpty())
            continue;
        if (!calendarIDs.contains(calendarID)) {
            result.error = AppleCalendarServiceError { Kind::missingCalendar, calendarID };
            co_return result;
        }
        const auto projectFound = projectsByID.constFind(entry.projectID);
        const std::optional<Project> project =
            projectFound != projectsByID.cend() ? std::optional<Project>(*projectFound) : std::nullopt;
        const QString key = linkKey(entry.id, calendarID);
        const auto linkFound = linksByKey.constFind(key);
        const std::optional<AppleCalendarEventLink> existing =
            linkFound != linksByKey.cend() ? std::optional<AppleCalendarEventLink>(*linkFound) : std::nullopt;

        auto finding = existingEvent(existing ? existing->eventID : QString(), calendarID);
        const auto found = co_await std::move(finding);
        if (!found) {
            result.error = found.error();
            co_return result;
        }
        CalendarStoreEvent event = found->value_or(CalendarStoreEvent {});
        // An event found in another calendar moves back to the chosen one.
        event.calendarID = calendarID;
        event.title = CalendarExportSupport::eventTitle(project);
        event.notes = CalendarExportSupport::eventNotes(entry, project);
        event.start = entry.startDate;
        event.end = entry.endDate;
        auto saving = m_store->save(event);
        const auto saved = co_await std::move(saving);
        if (!saved) {
            result.error = serviceError(saved.error(), Kind::eventSaveFailed);
            co_return result;
        }

        const AppleCalendarEventLink link {
            existing ? existing->id : QUuid::createUuid(), entry.id, calendarID, *saved, m_clock.now()
        };
        linksByKey.insert(key, link);
        result.links.append(link);
    }
    co_return result;
}

} // namespace tivren
