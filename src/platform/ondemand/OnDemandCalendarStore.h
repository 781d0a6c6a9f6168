// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/calendar/CalendarStore.h"
#include "platform/ondemand/ServicesModuleLoader.h"

#include <memory>

namespace tivren {

// The desktop calendar store of the services module, loaded on first use. The status asked at
// every start is answered from the session bus while the store is not needed yet; a module that
// cannot be loaded makes every call `unavailable`, with why.
class OnDemandCalendarStore final : public CalendarStore
{
public:
    explicit OnDemandCalendarStore(ServicesModuleLoader& loader);
    ~OnDemandCalendarStore() override;

    QCoro::Task<Expected<CalendarAuthorizationStatus, CalendarStoreError>> authorizationStatus() override;
    QCoro::Task<Expected<bool, CalendarStoreError>> requestFullAccess() override;
    QCoro::Task<Expected<QList<CalendarStoreCalendar>, CalendarStoreError>> eventCalendars() override;
    QCoro::Task<Expected<std::optional<CalendarStoreEvent>, CalendarStoreError>> event(
        QString identifier, QString likelyCalendarID) override;
    QCoro::Task<Expected<QString, CalendarStoreError>> save(CalendarStoreEvent event) override;

private:
    QCoro::Task<Expected<CalendarStore*, CalendarStoreError>> store();

    ServicesModuleLoader& m_loader;
    std::unique_ptr<CalendarStore> m_store;
};

} // namespace tivren
