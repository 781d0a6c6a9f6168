// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/text/LocaleNames.h"

#include "app/text/NumberFormatting.h"

#include <memory>
#include <unicode/ucurr.h>
#include <unicode/uenum.h>
#include <unicode/uloc.h>

using namespace Qt::StringLiterals;

namespace tivren::LocaleNames {
namespace {

struct CloseEnumeration
{
    void operator()(UEnumeration* e) const { uenum_close(e); }
};

} // namespace

QStringList commonCurrencyCodes()
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UEnumeration, CloseEnumeration> codes(
        ucurr_openISOCurrencies(UCURR_COMMON | UCURR_NON_DEPRECATED, &status));
    QStringList result;
    if (U_FAILURE(status))
        return result;
    int32_t length = 0;
    while (const char* code = uenum_next(codes.get(), &length, &status)) {
        if (U_FAILURE(status))
            break;
        result.append(QString::fromLatin1(code, length));
    }
    return result;
}

std::optional<QString> currencyName(const QString& code, const QLocale& locale)
{
    if (code.size() != 3)
        return std::nullopt;
    const UChar isoCode[4] = { code[0].unicode(), code[1].unicode(), code[2].unicode(), 0 };
    UBool isChoiceFormat = false;
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    const UChar* name = ucurr_getName(isoCode,
        NumberFormatting::icuLocaleName(locale).constData(),
        UCURR_LONG_NAME,
        &isChoiceFormat,
        &length,
        &status);
    // Without a name ICU hands back the code itself; a name from the root data is not the
    // locale's own either (U_USING_DEFAULT_WARNING).
    if (U_FAILURE(status) || status == U_USING_DEFAULT_WARNING || !name || length <= 0)
        return std::nullopt;
    QString text(reinterpret_cast<const QChar*>(name), length);
    if (text == code)
        return std::nullopt;
    return text;
}

QString currencyLabel(const QString& code, const QLocale& locale)
{
    if (const auto name = currencyName(code, locale))
        return code + u" \u2013 "_s + *name;
    return code;
}

QString localeDisplayName(const QLocale& locale)
{
    return localeDisplayName(QString::fromLatin1(NumberFormatting::icuLocaleName(locale)));
}

QString localeDisplayName(const QString& identifier)
{
    const QByteArray id = identifier.toLatin1();
    UChar buffer[256];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = uloc_getDisplayName(id.constData(), id.constData(), buffer, 256, &status);
    // A language ICU has no data for comes back as its bare codes ("xx (YY)") with a default warning.
    if (U_FAILURE(status) || status == U_USING_DEFAULT_WARNING || length <= 0 || length > 256)
        return identifier;
    return QString(reinterpret_cast<const QChar*>(buffer), length);
}

} // namespace tivren::LocaleNames
