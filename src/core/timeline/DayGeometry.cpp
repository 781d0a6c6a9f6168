// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/timeline/DayGeometry.h"

#include "core/time/LocalCalendar.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace tivren::DayGeometry {
namespace {

constexpr Seconds hour = 3600;

Instant instantOf(const QDateTime& dateTime)
{
    return Instant(dateTime.toMSecsSinceEpoch()) / 1000.0;
}

Seconds axisLength(std::pair<Instant, Instant> axis)
{
    return std::max(axis.second - axis.first, 1.0);
}

// The height of a stretch of time, at least the minimum.
qreal heightOf(const DayFrame& frame, std::pair<Instant, Instant> axis, Seconds duration)
{
    return std::max(frame.plotHeight * std::max(duration, 0.0) / axisLength(axis), frame.minimumBlockHeight);
}

} // namespace

InstantRange dayRange(Instant day)
{
    return { LocalCalendar::startOfDay(day), LocalCalendar::lastSecondOfDay(day) };
}

std::pair<Instant, Instant> axisRange(
    const QList<TimeEntry>& dayEntries, std::optional<std::pair<Instant, Instant>> running, Instant day)
{
    std::optional<std::pair<Instant, Instant>> span;
    auto include = [&span](Instant start, Instant end) {
        span =
            span ? std::pair { std::min(span->first, start), std::max(span->second, end) } : std::pair { start, end };
    };
    for (const TimeEntry& entry : dayEntries)
        include(entry.startDate, entry.endDate);
    if (running)
        include(running->first, running->second);
    if (span)
        return { std::max(span->first - hour, LocalCalendar::startOfDay(day)), span->second + hour };
    const QDate date = LocalCalendar::localDate(day);
    return { instantOf(QDateTime(date, QTime(8, 0))), instantOf(QDateTime(date, QTime(18, 0))) };
}

QList<Instant> hourTicks(Instant start, Instant end)
{
    QList<Instant> ticks;
    if (!std::isfinite(start) || !std::isfinite(end) || end < start)
        return ticks;
    // Whole hours of local time: within an hour the offset from UTC is fixed, so the start's own
    // offset finds its hour, and from there every hour is 3,600 seconds, across a clock change too.
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(qint64(std::floor(start * 1000.0)));
    const double localSeconds = start + local.offsetFromUtc();
    Instant tick = start - (localSeconds - std::floor(localSeconds / hour) * hour);
    if (tick < start)
        tick += hour;
    for (; tick <= end; tick += hour)
        ticks.append(tick);
    return ticks;
}

qreal yOf(const DayFrame& frame, std::pair<Instant, Instant> axis, Instant instant)
{
    return frame.inset + frame.plotHeight * (instant - axis.first) / axisLength(axis);
}

QRectF blockRect(const DayFrame& frame, std::pair<Instant, Instant> axis, const LayoutEntry& placed)
{
    // The axis never starts before the day, so an entry from the night before is cut there.
    const Instant start = std::max(placed.entry.startDate, axis.first);
    const qreal column = frame.width / std::max(placed.totalSlots, 1);
    // The blocks end two points short of the trailing edge, like the gaps between columns.
    return { frame.left + column * placed.slotIndex,
        yOf(frame, axis, start),
        std::max(column - 2, 0.0),
        heightOf(frame, axis, placed.entry.endDate - start) };
}

QRectF runningRect(const DayFrame& frame, std::pair<Instant, Instant> axis, Instant start, Instant now)
{
    return { frame.left, yOf(frame, axis, start), std::max(frame.width - 2, 0.0), heightOf(frame, axis, now - start) };
}

} // namespace tivren::DayGeometry
