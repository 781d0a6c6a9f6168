// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/billing/RateText.h"

#include <QLocale>

#include <cmath>

using namespace Qt::StringLiterals;

namespace tivren::RateText {

std::optional<double> parse(const QString& text, QChar localeDecimalPoint)
{
    QString number = text;
    if (localeDecimalPoint == u',' && !number.contains(u'.') && number.count(u',') == 1)
        number.replace(u',', u'.');
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(number, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace tivren::RateText
