#include "platform/UnavailableCalendarServices.h"

#include "app/AppStrings.h"

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

QString notAvailable()
{
    return AppStrings::text(QLocale::system(), u"This calendar service is not available in this version of Tivren."_tr);
}

GoogleCalendarServiceError googleError()
{
    return { GoogleCalendarServiceError::Kind::googleAPIError, notAvailable() };
}

AppleCalendarServiceError appleError()
{
    return { AppleCalendarServiceError::Kind::storeUnavailable, notAvailable() };
}

} // namespace

QCoro::Task<Expected<Done, GoogleCalendarServiceError>> UnavailableGoogleCalendarService::authorize(
    GoogleCalendarSettings)
{
    co_return Unexpected(googleError());
}

QCoro::Task<Expected<QList<GoogleCalendarListItem>, GoogleCalendarServiceError>>
UnavailableGoogleCalendarService::fetchCalendars(GoogleCalendarSettings)
{
    co_return Unexpected(googleError());
}

QCoro::Task<bool> UnavailableGoogleCalendarService::hasStoredToken()
{
    co_return false;
}

QCoro::Task<Expected<Done, GoogleCalendarServiceError>> UnavailableGoogleCalendarService::deleteStoredToken()
{
    co_return Done {};
}

QCoro::Task<GoogleCalendarExportResult> UnavailableGoogleCalendarService::exportEntries(
    QList<TimeEntry>, QList<Project>, GoogleCalendarSettings, QHash<QUuid, QString>, QList<GoogleCalendarEventLink>)
{
    co_return GoogleCalendarExportResult { {}, googleError() };
}

QCoro::Task<Expected<Done, AppleCalendarServiceError>> UnavailableAppleCalendarService::authorize()
{
    co_return Unexpected(appleError());
}

QCoro::Task<bool> UnavailableAppleCalendarService::hasFullAccess()
{
    co_return false;
}

QCoro::Task<Expected<QList<AppleCalendarListItem>, AppleCalendarServiceError>>
UnavailableAppleCalendarService::fetchCalendars()
{
    co_return Unexpected(appleError());
}

QCoro::Task<AppleCalendarExportResult> UnavailableAppleCalendarService::exportEntries(
    QList<TimeEntry>, QList<Project>, QHash<QUuid, QString>, QList<AppleCalendarEventLink>)
{
    co_return AppleCalendarExportResult { {}, appleError() };
}

} // namespace tivren
