#pragma once

#include "app/AppleCalendarServicing.h"
#include "app/GoogleCalendarServicing.h"

namespace tivren {

// Stand-ins while a calendar service is not part of this build: Connect and Export explain that
// it is not available; nothing is ever connected.
class UnavailableGoogleCalendarService final : public GoogleCalendarServicing
{
public:
    QCoro::Task<Expected<Done, GoogleCalendarServiceError>> authorize(GoogleCalendarSettings) override;
    QCoro::Task<Expected<QList<GoogleCalendarListItem>, GoogleCalendarServiceError>> fetchCalendars(
        GoogleCalendarSettings) override;
    QCoro::Task<bool> hasStoredToken() override;
    QCoro::Task<Expected<Done, GoogleCalendarServiceError>> deleteStoredToken() override;
    QCoro::Task<GoogleCalendarExportResult> exportEntries(QList<TimeEntry>,
        QList<Project>,
        GoogleCalendarSettings,
        QHash<QUuid, QString>,
        QList<GoogleCalendarEventLink>) override;
};

class UnavailableAppleCalendarService final : public AppleCalendarServicing
{
public:
    QCoro::Task<Expected<Done, AppleCalendarServiceError>> authorize() override;
    QCoro::Task<bool> hasFullAccess() override;
    QCoro::Task<Expected<QList<AppleCalendarListItem>, AppleCalendarServiceError>> fetchCalendars() override;
    QCoro::Task<AppleCalendarExportResult> exportEntries(
        QList<TimeEntry>, QList<Project>, QHash<QUuid, QString>, QList<AppleCalendarEventLink>) override;
};

} // namespace tivren
