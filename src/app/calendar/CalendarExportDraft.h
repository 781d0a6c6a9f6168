// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/CalendarSettings.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

namespace tivren {

// One project of an export draft.
template <typename Service> struct CalendarProjectExportSelection
{
    QUuid projectID;
    QString projectName; // as when the draft was built
    int entryCount = 0; // entries in the draft's range
    bool isSelected = true;
    std::optional<QString> calendarID; // nothing: the project is skipped

    bool operator==(const CalendarProjectExportSelection&) const = default;
};

// The editable plan of one export, one selection per project with entries in the range. Google
// and the desktop calendar have distinct types, so a draft of one cannot reach the other.
template <typename Service> struct CalendarExportDraft
{
    using Selection = CalendarProjectExportSelection<Service>;

    QUuid id;
    QList<Selection> projectSelections;

    // Project -> trimmed calendar id, for every selected project with a calendar.
    [[nodiscard]] QHash<QUuid, QString> selectedProjectCalendarAssignments() const
    {
        QHash<QUuid, QString> assignments;
        for (const Selection& selection : projectSelections) {
            const QString calendar = selection.calendarID.value_or(QString()).trimmed();
            if (selection.isSelected && !calendar.isEmpty())
                assignments.insert(selection.projectID, calendar);
        }
        return assignments;
    }

    // Selected projects without a calendar: they will be skipped.
    [[nodiscard]] int skippedSelectedProjectCount() const
    {
        int skipped = 0;
        for (const Selection& selection : projectSelections) {
            if (selection.isSelected && selection.calendarID.value_or(QString()).trimmed().isEmpty())
                ++skipped;
        }
        return skipped;
    }

    [[nodiscard]] bool hasAnySelectedProjectWithCalendar() const
    {
        return !selectedProjectCalendarAssignments().isEmpty();
    }

    bool operator==(const CalendarExportDraft&) const = default;
};

using GoogleCalendarProjectExportSelection = CalendarProjectExportSelection<GoogleCalendarService_Tag>;
using AppleCalendarProjectExportSelection = CalendarProjectExportSelection<AppleCalendarService_Tag>;
using GoogleCalendarExportDraft = CalendarExportDraft<GoogleCalendarService_Tag>;
using AppleCalendarExportDraft = CalendarExportDraft<AppleCalendarService_Tag>;

} // namespace tivren
