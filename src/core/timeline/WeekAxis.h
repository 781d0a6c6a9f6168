// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/ActiveTimerSession.h"
#include "core/records/TimeEntry.h"
#include "core/timeline/HourAxis.h"
#include "core/timeline/WeekDays.h"

#include <QList>

#include <optional>
#include <utility>

// The hour axis of the week timeline: which hours its seven columns show.
namespace tivren::WeekAxis {

// The axis of a week without entries.
inline constexpr HourAxis officeHours { 8, 18 };

// Hours since the local midnight as the wall clock shows them: 14:30 is 14.5.
[[nodiscard]] double hourOfDay(Instant instant);
// The part of start..end on the day that begins at dayStart and ends at nextDay, in hours of that
// day: time before the day starts at 0, time after it ends at 24.
[[nodiscard]] HourSpan hoursOnDay(Instant start, Instant end, Instant dayStart, Instant nextDay);
// The smallest span holding both.
[[nodiscard]] HourSpan united(const std::optional<HourSpan>& extent, HourSpan span);
// An hour of margin around the extent, within the day and at least an hour long; office hours
// without an extent.
[[nodiscard]] HourAxis around(const std::optional<HourSpan>& extent);
// The running timer when it started on one of the week's days: its column and its hours so far.
[[nodiscard]] std::optional<std::pair<int, HourSpan>> running(
    const WeekDays& days, const std::optional<ActiveTimerSession>& session, Instant now);
// The axis for a week: around the earliest start and the latest end of the week's entries and its
// running timer, each cut to its day.
[[nodiscard]] HourAxis axisHours(
    const QList<TimeEntry>& entries, Instant weekStart, const std::optional<ActiveTimerSession>& session, Instant now);
// The whole hours from the axis start through its end.
[[nodiscard]] QList<int> hourTicks(HourAxis axis);

} // namespace tivren::WeekAxis
