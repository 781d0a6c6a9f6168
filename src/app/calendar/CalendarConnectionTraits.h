// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/calendar/AppleCalendarServicing.h"
#include "app/calendar/CalendarConnectionBase.h"
#include "app/google/GoogleCalendarServicing.h"
#include "app/text/AppStrings.h"
#include "core/records/AppSettings.h"

#include <algorithm>

namespace tivren {

// Where Google Calendar and the desktop calendar differ, for CalendarConnection.
template <typename Service> struct CalendarConnectionTraits;

// The user's primary calendar in a list of Google calendars, if it is there.
inline const GoogleCalendarListItem* primaryCalendar(const QList<GoogleCalendarListItem>& calendars)
{
    const auto primary = std::find_if(calendars.cbegin(), calendars.cend(), [](const auto& item) {
        return item.isPrimary;
    });
    return primary != calendars.cend() ? &*primary : nullptr;
}

template <> struct CalendarConnectionTraits<GoogleCalendarService_Tag>
{
    using Servicing = GoogleCalendarServicing;
    using Item = GoogleCalendarListItem;
    static constexpr auto settingsField = &AppSettings::googleCalendar;
    // Disconnecting deletes the token; the chosen calendar stays for the next sign-in.
    static constexpr bool forgetsSelection = false;

    static QString name(const Item& item) { return item.name; }
    static const Item& defaultCalendar(const QList<Item>& calendars)
    {
        const Item* primary = primaryCalendar(calendars);
        return primary ? *primary : calendars.first();
    }
    // The primary calendar's id is the address of the account signed in.
    static std::optional<QString> account(const QList<Item>& calendars)
    {
        const Item* primary = primaryCalendar(calendars);
        return primary ? std::optional(primary->id) : std::nullopt;
    }
    static bool hasExpired(const GoogleCalendarServiceError& error)
    {
        return error.kind == GoogleCalendarServiceError::Kind::authorizationExpired;
    }
    static QCoro::Task<bool> hasAccess(Servicing& service) { return service.hasStoredToken(); }
    static QCoro::Task<Expected<Done, GoogleCalendarServiceError>> authorize(
        Servicing& service, const GoogleCalendarSettings& settings)
    {
        return service.authorize(settings);
    }
    static QCoro::Task<Expected<QList<Item>, GoogleCalendarServiceError>> fetchCalendars(
        Servicing& service, const GoogleCalendarSettings& settings)
    {
        return service.fetchCalendars(settings);
    }
    static QCoro::Task<Expected<Done, GoogleCalendarServiceError>> forget(Servicing& service)
    {
        return service.deleteStoredToken();
    }
    static QCoro::Task<GoogleCalendarExportResult> exportEntries(Servicing& service,
        const QList<TimeEntry>& entries,
        const QList<Project>& projects,
        const GoogleCalendarSettings& settings,
        const QHash<QUuid, QString>& assignments,
        const QList<GoogleCalendarEventLink>& links)
    {
        return service.exportEntries(entries, projects, settings, assignments, links);
    }
    static CalendarTexts texts()
    {
        return { Text::en("Could not connect Google Calendar: %@"),
            Text::en("Could not disconnect Google Calendar: %@"),
            Text::en("Could not load Google calendars: %@"),
            Text::en("Your Google sign-in expired. Please reconnect."),
            Text::en("Connect Google Calendar and refresh calendars first."),
            Text::en("Could not export to Google Calendar: %@"),
            Text::en("Connected to Google Calendar."),
            Text::en("Exported %@ to Google Calendar."),
            Text::en("Exported %@ to Google Calendar. Skipped %@ without a calendar.") };
    }
};

template <> struct CalendarConnectionTraits<AppleCalendarService_Tag>
{
    using Servicing = AppleCalendarServicing;
    using Item = AppleCalendarListItem;
    static constexpr auto settingsField = &AppSettings::appleCalendar;
    // Nothing to revoke: the store's access stays granted in the desktop's own settings, so
    // disconnecting forgets the chosen calendar instead.
    static constexpr bool forgetsSelection = true;

    static QString name(const Item& item) { return item.displayName(); }
    static const Item& defaultCalendar(const QList<Item>& calendars) { return calendars.first(); }
    static std::optional<QString> account(const QList<Item>&) { return std::nullopt; }
    static bool hasExpired(const AppleCalendarServiceError&) { return false; }
    static QCoro::Task<bool> hasAccess(Servicing& service) { return service.hasFullAccess(); }
    static QCoro::Task<Expected<Done, AppleCalendarServiceError>> authorize(
        Servicing& service, const AppleCalendarSettings&)
    {
        return service.authorize();
    }
    static QCoro::Task<Expected<QList<Item>, AppleCalendarServiceError>> fetchCalendars(
        Servicing& service, const AppleCalendarSettings&)
    {
        return service.fetchCalendars();
    }
    static QCoro::Task<Expected<Done, AppleCalendarServiceError>> forget(Servicing&) { co_return Done {}; }
    static QCoro::Task<AppleCalendarExportResult> exportEntries(Servicing& service,
        const QList<TimeEntry>& entries,
        const QList<Project>& projects,
        const AppleCalendarSettings&,
        const QHash<QUuid, QString>& assignments,
        const QList<AppleCalendarEventLink>& links)
    {
        return service.exportEntries(entries, projects, assignments, links);
    }
    static CalendarTexts texts()
    {
        return { Text::en("Could not connect Apple Calendar: %@"),
            QString(), // disconnecting cannot fail
            Text::en("Could not load Apple calendars: %@"),
            QString(), // no sign-in to expire
            Text::en("Connect Apple Calendar and refresh calendars first."),
            Text::en("Could not export to Apple Calendar: %@"),
            Text::en("Connected to Apple Calendar."),
            Text::en("Exported %@ to Apple Calendar."),
            Text::en("Exported %@ to Apple Calendar. Skipped %@ without a calendar.") };
    }
};

} // namespace tivren
