// The user-facing texts of the calendar services' errors, in the system language.
#include "app/calendar/AppleCalendarServicing.h"
#include "app/google/GoogleCalendarServicing.h"
#include "app/text/AppStrings.h"

using namespace Qt::StringLiterals;

namespace tivren {

QString GoogleCalendarServiceError::description() const
{
    const QLocale locale = QLocale::system();
    switch (kind) {
    case Kind::oauthCallbackFailed:
    case Kind::googleAPIError:
    case Kind::systemError:
        return message;
    case Kind::missingRefreshToken:
        return AppStrings::text(locale, u"Google did not return a refresh token. Disconnect and connect again."_tr);
    case Kind::missingAuthorizationCode:
        return AppStrings::text(locale, u"Google did not return an authorization code."_tr);
    case Kind::missingSelectedCalendar:
        return AppStrings::text(locale, u"Select a Google Calendar before exporting."_tr);
    case Kind::authorizationCancelled:
        return AppStrings::text(locale, u"Google Calendar authorization was cancelled."_tr);
    case Kind::authorizationExpired:
        return AppStrings::text(locale, u"Your Google sign-in expired. Please reconnect."_tr);
    case Kind::invalidResponse:
        return AppStrings::text(locale, u"Google Calendar returned an unexpected response."_tr);
    }
    return message;
}

QString AppleCalendarServiceError::description() const
{
    const QLocale locale = QLocale::system();
    switch (kind) {
    case Kind::missingCalendar:
        return AppStrings::text(locale, u"The Apple Calendar “%@” is no longer available."_tr, { message });
    case Kind::accessDenied:
        return AppStrings::text(
            locale, u"Allow Calendar access in System Settings before exporting to Apple Calendar."_tr);
    case Kind::fullAccessRequired:
        return AppStrings::text(
            locale, u"Tivren needs full Calendar access to load your calendars before exporting to Apple Calendar."_tr);
    case Kind::missingSelectedCalendar:
        return AppStrings::text(locale, u"Select an Apple Calendar before exporting."_tr);
    case Kind::eventSaveFailed:
        return AppStrings::text(locale, u"Apple Calendar could not save the event."_tr);
    case Kind::storeUnavailable:
        return message;
    }
    return message;
}

QString AppleCalendarListItem::displayName() const
{
    // Compared under canonical equivalence: "é" typed two ways is the same name.
    if (sourceName.isEmpty()
        || sourceName.normalized(QString::NormalizationForm_C) == name.normalized(QString::NormalizationForm_C))
        return name;
    return name + u" ("_s + sourceName + u')';
}

} // namespace tivren
