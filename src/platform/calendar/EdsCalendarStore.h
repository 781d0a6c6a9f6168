// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/calendar/CalendarStore.h"
#include "platform/calendar/SerialWorker.h"

#include <QString>

#include <chrono>
#include <memory>

namespace tivren {

// The desktop's calendar store on Linux: Evolution Data Server, which holds the local calendars
// and those of the user's online accounts (the store behind GNOME Calendar and Evolution).
//
// Access: full access while the store's source registry runs on the session bus; "not determined"
// while it is installed but not running, and requesting access starts it through D-Bus activation
// (only ever on the user's request, never by asking the status). Not installed at all: every
// operation reports `unavailable` with what to install.
//
// Calendars the store makes from other data (birthdays from the address book, the weather) hold
// no events and are not listed.
//
// Every call into the store runs on one worker thread of its own, one at a time, each within a
// time limit; the caller's thread never blocks.
class EdsCalendarStore final : public CalendarStore
{
public:
    static constexpr auto defaultRegistryService = "org.gnome.evolution.dataserver.Sources";

    struct Limits
    {
        std::chrono::milliseconds status { 5000 };
        std::chrono::milliseconds start { 30000 }; // starting the store can take a while on first use
        std::chrono::milliseconds read { 30000 }; // may open several calendars, some of them remote
        std::chrono::milliseconds write { 30000 };
    };

    EdsCalendarStore();
    // registryService: the bus name (or a prefix of it) of the store's source registry.
    EdsCalendarStore(QString registryService, Limits limits);
    ~EdsCalendarStore() override;

    QCoro::Task<Expected<CalendarAuthorizationStatus, CalendarStoreError>> authorizationStatus() override;
    QCoro::Task<Expected<bool, CalendarStoreError>> requestFullAccess() override;
    QCoro::Task<Expected<QList<CalendarStoreCalendar>, CalendarStoreError>> eventCalendars() override;
    QCoro::Task<Expected<std::optional<CalendarStoreEvent>, CalendarStoreError>> event(
        QString identifier, QString likelyCalendarID) override;
    QCoro::Task<Expected<QString, CalendarStoreError>> save(CalendarStoreEvent event) override;

private:
    class Backend; // the store's objects; used on the worker thread only

    std::shared_ptr<Backend> m_backend;
    Limits m_limits;
    SerialWorker m_worker; // destroyed first: its final job releases the backend's objects
};

} // namespace tivren
