// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Expected.h"
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

// One calendar of the desktop's calendar store.
struct AppleCalendarListItem
{
    QString id;
    QString name;
    QString sourceName; // the account it belongs to, e.g. "On This Computer"

    // "Name (Account)" when the account's name adds something, else the name.
    [[nodiscard]] QString displayName() const;
    bool operator==(const AppleCalendarListItem&) const = default;
};

struct AppleCalendarServiceError
{
    enum class Kind
    {
        missingCalendar, // message: the calendar identifier
        accessDenied,
        fullAccessRequired,
        missingSelectedCalendar,
        eventSaveFailed,
        storeUnavailable, // message: what is missing (the calendar store is not installed or not reachable)
    };
    Kind kind;
    QString message;

    // The user-facing text, in the system language.
    [[nodiscard]] QString description() const;
    bool operator==(const AppleCalendarServiceError&) const = default;
};

struct AppleCalendarExportResult
{
    QList<AppleCalendarEventLink> links;
    std::optional<AppleCalendarServiceError> error;
};

// The desktop calendar store as the model uses it.
class AppleCalendarServicing
{
public:
    virtual ~AppleCalendarServicing() = default;

    // Done when full access is granted.
    [[nodiscard]] virtual QCoro::Task<Expected<Done, AppleCalendarServiceError>> authorize() = 0;
    // Whether full access to events is granted now (asks nothing of the user).
    [[nodiscard]] virtual QCoro::Task<bool> hasFullAccess() = 0;
    // The event calendars, sorted by display name.
    [[nodiscard]] virtual QCoro::Task<Expected<QList<AppleCalendarListItem>, AppleCalendarServiceError>>
    fetchCalendars() = 0;
    [[nodiscard]] virtual QCoro::Task<AppleCalendarExportResult> exportEntries(QList<TimeEntry> entries,
        QList<Project> projects,
        QHash<QUuid, QString> calendarAssignments,
        QList<AppleCalendarEventLink> existingLinks) = 0;
};

} // namespace tivren
