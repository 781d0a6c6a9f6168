// SPDX-License-Identifier: GPL-3.0-or-later
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
        return AppStrings::text(
            locale, Text::en("Google did not return a refresh token. Disconnect and connect again."));
    case Kind::missingAuthorizationCode:
        return AppStrings::text(locale, Text::en("Google did not return an authorization code."));
    case Kind::missingSelectedCalendar:
        return AppStrings::text(locale, Text::en("Select a Google Calendar before exporting."));
    case Kind::authorizationCancelled:
        return AppStrings::text(locale, Text::en("Google Calendar authorization was cancelled."));
    case Kind::authorizationExpired:
        return AppStrings::text(locale, Text::en("Your Google sign-in expired. Please reconnect."));
    case Kind::invalidResponse:
        return AppStrings::text(locale, Text::en("Google Calendar returned an unexpected response."));
    }
    return message;
}

QString AppleCalendarServiceError::description() const
{
    const QLocale locale = QLocale::system();
    switch (kind) {
    case Kind::missingCalendar:
        return AppStrings::text(locale, Text::en("The Apple Calendar “%@” is no longer available."), { message });
    case Kind::accessDenied:
        return AppStrings::text(
            locale, Text::en("Allow Calendar access in System Settings before exporting to Apple Calendar."));
    case Kind::fullAccessRequired:
        return AppStrings::text(locale,
            Text::en("Tivren needs full Calendar access to load your calendars before exporting to Apple Calendar."));
    case Kind::missingSelectedCalendar:
        return AppStrings::text(locale, Text::en("Select an Apple Calendar before exporting."));
    case Kind::eventSaveFailed:
        return AppStrings::text(locale, Text::en("Apple Calendar could not save the event."));
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
