// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/CalendarSettings.h"
#include "core/time/Instant.h"

#include <QHashFunctions>
#include <QString>
#include <QUuid>

namespace tivren {

// Remembers that a time entry was exported as an event into a calendar, so the next export
// updates that event instead of creating a duplicate. One distinct type per calendar service.
template <typename Service> struct CalendarEventLink
{
    QUuid id;
    QUuid entryID;
    QString calendarID;
    QString eventID;
    Instant lastSyncedAt = 0;
    JsonExtras extras {}; // keys a newer Tivren wrote, kept as they came

    bool operator==(const CalendarEventLink&) const = default;
};

using GoogleCalendarEventLink = CalendarEventLink<GoogleCalendarService_Tag>;
using AppleCalendarEventLink = CalendarEventLink<AppleCalendarService_Tag>;

template <typename Service> size_t qHash(const CalendarEventLink<Service>& link, size_t seed = 0) noexcept
{
    return qHashMulti(seed, link.id, link.entryID, link.calendarID, link.eventID, link.lastSyncedAt, link.extras);
}

} // namespace tivren
