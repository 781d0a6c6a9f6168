// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/calendar/CalendarStore.h"
#include "platform/calendar/GLibHandles.h"

#include <libecal/libecal.h>

// How Tivren's events and Evolution Data Server's iCalendar components map onto each other.
namespace tivren::EdsEventMapping {

// The event's component as saved: the stored one with Tivren's fields written over it (so the
// user's own additions stay), or a new one. Times are written in UTC, replacing any zone, all-day
// form or duration the user may have given the event.
[[nodiscard]] GObjectPtr<ICalComponent> componentToSave(const CalendarStoreEvent& event);

[[nodiscard]] CalendarStoreEvent eventFrom(ICalComponent* component, const QString& calendarID);

} // namespace tivren::EdsEventMapping
