// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

// Names of languages and currencies as ICU knows them, for the settings screen's pickers.
namespace tivren::LocaleNames {

// The common ISO 4217 codes still in use, in ICU's order (alphabetical).
[[nodiscard]] QStringList commonCurrencyCodes();
// The currency's name in the locale's language ("Euro", "US-Dollar"); nothing when the locale's
// data has no name of its own for it.
[[nodiscard]] std::optional<QString> currencyName(const QString& code, const QLocale& locale);
// "EUR – Euro", or the code alone when the locale has no name for it.
[[nodiscard]] QString currencyLabel(const QString& code, const QLocale& locale);
// The locale's name in its own language ("Deutsch (Schweiz)"); the identifier when ICU has none.
[[nodiscard]] QString localeDisplayName(const QLocale& locale);
// The same for an ICU locale identifier ("de_CH").
[[nodiscard]] QString localeDisplayName(const QString& identifier);

} // namespace tivren::LocaleNames
