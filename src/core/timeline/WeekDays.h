// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/time/Instant.h"

#include <QDate>

#include <array>

namespace tivren {

// The seven days of the week beginning at weekStart, by calendar day so that a day of 23 or 25
// hours is still one column; starts[7] is the next Monday.
struct WeekDays
{
    std::array<QDate, 7> dates;
    std::array<Instant, 8> starts {};

    explicit WeekDays(Instant weekStart);

    // The day's first through its last second.
    [[nodiscard]] InstantRange dayRange(int day) const;
    // Monday's first second through Sunday's last.
    [[nodiscard]] InstantRange weekRange() const { return { starts[0], dayRange(6).upper }; }
    // The column of a date, or -1 outside the week.
    [[nodiscard]] int indexOf(QDate date) const;
};

} // namespace tivren
