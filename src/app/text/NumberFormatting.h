// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>

#include <optional>

namespace tivren::NumberFormatting {

// Money in the locale's currency style (ICU), e.g. nl "€ 1.234,50", de "1.234,50 €". Nothing when
// ICU cannot format it (an unknown currency code, for one).
[[nodiscard]] std::optional<QString> currency(double amount, const QString& currencyCode, const QLocale& locale);
// A grouped decimal number with the given fraction digits, in the locale's style.
[[nodiscard]] std::optional<QString> decimal(
    double value, int minimumFractionDigits, int maximumFractionDigits, const QLocale& locale);
// A date as the locale writes "year, abbreviated month, day" (skeleton yMMMd), e.g. "Mar 2, 2026".
[[nodiscard]] QString mediumDate(double instant, const QLocale& locale);
// The ICU name of a Qt locale ("C" becomes "en_US").
[[nodiscard]] QByteArray icuLocaleName(const QLocale& locale);

} // namespace tivren::NumberFormatting
