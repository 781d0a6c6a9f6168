// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/TimeEntry.h"
#include "core/timeline/HourAxis.h"
#include "core/timeline/WeekDays.h"

#include <QList>
#include <QRectF>

#include <vector>

namespace tivren {

// One entry's part of one day column: an entry that runs past midnight has one on each day.
struct WeekPlacement
{
    TimeEntry entry;
    int day = 0;
    int slotIndex = 0; // side by side with the entries it overlaps on that day
    int totalSlots = 1;
    HourSpan hours;

    bool operator==(const WeekPlacement&) const = default;
};

// The painted week: an hour-label gutter, then seven equal columns, the axis over the height.
struct WeekFrame
{
    qreal gutter = 54;
    qreal width = 0;
    qreal height = 560;
    qreal minimumBlockHeight = 14;
};

namespace WeekGeometry {

// The week's entries day by day, each day top to bottom and left to right (the keyboard's order).
[[nodiscard]] std::vector<WeekPlacement> place(const QList<TimeEntry>& entries, const WeekDays& days);
[[nodiscard]] qreal columnWidth(const WeekFrame& frame);
[[nodiscard]] qreal yOf(const WeekFrame& frame, HourAxis axis, double hour);
// The block of a placement: its slot of the column less margins, clock hour to clock hour, never
// shorter than the frame's minimum.
[[nodiscard]] QRectF blockRect(const WeekFrame& frame, HourAxis axis, const WeekPlacement& placement);
// The running timer's block: the whole column.
[[nodiscard]] QRectF runningRect(const WeekFrame& frame, HourAxis axis, int day, HourSpan hours);

} // namespace WeekGeometry
} // namespace tivren
