// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/calendar/AppleCalendarServicing.h"
#include "app/calendar/CalendarStore.h"
#include "app/model/Clock.h"
#include "app/services/SerialQueue.h"

#include <QList>

#include <memory>

namespace tivren {

// Exports entries into the desktop's calendar store and lists its calendars. Runs one operation
// at a time; every operation checks the store's access first, so access granted or taken away
// outside Tivren counts at the next call.
class AppleCalendarService final : public AppleCalendarServicing
{
public:
    AppleCalendarService(std::unique_ptr<CalendarStore> store, const Clock& clock);
    ~AppleCalendarService() override;

    QCoro::Task<Expected<Done, AppleCalendarServiceError>> authorize() override;
    QCoro::Task<bool> hasFullAccess() override;
    QCoro::Task<Expected<QList<AppleCalendarListItem>, AppleCalendarServiceError>> fetchCalendars() override;
    QCoro::Task<AppleCalendarExportResult> exportEntries(QList<TimeEntry> entries,
        QList<Project> projects,
        QHash<QUuid, QString> calendarAssignments,
        QList<AppleCalendarEventLink> existingLinks) override;

private:
    // Never asks the user: anything but full access is an error.
    [[nodiscard]] QCoro::Task<Expected<Done, AppleCalendarServiceError>> ensureFullAccess();
    [[nodiscard]] QCoro::Task<Expected<bool, AppleCalendarServiceError>> requestEventAccess();
    // The event to reuse for a link's event identifier: nothing without an identifier, a new event
    // in the fallback calendar when the store no longer has it.
    [[nodiscard]] QCoro::Task<Expected<std::optional<CalendarStoreEvent>, AppleCalendarServiceError>> existingEvent(
        QString eventID, QString fallbackCalendarID);

    std::unique_ptr<CalendarStore> m_store;
    const Clock& m_clock;
    SerialQueue m_queue; // one operation at a time, in the order they came
};

} // namespace tivren
