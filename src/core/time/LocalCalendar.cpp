// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/time/LocalCalendar.h"

#include <QDateTime>

#include <cmath>

namespace tivren::LocalCalendar {
namespace {

QDateTime localDateTime(Instant instant)
{
    // Floor to the millisecond: an instant a hair before midnight belongs to the day before.
    return QDateTime::fromMSecsSinceEpoch(qint64(std::floor(instant * 1000.0)));
}

Instant fromDateTime(const QDateTime& dateTime)
{
    return Instant(dateTime.toMSecsSinceEpoch()) / 1000.0;
}

} // namespace

QDate localDate(Instant instant)
{
    return localDateTime(instant).date();
}

Instant startOfDay(QDate date)
{
    const QDateTime qtStart = date.startOfDay();
    if (!qtStart.isValid())
        return fromDateTime(qtStart);
    // Where midnight repeats (clocks back from 01:00 to 00:00), Qt answers the later midnight and the
    // first hour would belong to no day. Walk back while the second before still has this date; under
    // one UTC offset that walk ends at the offset's own midnight, so jump there when it is in force.
    qint64 start = qtStart.toSecsSinceEpoch();
    const qint64 utcMidnight = QDateTime(date, QTime(0, 0), Qt::UTC).toSecsSinceEpoch();
    for (;;) {
        const QDateTime before = QDateTime::fromSecsSinceEpoch(start - 1);
        if (before.date() != date)
            return Instant(start);
        const qint64 midnight = utcMidnight - before.offsetFromUtc();
        const bool sameOffset = QDateTime::fromSecsSinceEpoch(midnight).offsetFromUtc() == before.offsetFromUtc();
        start = midnight < start && sameOffset ? midnight : start - 1;
    }
}

Instant startOfDay(Instant instant)
{
    const QDate date = localDate(instant);
    return date.isValid() ? startOfDay(date) : instant;
}

Instant lastSecondOfDay(QDate date)
{
    // The second before the next day starts, so a repeated 23:00 hour still belongs to this day.
    return startOfDay(date.addDays(1)) - 1;
}

Instant lastSecondOfDay(Instant instant)
{
    const QDate date = localDate(instant);
    return date.isValid() ? lastSecondOfDay(date) : instant;
}

Instant replacingDate(Instant instant, QDate date)
{
    const QDateTime current = localDateTime(instant);
    if (!date.isValid() || !current.isValid())
        return instant;
    const QDateTime moved(date, current.time());
    // Shift by the difference so any fraction of a millisecond in the stored instant survives.
    return instant + Instant(moved.toMSecsSinceEpoch() - current.toMSecsSinceEpoch()) / 1000.0;
}

Instant addingDays(Instant instant, int days)
{
    return replacingDate(instant, localDate(instant).addDays(days));
}

Instant mondayOfWeek(Instant instant)
{
    const QDate date = localDate(instant);
    if (!date.isValid())
        return instant;
    return startOfDay(date.addDays(1 - date.dayOfWeek()));
}

} // namespace tivren::LocalCalendar
