// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Expected.h"
#include "core/records/AppSettings.h"
#include "core/records/CalendarEventLink.h"
#include "core/records/Project.h"
#include "core/records/TimeEntry.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QUuid>
#include <qcoro/qcorotask.h>

#include <optional>

namespace tivren {

// One Google calendar the user can export into.
struct GoogleCalendarListItem
{
    QString id;
    QString name; // the user's own name for it when set, else its title
    bool isPrimary = false;

    bool operator==(const GoogleCalendarListItem&) const = default;
};

// The failures of the Google sign-in and Calendar client.
struct GoogleCalendarServiceError
{
    enum class Kind
    {
        oauthCallbackFailed, // message: shown as it is
        googleAPIError, // message: shown as it is
        missingRefreshToken,
        missingAuthorizationCode,
        missingSelectedCalendar,
        authorizationCancelled,
        authorizationExpired,
        invalidResponse,
        systemError, // message: the keyring, the network or the loopback listener failed, shown as it is
    };
    Kind kind;
    QString message;

    // The user-facing text, in the system language.
    [[nodiscard]] QString description() const;
    bool operator==(const GoogleCalendarServiceError&) const = default;
};

// What an export wrote: a link for every event saved, also when it stopped at an error part-way.
struct GoogleCalendarExportResult
{
    QList<GoogleCalendarEventLink> links;
    std::optional<GoogleCalendarServiceError> error;
};

// The Google Calendar service as the model uses it (sign-in, token, calendar list, export).
class GoogleCalendarServicing
{
public:
    virtual ~GoogleCalendarServicing() = default;

    // Runs the interactive sign-in; done when a token is stored.
    [[nodiscard]] virtual QCoro::Task<Expected<Done, GoogleCalendarServiceError>> authorize(
        GoogleCalendarSettings settings) = 0;
    // The user's calendars, primary first; authorizationExpired when no valid sign-in remains.
    [[nodiscard]] virtual QCoro::Task<Expected<QList<GoogleCalendarListItem>, GoogleCalendarServiceError>>
    fetchCalendars(GoogleCalendarSettings settings) = 0;
    // Whether a token is stored; a failing keyring counts as no token.
    [[nodiscard]] virtual QCoro::Task<bool> hasStoredToken() = 0;
    // Disconnect: afterwards no token is stored.
    [[nodiscard]] virtual QCoro::Task<Expected<Done, GoogleCalendarServiceError>> deleteStoredToken() = 0;
    // Creates or updates one event per entry whose project has a calendar assignment.
    [[nodiscard]] virtual QCoro::Task<GoogleCalendarExportResult> exportEntries(QList<TimeEntry> entries,
        QList<Project> projects,
        GoogleCalendarSettings settings,
        QHash<QUuid, QString> calendarAssignments,
        QList<GoogleCalendarEventLink> existingLinks) = 0;
};

} // namespace tivren
