// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/text/NumberFormatting.h"

#include "app/text/NumberFormatCache.h"

#include <QDateTime>

#include <unicode/udat.h>
#include <unicode/udatpg.h>

namespace tivren::NumberFormatting {

QByteArray icuLocaleName(const QLocale& locale)
{
    // The C locale (no LANG set) reads as plain US English, not ICU's POSIX variant ("$ 85.00").
    if (locale.language() == QLocale::C)
        return "en_US";
    return locale.name().toLatin1();
}

std::optional<QString> currency(double amount, const QString& currencyCode, const QLocale& locale)
{
    return NumberFormatCache().currency(amount, currencyCode, locale);
}

std::optional<QString> decimal(
    double value, int minimumFractionDigits, int maximumFractionDigits, const QLocale& locale)
{
    return NumberFormatCache().decimal(value, minimumFractionDigits, maximumFractionDigits, locale);
}

QString mediumDate(double instant, const QLocale& locale)
{
    const QByteArray name = icuLocaleName(locale);
    UErrorCode status = U_ZERO_ERROR;
    UDateTimePatternGenerator* generator = udatpg_open(name.constData(), &status);
    UChar pattern[64];
    const UChar skeleton[] = { 'y', 'M', 'M', 'M', 'd', 0 };
    const int32_t patternLength = udatpg_getBestPattern(generator, skeleton, -1, pattern, 64, &status);
    udatpg_close(generator);
    if (U_FAILURE(status))
        return QDateTime::fromSecsSinceEpoch(qint64(instant)).date().toString(Qt::ISODate);
    UDateFormat* formatter =
        udat_open(UDAT_PATTERN, UDAT_PATTERN, name.constData(), nullptr, 0, pattern, patternLength, &status);
    UChar buffer[128];
    const int32_t length = udat_format(formatter, instant * 1000.0, buffer, 128, nullptr, &status);
    udat_close(formatter);
    if (U_FAILURE(status) || length > 128)
        return QDateTime::fromSecsSinceEpoch(qint64(instant)).date().toString(Qt::ISODate);
    return QString(reinterpret_cast<const QChar*>(buffer), length);
}

} // namespace tivren::NumberFormatting
