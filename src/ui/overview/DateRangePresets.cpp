// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/overview/DateRangePresets.h"

#include "app/text/AppStrings.h"
#include "app/text/NumberFormatting.h"
#include "core/time/LocalCalendar.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>
#include <memory>
#include <unicode/udat.h>

using namespace Qt::StringLiterals;

namespace tivren::DateRanges {

using LocalCalendar::localDate;
using LocalCalendar::startOfDay;

namespace {

struct CloseDateFormat
{
    void operator()(UDateFormat* format) const { udat_close(format); }
};

QString mediumDate(QDate date, const QLocale& locale)
{
    // The local day is already decided by Qt; ICU formats that day at midnight UTC so its own
    // idea of the time zone can never shift the date.
    const QByteArray name = NumberFormatting::icuLocaleName(locale);
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UDateFormat, CloseDateFormat> format(
        udat_open(UDAT_NONE, UDAT_MEDIUM, name.constData(), u"UTC", -1, nullptr, 0, &status));
    if (U_FAILURE(status))
        return locale.toString(date, QLocale::ShortFormat);
    UChar buffer[128];
    const int32_t length =
        udat_format(format.get(), UDate(date.startOfDay(Qt::UTC).toMSecsSinceEpoch()), buffer, 128, nullptr, &status);
    if (U_FAILURE(status) || length <= 0 || length > 128)
        return locale.toString(date, QLocale::ShortFormat);
    return QString(reinterpret_cast<const QChar*>(buffer), length);
}

} // namespace

QList<Preset> allPresets()
{
    return { Preset::today, Preset::last7Days, Preset::thisMonth, Preset::last30Days, Preset::thisYear };
}

QString presetTitle(Preset preset, const QLocale& locale)
{
    switch (preset) {
    case Preset::today:
        return AppStrings::text(locale, Text::en("Today"));
    case Preset::last7Days:
        return AppStrings::text(locale, Text::en("Last 7 Days"));
    case Preset::thisMonth:
        return AppStrings::text(locale, Text::en("This Month"));
    case Preset::last30Days:
        return AppStrings::text(locale, Text::en("Last 30 Days"));
    case Preset::thisYear:
        return AppStrings::text(locale, Text::en("This Year"));
    }
    return {};
}

std::pair<Instant, Instant> apply(Preset preset, Instant now)
{
    const QDate today = localDate(now);
    QDate first = today;
    switch (preset) {
    case Preset::today:
        break;
    case Preset::last7Days:
        first = today.addDays(-6);
        break;
    case Preset::thisMonth:
        first = QDate(today.year(), today.month(), 1);
        break;
    case Preset::last30Days:
        first = today.addDays(-29);
        break;
    case Preset::thisYear:
        first = QDate(today.year(), 1, 1);
        break;
    }
    // Out at the edges of what QDate can hold the arithmetic fails; the range then is today.
    if (!first.isValid())
        first = today;
    return { startOfDay(first), startOfDay(today) };
}

QString label(Instant start, Instant end, const QLocale& locale)
{
    const QDate lower = localDate(std::min(start, end));
    const QDate upper = localDate(std::max(start, end));
    if (lower == upper)
        return mediumDate(lower, locale);
    return mediumDate(lower, locale) + u" \u2013 "_s + mediumDate(upper, locale);
}

} // namespace tivren::DateRanges
