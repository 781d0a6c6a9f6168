// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/timeline/WeekDays.h"

#include "core/time/LocalCalendar.h"

#include <algorithm>

namespace tivren {

WeekDays::WeekDays(Instant weekStart)
{
    const QDate monday = LocalCalendar::localDate(weekStart);
    for (int i = 0; i < 8; ++i) {
        const QDate date = monday.addDays(i);
        starts[size_t(i)] = date.isValid() ? LocalCalendar::startOfDay(date) : weekStart;
        if (i < 7)
            dates[size_t(i)] = date;
    }
}

InstantRange WeekDays::dayRange(int day) const
{
    const Instant start = starts[size_t(day)];
    return { start, std::max(LocalCalendar::lastSecondOfDay(start), start) };
}

int WeekDays::indexOf(QDate date) const
{
    const auto it = std::find(dates.begin(), dates.end(), date);
    return it == dates.end() ? -1 : int(it - dates.begin());
}

} // namespace tivren
