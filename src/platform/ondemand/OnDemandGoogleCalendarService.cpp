// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ondemand/OnDemandGoogleCalendarService.h"

#include "app/google/GoogleOAuthTokenStore.h"
#include "platform/ondemand/ForwardWhenLoaded.h"
#include "platform/ondemand/StartupProbes.h"

namespace tivren {

OnDemandGoogleCalendarService::OnDemandGoogleCalendarService(
    ServicesModuleLoader& loader, Browser& browser, const Clock& clock)
    : m_loader(loader)
    , m_browser(browser)
    , m_clock(clock)
{
}

OnDemandGoogleCalendarService::~OnDemandGoogleCalendarService() = default;

QCoro::Task<Expected<GoogleCalendarServicing*, GoogleCalendarServiceError>> OnDemandGoogleCalendarService::service()
{
    if (!m_service) {
        auto loading = m_loader.module();
        const auto loaded = co_await std::move(loading);
        if (!loaded) {
            co_return Unexpected(
                GoogleCalendarServiceError { GoogleCalendarServiceError::Kind::systemError, loaded.error().message });
        }
        if (!m_service) // another first call may have made it meanwhile
            m_service = (*loaded)->makeGoogleCalendarService(m_browser, m_clock);
    }
    co_return m_service.get();
}

QCoro::Task<Expected<Done, GoogleCalendarServiceError>> OnDemandGoogleCalendarService::authorize(
    GoogleCalendarSettings settings)
{
    return forwardWhenLoaded(service(), &GoogleCalendarServicing::authorize, std::move(settings));
}

QCoro::Task<Expected<QList<GoogleCalendarListItem>, GoogleCalendarServiceError>>
OnDemandGoogleCalendarService::fetchCalendars(GoogleCalendarSettings settings)
{
    return forwardWhenLoaded(service(), &GoogleCalendarServicing::fetchCalendars, std::move(settings));
}

QCoro::Task<bool> OnDemandGoogleCalendarService::hasStoredToken()
{
    if (!m_service) {
        auto probing = StartupProbes::mayHoldSecret(
            GoogleOAuthTokenStore::serviceName.toString(), GoogleOAuthTokenStore::accountName.toString());
        if (!co_await std::move(probing))
            co_return false;
    }
    auto loading = service();
    const auto loaded = co_await std::move(loading);
    if (!loaded)
        co_return false; // as a keyring that fails: no token
    auto checking = (*loaded)->hasStoredToken();
    co_return co_await std::move(checking);
}

QCoro::Task<Expected<Done, GoogleCalendarServiceError>> OnDemandGoogleCalendarService::deleteStoredToken()
{
    return forwardWhenLoaded(service(), &GoogleCalendarServicing::deleteStoredToken);
}

QCoro::Task<GoogleCalendarExportResult> OnDemandGoogleCalendarService::exportEntries(QList<TimeEntry> entries,
    QList<Project> projects,
    GoogleCalendarSettings settings,
    QHash<QUuid, QString> calendarAssignments,
    QList<GoogleCalendarEventLink> existingLinks)
{
    auto loading = service();
    const auto loaded = co_await std::move(loading);
    if (!loaded)
        co_return GoogleCalendarExportResult { {}, loaded.error() };
    auto exporting = (*loaded)->exportEntries(std::move(entries),
        std::move(projects),
        std::move(settings),
        std::move(calendarAssignments),
        std::move(existingLinks));
    co_return co_await std::move(exporting);
}

} // namespace tivren
