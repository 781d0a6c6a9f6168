#include "app/text/NumberFormatting.h"

#include <QDateTime>

#include <memory>
#include <unicode/udat.h>
#include <unicode/udatpg.h>
#include <unicode/unum.h>

namespace tivren::NumberFormatting {
namespace {

struct CloseFormat
{
    void operator()(UNumberFormat* f) const { unum_close(f); }
};
using NumberFormat = std::unique_ptr<UNumberFormat, CloseFormat>;

std::optional<QString> format(UNumberFormat* formatter, double value)
{
    UErrorCode status = U_ZERO_ERROR;
    UChar buffer[128];
    const int32_t length = unum_formatDouble(formatter, value, buffer, 128, nullptr, &status);
    if (U_FAILURE(status) || length <= 0 || length > 128)
        return std::nullopt;
    return QString(reinterpret_cast<const QChar*>(buffer), length);
}

} // namespace

QByteArray icuLocaleName(const QLocale& locale)
{
    // The C locale (no LANG set) reads as plain US English, not ICU's POSIX variant ("$ 85.00").
    if (locale.language() == QLocale::C)
        return "en_US";
    return locale.name().toLatin1();
}

std::optional<QString> currency(double amount, const QString& currencyCode, const QLocale& locale)
{
    // ICU quietly formats a code it does not know ("ZZ") as if it were one: only take ISO-shaped codes.
    if (currencyCode.size() != 3)
        return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    NumberFormat formatter(unum_open(UNUM_CURRENCY, nullptr, 0, icuLocaleName(locale).constData(), nullptr, &status));
    if (U_FAILURE(status))
        return std::nullopt;
    unum_setTextAttribute(formatter.get(),
        UNUM_CURRENCY_CODE,
        reinterpret_cast<const UChar*>(currencyCode.utf16()),
        int32_t(currencyCode.size()),
        &status);
    if (U_FAILURE(status))
        return std::nullopt;
    return format(formatter.get(), amount);
}

std::optional<QString> decimal(
    double value, int minimumFractionDigits, int maximumFractionDigits, const QLocale& locale)
{
    UErrorCode status = U_ZERO_ERROR;
    NumberFormat formatter(unum_open(UNUM_DECIMAL, nullptr, 0, icuLocaleName(locale).constData(), nullptr, &status));
    if (U_FAILURE(status))
        return std::nullopt;
    unum_setAttribute(formatter.get(), UNUM_MIN_FRACTION_DIGITS, minimumFractionDigits);
    unum_setAttribute(formatter.get(), UNUM_MAX_FRACTION_DIGITS, maximumFractionDigits);
    unum_setAttribute(formatter.get(), UNUM_GROUPING_USED, 1);
    return format(formatter.get(), value);
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
