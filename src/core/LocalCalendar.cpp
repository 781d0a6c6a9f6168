#include "core/LocalCalendar.h"

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
    return fromDateTime(date.startOfDay());
}

Instant startOfDay(Instant instant)
{
    const QDate date = localDate(instant);
    return date.isValid() ? startOfDay(date) : instant;
}

Instant lastSecondOfDay(Instant instant)
{
    const QDate date = localDate(instant);
    const QDateTime last(date, QTime(23, 59, 59));
    return last.isValid() ? fromDateTime(last) : instant;
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
