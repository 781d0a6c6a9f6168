// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/LocalTimes.h"

#include <QDateTime>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace tivren::LocalTimes {

std::optional<QDate> date(const QString& text, DateOrder order)
{
    static const QRegularExpression iso(u"^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"_s);
    static const QRegularExpression slash(u"^(\\d{1,2})[/.](\\d{1,2})[/.](\\d{4})$"_s);
    const QString trimmed = text.trimmed();
    QDate result;
    if (order == DateOrder::yearMonthDay) {
        const auto m = iso.match(trimmed);
        if (m.hasMatch())
            result = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    } else {
        const auto m = slash.match(trimmed);
        if (m.hasMatch()) {
            const int first = m.captured(1).toInt(), second = m.captured(2).toInt();
            const int year = m.captured(3).toInt();
            result = order == DateOrder::monthDayYear ? QDate(year, first, second) : QDate(year, second, first);
        }
    }
    return result.isValid() ? std::optional(result) : std::nullopt;
}

std::optional<DateOrder> slashDateOrder(const QStringList& texts)
{
    static const QRegularExpression slash(u"^(\\d{1,2})[/.](\\d{1,2})[/.](\\d{4})$"_s);
    bool dayFirst = false, monthFirst = false, differs = false;
    for (const QString& text : texts) {
        const auto m = slash.match(text.trimmed());
        if (!m.hasMatch())
            continue;
        const int first = m.captured(1).toInt(), second = m.captured(2).toInt();
        dayFirst = dayFirst || first > 12;
        monthFirst = monthFirst || second > 12;
        differs = differs || first != second;
    }
    if (dayFirst == monthFirst)
        // Neither: the same either way only when every date has day and month equal.
        return !dayFirst && !differs ? std::optional(DateOrder::monthDayYear) : std::nullopt;
    return dayFirst ? DateOrder::dayMonthYear : DateOrder::monthDayYear;
}

std::optional<QTime> time(const QString& text)
{
    static const QRegularExpression pattern(u"^(\\d{1,2}):(\\d{2})(?::(\\d{2}))?\\s*([AaPp][Mm])?$"_s);
    const auto m = pattern.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    int hour = m.captured(1).toInt();
    const QString half = m.captured(4).toUpper();
    if (!half.isEmpty()) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (half == u"PM"_s ? 12 : 0);
    }
    const QTime result(hour, m.captured(2).toInt(), m.captured(3).toInt());
    return result.isValid() ? std::optional(result) : std::nullopt;
}

Expected<Instant, ImportReason> localInstant(QDate date, QTime time)
{
    // The wall-clock time read as UTC, less each offset in force around that day: the candidates
    // that show that wall-clock time locally are its occurrences (none in a gap, two in a repeat).
    const qint64 wall = QDateTime(date, time, Qt::UTC).toSecsSinceEpoch();
    std::optional<qint64> first;
    for (const qint64 probe : { wall - 86400, wall, wall + 86400 }) {
        const qint64 candidate = wall - QDateTime::fromSecsSinceEpoch(probe).offsetFromUtc();
        const QDateTime local = QDateTime::fromSecsSinceEpoch(candidate);
        if (local.date() == date && local.time() == time && (!first || candidate < *first))
            first = candidate;
    }
    if (!first) {
        return Unexpected(ImportReason {
            QT_TRANSLATE_NOOP("Tivren", "%@ %@ does not exist in this time zone (the clocks moved forward)"),
            { date.toString(Qt::ISODate), time.toString(u"HH:mm:ss"_s) } });
    }
    return Instant(*first);
}

} // namespace tivren::LocalTimes
