// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/text/NumberFormatCache.h"

#include "app/text/NumberFormatting.h"

#include <type_traits>
#include <unicode/unum.h>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

static_assert(std::is_same_v<UNumberFormat*, void**>);

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

void NumberFormatCache::Close::operator()(void** format) const
{
    unum_close(format);
}

NumberFormatCache::NumberFormatCache() = default;
NumberFormatCache::~NumberFormatCache() = default;

void NumberFormatCache::useLocale(const QLocale& locale)
{
    QByteArray name = NumberFormatting::icuLocaleName(locale);
    if (name == m_localeName)
        return;
    m_formats.clear();
    m_localeName = std::move(name);
}

std::optional<QString> NumberFormatCache::currency(double amount, const QString& currencyCode, const QLocale& locale)
{
    // ICU quietly formats a code it does not know ("ZZ") as if it were one: only take ISO-shaped codes.
    if (currencyCode.size() != 3)
        return std::nullopt;
    useLocale(locale);
    Format& formatter = m_formats[u"c"_s + currencyCode];
    if (!formatter) {
        UErrorCode status = U_ZERO_ERROR;
        Format opened(unum_open(UNUM_CURRENCY, nullptr, 0, m_localeName.constData(), nullptr, &status));
        if (U_FAILURE(status))
            return std::nullopt;
        unum_setTextAttribute(opened.get(),
            UNUM_CURRENCY_CODE,
            reinterpret_cast<const UChar*>(currencyCode.utf16()),
            int32_t(currencyCode.size()),
            &status);
        if (U_FAILURE(status))
            return std::nullopt;
        formatter = std::move(opened);
    }
    return format(formatter.get(), amount);
}

std::optional<QString> NumberFormatCache::decimal(
    double value, int minimumFractionDigits, int maximumFractionDigits, const QLocale& locale)
{
    useLocale(locale);
    Format& formatter =
        m_formats[u"d"_s + QString::number(minimumFractionDigits) + u':' + QString::number(maximumFractionDigits)];
    if (!formatter) {
        UErrorCode status = U_ZERO_ERROR;
        Format opened(unum_open(UNUM_DECIMAL, nullptr, 0, m_localeName.constData(), nullptr, &status));
        if (U_FAILURE(status))
            return std::nullopt;
        unum_setAttribute(opened.get(), UNUM_MIN_FRACTION_DIGITS, minimumFractionDigits);
        unum_setAttribute(opened.get(), UNUM_MAX_FRACTION_DIGITS, maximumFractionDigits);
        unum_setAttribute(opened.get(), UNUM_GROUPING_USED, 1);
        formatter = std::move(opened);
    }
    return format(formatter.get(), value);
}

} // namespace tivren
