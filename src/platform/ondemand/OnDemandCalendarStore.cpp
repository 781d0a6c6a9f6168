// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ondemand/OnDemandCalendarStore.h"

#include "platform/ondemand/ForwardWhenLoaded.h"
#include "platform/ondemand/StartupProbes.h"

namespace tivren {

OnDemandCalendarStore::OnDemandCalendarStore(ServicesModuleLoader& loader)
    : m_loader(loader)
{
}

OnDemandCalendarStore::~OnDemandCalendarStore() = default;

QCoro::Task<Expected<CalendarStore*, CalendarStoreError>> OnDemandCalendarStore::store()
{
    if (!m_store) {
        auto loading = m_loader.module();
        const auto loaded = co_await std::move(loading);
        if (!loaded)
            co_return Unexpected(CalendarStoreError { CalendarStoreError::Kind::unavailable, loaded.error().message });
        if (!m_store) // another first call may have made it meanwhile
            m_store = (*loaded)->makeCalendarStore();
    }
    co_return m_store.get();
}

QCoro::Task<Expected<CalendarAuthorizationStatus, CalendarStoreError>> OnDemandCalendarStore::authorizationStatus()
{
    if (!m_store) {
        auto probing = StartupProbes::desktopCalendarStatus();
        if (const auto status = co_await std::move(probing))
            co_return *status;
    }
    auto forwarding = forwardWhenLoaded(store(), &CalendarStore::authorizationStatus);
    co_return co_await std::move(forwarding);
}

QCoro::Task<Expected<bool, CalendarStoreError>> OnDemandCalendarStore::requestFullAccess()
{
    return forwardWhenLoaded(store(), &CalendarStore::requestFullAccess);
}

QCoro::Task<Expected<QList<CalendarStoreCalendar>, CalendarStoreError>> OnDemandCalendarStore::eventCalendars()
{
    return forwardWhenLoaded(store(), &CalendarStore::eventCalendars);
}

QCoro::Task<Expected<std::optional<CalendarStoreEvent>, CalendarStoreError>> OnDemandCalendarStore::event(
    QString identifier, QString likelyCalendarID)
{
    return forwardWhenLoaded(store(), &CalendarStore::event, std::move(identifier), std::move(likelyCalendarID));
}

QCoro::Task<Expected<QString, CalendarStoreError>> OnDemandCalendarStore::save(CalendarStoreEvent event)
{
    return forwardWhenLoaded(store(), &CalendarStore::save, std::move(event));
}

} // namespace tivren
