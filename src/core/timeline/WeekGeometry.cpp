// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/timeline/WeekGeometry.h"

#include "core/billing/BillingEngine.h"
#include "core/timeline/OverlapLayout.h"
#include "core/timeline/WeekAxis.h"

#include <algorithm>

namespace tivren::WeekGeometry {

std::vector<WeekPlacement> place(const QList<TimeEntry>& entries, const WeekDays& days)
{
    std::vector<WeekPlacement> placements;
    for (int day = 0; day < 7; ++day) {
        const size_t first = placements.size();
        const Instant dayStart = days.starts[size_t(day)];
        const Instant nextDay = days.starts[size_t(day) + 1];
        for (const LayoutEntry& placed :
            computeOverlapLayout(BillingEngine::filteredEntries(entries, days.dayRange(day))))
            placements.push_back({ placed.entry,
                day,
                placed.slotIndex,
                std::max(placed.totalSlots, 1),
                WeekAxis::hoursOnDay(placed.entry.startDate, placed.entry.endDate, dayStart, nextDay) });
        std::stable_sort(placements.begin() + qsizetype(first),
            placements.end(),
            [](const WeekPlacement& a, const WeekPlacement& b) {
                return std::pair { a.hours.start, a.slotIndex } < std::pair { b.hours.start, b.slotIndex };
            });
    }
    return placements;
}

qreal columnWidth(const WeekFrame& frame)
{
    return std::max((frame.width - frame.gutter) / 7.0, 0.0);
}

qreal yOf(const WeekFrame& frame, HourAxis axis, double hour)
{
    return frame.height * (hour - axis.start) / (axis.end - axis.start);
}

namespace {

// Top and height of the hours, at least the minimum height tall.
std::pair<qreal, qreal> verticalExtent(const WeekFrame& frame, HourAxis axis, HourSpan hours)
{
    const qreal top = yOf(frame, axis, hours.start);
    return { top, std::max(std::max(yOf(frame, axis, hours.end) - top, 0.0), frame.minimumBlockHeight) };
}

} // namespace

QRectF blockRect(const WeekFrame& frame, HourAxis axis, const WeekPlacement& placement)
{
    const qreal column = columnWidth(frame);
    const qreal slot = (column - 4) / placement.totalSlots;
    const auto [top, height] = verticalExtent(frame, axis, placement.hours);
    return { frame.gutter + column * placement.day + 2 + slot * placement.slotIndex, top, slot - 2, height };
}

QRectF runningRect(const WeekFrame& frame, HourAxis axis, int day, HourSpan hours)
{
    const qreal column = columnWidth(frame);
    const auto [top, height] = verticalExtent(frame, axis, hours);
    return { frame.gutter + column * day + 2, top, column - 4, height };
}

} // namespace tivren::WeekGeometry
