// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/time/Instant.h"

#include <QDate>

// Calendar-day arithmetic in the local time zone. Days are calendar days, not 86,400 seconds, so
// everything here stays on midnight across a daylight-saving change.
namespace tivren::LocalCalendar {

// The local calendar day of an instant.
[[nodiscard]] QDate localDate(Instant instant);
// The first second of a local day: the first moment that exists should midnight be skipped, the
// earlier midnight should it repeat.
[[nodiscard]] Instant startOfDay(QDate date);
[[nodiscard]] Instant startOfDay(Instant instant);
// The last second of a local day (23:59:59, the later one should it repeat): the inclusive end of a
// range of whole days.
[[nodiscard]] Instant lastSecondOfDay(QDate date);
[[nodiscard]] Instant lastSecondOfDay(Instant instant);
// The instant moved to another calendar day at the same local time of day. A time the clocks
// skip on that day (the hour of a spring-forward change) moves forward with the clocks.
[[nodiscard]] Instant replacingDate(Instant instant, QDate date);
// The same local time of day, days calendar days later (earlier when negative).
[[nodiscard]] Instant addingDays(Instant instant, int days);
// The start of the Monday of the instant's week; weeks start on Monday whatever the locale.
[[nodiscard]] Instant mondayOfWeek(Instant instant);

} // namespace tivren::LocalCalendar
