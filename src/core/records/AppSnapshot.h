// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/ActiveTimerSession.h"
#include "core/records/AppSettings.h"
#include "core/records/AwayQuestion.h"
#include "core/records/CalendarEventLink.h"
#include "core/records/JsonExtras.h"
#include "core/records/Project.h"
#include "core/records/TimeEntry.h"

#include <QList>

#include <optional>

namespace tivren {

// The whole persisted state: what the data file holds. Lists are implicitly shared, so copying
// a snapshot to hand it to the repository costs next to nothing.
struct AppSnapshot
{
    QList<Project> projects;
    QList<TimeEntry> entries;
    QList<GoogleCalendarEventLink> googleCalendarEventLinks;
    QList<AppleCalendarEventLink> appleCalendarEventLinks;
    std::optional<ActiveTimerSession> activeSession;
    std::optional<AwayQuestion> awayQuestion; // asked about the running session, not answered yet
    AppSettings settings;
    JsonExtras extras {}; // top-level keys a newer Tivren wrote, kept as they came

    bool operator==(const AppSnapshot&) const = default;
};

} // namespace tivren
