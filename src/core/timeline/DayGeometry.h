// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/time/Instant.h"
#include "core/timeline/OverlapLayout.h"

#include <QList>
#include <QRectF>

#include <optional>
#include <utility>

namespace tivren {

// The painted day: blocks from left over width, the axis from inset over plotHeight.
struct DayFrame
{
    qreal left = 0;
    qreal width = 0;
    qreal inset = 0;
    qreal plotHeight = 1;
    qreal minimumBlockHeight = 20;
};

// The day timeline's axis and blocks. Its axis is of instants, not wall-clock hours, so a day with
// a clock change is an hour shorter or longer.
namespace DayGeometry {

// The first through the last second of the local day of an instant.
[[nodiscard]] InstantRange dayRange(Instant day);
// The instants shown: an hour either side of the day's entries and of the running session
// (start, end), never before the day's start; 08:00 to 18:00 for an empty day.
[[nodiscard]] std::pair<Instant, Instant> axisRange(
    const QList<TimeEntry>& dayEntries, std::optional<std::pair<Instant, Instant>> running, Instant day);
// Every whole local hour from start to end, both included.
[[nodiscard]] QList<Instant> hourTicks(Instant start, Instant end);
[[nodiscard]] qreal yOf(const DayFrame& frame, std::pair<Instant, Instant> axis, Instant instant);
// An entry's block in its slot: from where it starts, or the axis start for an entry that began
// the day before, to its end; never shorter than the frame's minimum.
[[nodiscard]] QRectF blockRect(const DayFrame& frame, std::pair<Instant, Instant> axis, const LayoutEntry& placed);
// The running session's block over the whole width, from its start to now.
[[nodiscard]] QRectF runningRect(const DayFrame& frame, std::pair<Instant, Instant> axis, Instant start, Instant now);

} // namespace DayGeometry
} // namespace tivren
