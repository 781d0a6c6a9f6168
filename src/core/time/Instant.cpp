// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/time/Instant.h"

#include <QString>

#include <cmath>
#include <cstring>

namespace tivren::Iso8601 {
namespace {

constexpr qint64 firstWritableSecond = -62135596800; // 0001-01-01T00:00:00Z
constexpr qint64 pastLastWritableSecond = 253402300800; // 10000-01-01T00:00:00Z

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's days_from_civil).
constexpr qint64 daysFromCivil(qint64 y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<qint64>(doe) - 719468;
}

struct CivilDate
{
    qint64 year;
    unsigned month;
    unsigned day;
};

constexpr CivilDate civilFromDays(qint64 z)
{
    z += 719468;
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 y = static_cast<qint64>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return { y + (m <= 2), m, d };
}

constexpr bool isLeapYear(qint64 y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

constexpr unsigned daysInMonth(qint64 y, unsigned m)
{
    constexpr unsigned days[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    return m == 2 && isLeapYear(y) ? 29 : days[m - 1];
}

template <typename Char> std::optional<Instant> parseChars(const Char* s, qsizetype n)
{
    // YYYY-MM-DDTHH:MM:SS then Z or +HH:MM / -HH:MM
    if (n != 20 && n != 25)
        return std::nullopt;
    auto digits = [s](qsizetype from, qsizetype count) -> int {
        int value = 0;
        for (qsizetype i = from; i < from + count; ++i) {
            const auto c = static_cast<char16_t>(s[i]);
            if (c < u'0' || c > u'9')
                return -1;
            value = value * 10 + (c - u'0');
        }
        return value;
    };
    auto is = [s](qsizetype i, char16_t c) {
        return static_cast<char16_t>(s[i]) == c;
    };
    const int year = digits(0, 4), month = digits(5, 2), day = digits(8, 2);
    const int hour = digits(11, 2), minute = digits(14, 2), second = digits(17, 2);
    if (!is(4, u'-') || !is(7, u'-') || !is(10, u'T') || !is(13, u':') || !is(16, u':'))
        return std::nullopt;
    if (year < 1 || month < 1 || month > 12 || day < 1 || hour < 0 || hour > 23 || minute < 0 || minute > 59
        || second < 0 || second > 59)
        return std::nullopt;
    if (static_cast<unsigned>(day) > daysInMonth(year, static_cast<unsigned>(month)))
        return std::nullopt;
    int offsetSeconds = 0;
    if (n == 20) {
        if (!is(19, u'Z'))
            return std::nullopt;
    } else {
        const bool plus = is(19, u'+');
        if ((!plus && !is(19, u'-')) || !is(22, u':'))
            return std::nullopt;
        const int oh = digits(20, 2), om = digits(23, 2);
        if (oh < 0 || oh > 23 || om < 0 || om > 59)
            return std::nullopt;
        offsetSeconds = (oh * 3600 + om * 60) * (plus ? 1 : -1);
    }
    const qint64 days = daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
    const qint64 seconds = days * 86400 + hour * 3600 + minute * 60 + second - offsetSeconds;
    // An offset can carry a date just outside the years that can be written back: refuse it
    // here, or the file would load and then never save again.
    if (seconds < firstWritableSecond || seconds >= pastLastWritableSecond)
        return std::nullopt;
    return static_cast<Instant>(seconds);
}

void twoDigits(char*& p, qint64 value)
{
    static constexpr char digits[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                                     "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                                     "8081828384858687888990919293949596979899";
    std::memcpy(p, digits + 2 * value, 2);
    p += 2;
}

} // namespace

std::optional<Instant> parse(QStringView text)
{
    return parseChars(text.utf16(), text.size());
}

std::optional<Instant> parse(QByteArrayView text)
{
    return parseChars(text.data(), text.size());
}

char* write(char* out, Instant instant)
{
    if (!std::isfinite(instant) || instant < firstWritableSecond || instant >= pastLastWritableSecond)
        return nullptr;
    const auto total = static_cast<qint64>(std::floor(instant));
    qint64 days = total / 86400;
    qint64 secondOfDay = total % 86400;
    if (secondOfDay < 0) {
        secondOfDay += 86400;
        --days;
    }
    const CivilDate date = civilFromDays(days);
    char* p = out;
    twoDigits(p, date.year / 100);
    twoDigits(p, date.year % 100);
    *p++ = '-';
    twoDigits(p, date.month);
    *p++ = '-';
    twoDigits(p, date.day);
    *p++ = 'T';
    twoDigits(p, secondOfDay / 3600);
    *p++ = ':';
    twoDigits(p, secondOfDay / 60 % 60);
    *p++ = ':';
    twoDigits(p, secondOfDay % 60);
    *p++ = 'Z';
    return p;
}

bool append(QByteArray& out, Instant instant)
{
    char buffer[20];
    if (!write(buffer, instant))
        return false;
    out.append(buffer, 20);
    return true;
}

QString format(Instant instant)
{
    QByteArray bytes;
    if (!append(bytes, instant))
        return {};
    return QString::fromLatin1(bytes);
}

} // namespace tivren::Iso8601
