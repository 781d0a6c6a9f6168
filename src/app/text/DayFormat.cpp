// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/text/DayFormat.h"

#include "app/text/NumberFormatting.h"

#include <unicode/udat.h>
#include <unicode/udatpg.h>

namespace tivren {

struct DayFormat::Formatter
{
    UDateFormat* format = nullptr;
    ~Formatter()
    {
        if (format)
            udat_close(format);
    }
};

DayFormat::DayFormat(const QLocale& locale, const QString& skeleton)
    : m_formatter(std::make_unique<Formatter>())
    , m_locale(locale)
{
    const QByteArray name = NumberFormatting::icuLocaleName(locale);
    UErrorCode status = U_ZERO_ERROR;
    UDateTimePatternGenerator* generator = udatpg_open(name.constData(), &status);
    UChar pattern[64];
    const int32_t length = udatpg_getBestPattern(
        generator, reinterpret_cast<const UChar*>(skeleton.utf16()), int32_t(skeleton.size()), pattern, 64, &status);
    if (generator)
        udatpg_close(generator);
    if (U_FAILURE(status) || length > 64)
        return;
    // The day is decided by Qt in local time; ICU writes it at midnight UTC so its own idea of
    // the time zone can never move the date.
    m_formatter->format = udat_open(UDAT_PATTERN, UDAT_PATTERN, name.constData(), u"UTC", -1, pattern, length, &status);
    if (U_FAILURE(status) && m_formatter->format) {
        udat_close(m_formatter->format);
        m_formatter->format = nullptr;
    }
}

DayFormat::~DayFormat() = default;

QString DayFormat::format(QDate date) const
{
    if (m_formatter->format && date.isValid()) {
        UErrorCode status = U_ZERO_ERROR;
        UChar buffer[128];
        const int32_t length = udat_format(
            m_formatter->format, UDate(date.startOfDay(Qt::UTC).toMSecsSinceEpoch()), buffer, 128, nullptr, &status);
        if (!U_FAILURE(status) && length > 0 && length <= 128)
            return QString(reinterpret_cast<const QChar*>(buffer), length);
    }
    return m_locale.toString(date, QLocale::LongFormat);
}

} // namespace tivren
