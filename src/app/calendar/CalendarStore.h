// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Expected.h"
#include "core/time/Instant.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <qcoro/qcorotask.h>

#include <optional>

namespace tivren {

// What the desktop's calendar store lets Tivren do with events, read without asking the user.
enum class CalendarAuthorizationStatus
{
    notDetermined,
    restricted,
    denied,
    fullAccess,
    writeOnly,
};

struct CalendarStoreError
{
    enum class Kind
    {
        unavailable, // message: for the user, what is missing or not answering
        failed, // message: the store's own words (a failed save is reported as such instead)
    };
    Kind kind;
    QString message;

    bool operator==(const CalendarStoreError&) const = default;
};

// One event calendar of any account in the store.
struct CalendarStoreCalendar
{
    QString identifier;
    QString title;
    QString sourceTitle; // the account's title; empty when the calendar has none

    bool operator==(const CalendarStoreCalendar&) const = default;
};

// An event as plain values: a default-constructed one is a new, unsaved event. Changing
// calendarID and saving moves the event.
struct CalendarStoreEvent
{
    QString identifier; // empty until saved
    QString calendarID; // the calendar to save it into
    QString title;
    QString notes;
    Instant start = 0;
    Instant end = 0;

    // Where the store holds the event now (empty for a new one) and the store's own form of it,
    // so saving keeps whatever else the user added to the event (alarms, a location...).
    QString storedCalendarID;
    QByteArray storeData;

    bool operator==(const CalendarStoreEvent&) const = default;
};

// The system calendar store, reduced to what the calendar export needs. Implementations do
// their work off the user-interface thread, one operation at a time, each within a time limit.
class CalendarStore
{
public:
    virtual ~CalendarStore() = default;

    [[nodiscard]] virtual QCoro::Task<Expected<CalendarAuthorizationStatus, CalendarStoreError>>
    authorizationStatus() = 0;
    // May involve the user or start the store; true when full access is granted now.
    [[nodiscard]] virtual QCoro::Task<Expected<bool, CalendarStoreError>> requestFullAccess() = 0;
    // Every event calendar of every account, read-only ones included.
    [[nodiscard]] virtual QCoro::Task<Expected<QList<CalendarStoreCalendar>, CalendarStoreError>> eventCalendars() = 0;
    // The event with that identifier in whichever calendar holds it now; likelyCalendarID is only
    // where to look first.
    [[nodiscard]] virtual QCoro::Task<Expected<std::optional<CalendarStoreEvent>, CalendarStoreError>> event(
        QString identifier, QString likelyCalendarID) = 0;
    // Saves this occurrence only and commits at once; the saved event's identifier.
    [[nodiscard]] virtual QCoro::Task<Expected<QString, CalendarStoreError>> save(CalendarStoreEvent event) = 0;
};

} // namespace tivren
