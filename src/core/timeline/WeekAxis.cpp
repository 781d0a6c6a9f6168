// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/timeline/WeekAxis.h"

#include "core/billing/BillingEngine.h"
#include "core/time/LocalCalendar.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace tivren::WeekAxis {

double hourOfDay(Instant instant)
{
    const QTime time = QDateTime::fromMSecsSinceEpoch(qint64(std::floor(instant * 1000.0))).time();
    return time.hour() + time.minute() / 60.0 + time.second() / 3600.0;
}

HourSpan hoursOnDay(Instant start, Instant end, Instant dayStart, Instant nextDay)
{
    return { start <= dayStart ? 0.0 : hourOfDay(start), end >= nextDay ? 24.0 : hourOfDay(end) };
}

HourSpan united(const std::optional<HourSpan>& extent, HourSpan span)
{
    const auto [low, high] = std::minmax(span.start, span.end);
    if (!extent)
        return { low, high };
    return { std::min(extent->start, low), std::max(extent->end, high) };
}

HourAxis around(const std::optional<HourSpan>& extent)
{
    if (!extent)
        return officeHours;
    HourAxis axis { std::max(std::floor(extent->start) - 1, 0.0), std::min(std::ceil(extent->end) + 1, 24.0) };
    if (axis.end - axis.start < 1) {
        axis.end = std::min(axis.start + 1, 24.0);
        axis.start = axis.end - 1;
    }
    return axis;
}

std::optional<std::pair<int, HourSpan>> running(
    const WeekDays& days, const std::optional<ActiveTimerSession>& session, Instant now)
{
    if (!session)
        return std::nullopt;
    const int day = days.indexOf(LocalCalendar::localDate(session->startDate));
    if (day < 0)
        return std::nullopt;
    const HourSpan hours = hoursOnDay(
        session->startDate, std::max(now, session->startDate), days.starts[size_t(day)], days.starts[size_t(day) + 1]);
    return std::pair { day, hours };
}

HourAxis axisHours(
    const QList<TimeEntry>& entries, Instant weekStart, const std::optional<ActiveTimerSession>& session, Instant now)
{
    const WeekDays days(weekStart);
    const QList<TimeEntry> week = BillingEngine::filteredEntries(entries, days.weekRange());
    std::optional<HourSpan> extent;
    for (int day = 0; day < 7; ++day) {
        for (const TimeEntry& entry : BillingEngine::filteredEntries(week, days.dayRange(day)))
            extent = united(extent,
                hoursOnDay(entry.startDate, entry.endDate, days.starts[size_t(day)], days.starts[size_t(day) + 1]));
    }
    if (const auto timer = running(days, session, now))
        extent = united(extent, timer->second);
    return around(extent);
}

QList<int> hourTicks(HourAxis axis)
{
    QList<int> ticks;
    for (int hour = int(std::ceil(axis.start)); hour <= int(std::floor(axis.end)); ++hour)
        ticks.append(hour);
    return ticks;
}

} // namespace tivren::WeekAxis
