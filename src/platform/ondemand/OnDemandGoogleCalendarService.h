// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/google/GoogleCalendarServicing.h"
#include "app/model/Clock.h"
#include "app/services/Browser.h"
#include "platform/ondemand/ServicesModuleLoader.h"

#include <memory>

namespace tivren {

// Google Calendar from the services module, loaded on first use: with it come the network stack
// and the keyring. Whether a token is stored, asked at every start, is answered from the session
// bus when the keyring surely holds none; a module that cannot be loaded is a systemError.
class OnDemandGoogleCalendarService final : public GoogleCalendarServicing
{
public:
    OnDemandGoogleCalendarService(ServicesModuleLoader& loader, Browser& browser, const Clock& clock);
    ~OnDemandGoogleCalendarService() override;

    QCoro::Task<Expected<Done, GoogleCalendarServiceError>> authorize(GoogleCalendarSettings settings) override;
    QCoro::Task<Expected<QList<GoogleCalendarListItem>, GoogleCalendarServiceError>> fetchCalendars(
        GoogleCalendarSettings settings) override;
    QCoro::Task<bool> hasStoredToken() override;
    QCoro::Task<Expected<Done, GoogleCalendarServiceError>> deleteStoredToken() override;
    QCoro::Task<GoogleCalendarExportResult> exportEntries(QList<TimeEntry> entries,
        QList<Project> projects,
        GoogleCalendarSettings settings,
        QHash<QUuid, QString> calendarAssignments,
        QList<GoogleCalendarEventLink> existingLinks) override;

private:
    QCoro::Task<Expected<GoogleCalendarServicing*, GoogleCalendarServiceError>> service();

    ServicesModuleLoader& m_loader;
    Browser& m_browser;
    const Clock& m_clock;
    std::shared_ptr<GoogleCalendarServicing> m_service;
};

} // namespace tivren
