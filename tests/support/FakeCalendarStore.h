#pragma once

// The calendar store the Apple Calendar service writes to, in memory: events by identifier, each
// in one calendar; it records every call, and may take a few milliseconds for each, as a real one does.
#include "app/calendar/CalendarStore.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <qcoro/qcorotask.h>
#include <qcoro/qcorotimer.h>

#include <chrono>

namespace tivren::testing {

class FakeCalendarStore final : public CalendarStore
{
public:
    CalendarAuthorizationStatus status = CalendarAuthorizationStatus::fullAccess;
    std::optional<CalendarStoreError> statusError;
    bool grants = true;
    QList<CalendarStoreCalendar> calendars { { QStringLiteral("home"), QStringLiteral("Home"), {} },
        { QStringLiteral("work"), QStringLiteral("Work"), {} } };
    QHash<QString, CalendarStoreEvent> events;
    QString refusingCalendar; // saving into it fails
    bool slow = false; // every call takes a few milliseconds, as a real store does
    QStringList calls;
    int requests = 0;

    QCoro::Task<Expected<CalendarAuthorizationStatus, CalendarStoreError>> authorizationStatus() override
    {
        auto pause = enter(QStringLiteral("status"));
        co_await std::move(pause);
        if (statusError)
            co_return Unexpected(*statusError);
        co_return status;
    }

    QCoro::Task<Expected<bool, CalendarStoreError>> requestFullAccess() override
    {
        ++requests;
        if (grants)
            status = CalendarAuthorizationStatus::fullAccess;
        co_return grants;
    }

    QCoro::Task<Expected<QList<CalendarStoreCalendar>, CalendarStoreError>> eventCalendars() override
    {
        auto pause = enter(QStringLiteral("calendars"));
        co_await std::move(pause);
        co_return QList<CalendarStoreCalendar>(calendars); // a copy: QCoro moves from a returned lvalue
    }

    QCoro::Task<Expected<std::optional<CalendarStoreEvent>, CalendarStoreError>> event(
        QString identifier, QString likelyCalendarID) override
    {
        auto pause = enter(QStringLiteral("event %1 in %2").arg(identifier, likelyCalendarID));
        co_await std::move(pause);
        if (!events.contains(identifier))
            co_return std::optional<CalendarStoreEvent>();
        CalendarStoreEvent found = events.value(identifier);
        found.storedCalendarID = found.calendarID;
        co_return std::optional<CalendarStoreEvent>(found);
    }
    QCoro::Task<Expected<QString, CalendarStoreError>> save(CalendarStoreEvent event) override
    {
        auto pause = enter(QStringLiteral("save"));
        co_await std::move(pause);
        if (event.calendarID == refusingCalendar)
            co_return Unexpected(CalendarStoreError { CalendarStoreError::Kind::failed, QStringLiteral("read-only") });
        if (event.identifier.isEmpty())
            event.identifier = QStringLiteral("event-%1").arg(++m_created);
        event.storedCalendarID = event.calendarID;
        events.insert(event.identifier, event);
        co_return event.identifier;
    }

private:
    QCoro::Task<> enter(const QString& call)
    {
        calls.append(call);
        if (slow)
            co_await QCoro::sleepFor(std::chrono::milliseconds(5));
    }

    int m_created = 0;
};

} // namespace tivren::testing
