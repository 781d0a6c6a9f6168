// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <map>
#include <memory>
#include <optional>

namespace tivren {

// ICU number formatters kept open between calls: opening one costs far more than formatting, and
// the clock formats hours and money every second. All of them belong to one locale; asking for
// another (the language changed) drops them.
class NumberFormatCache
{
public:
    NumberFormatCache();
    ~NumberFormatCache();
    NumberFormatCache(const NumberFormatCache&) = delete;
    NumberFormatCache& operator=(const NumberFormatCache&) = delete;

    // Money in the locale's currency style; nothing for a code ICU cannot use.
    [[nodiscard]] std::optional<QString> currency(double amount, const QString& currencyCode, const QLocale& locale);
    // A grouped decimal number with the given fraction digits.
    [[nodiscard]] std::optional<QString> decimal(
        double value, int minimumFractionDigits, int maximumFractionDigits, const QLocale& locale);
    // How many formatters are open, for tests.
    [[nodiscard]] int size() const { return int(m_formats.size()); }

private:
    struct Close
    {
        void operator()(void** format) const;
    };
    // ICU's UNumberFormat*, kept out of this header.
    using Format = std::unique_ptr<void*, Close>;

    void useLocale(const QLocale& locale);

    QByteArray m_localeName;
    // Keyed by what sets it up: "c" and the currency code, or "d" and the fraction digits.
    std::map<QString, Format> m_formats;
};

} // namespace tivren
