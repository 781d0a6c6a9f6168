// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/time/Instant.h"

#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>

#include <utility>

// The calendar arithmetic behind the date range picker, in the local time zone: the quick
// ranges, the picker's label and the date-only edits of the two calendars.
namespace tivren::DateRanges {

// The quick ranges, in the order the popup shows them.
enum class Preset
{
    today,
    last7Days,
    thisMonth,
    last30Days,
    thisYear,
};

[[nodiscard]] QList<Preset> allPresets();
// "Today", "Last 7 Days", ... in the locale's language.
[[nodiscard]] QString presetTitle(Preset preset, const QLocale& locale);

// The start and end a preset writes for the moment now: both are starts of local days, the end
// is always the start of today (the overview stretches it to the end of its day). Days are
// calendar days, so a range across a daylight-saving change still starts at midnight.
[[nodiscard]] std::pair<Instant, Instant> apply(Preset preset, Instant now);

// The picker's text: the earlier of the two dates first, one date when both fall on the same
// local day, otherwise "lower – upper" with an en dash; dates in the locale's medium style.
[[nodiscard]] QString label(Instant start, Instant end, const QLocale& locale);

} // namespace tivren::DateRanges
