// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

#include <memory>

namespace tivren {

// Writes calendar days with an ICU date skeleton, the locale deciding order and punctuation:
// "EEEEMMMd" is "Saturday, Dec 6" in English and "zaterdag 6 dec" in Dutch. Opened once and
// used for many days, as ICU formatters are expensive to open.
class DayFormat
{
public:
    DayFormat(const QLocale& locale, const QString& skeleton);
    ~DayFormat();
    DayFormat(const DayFormat&) = delete;
    DayFormat& operator=(const DayFormat&) = delete;

    [[nodiscard]] QString format(QDate date) const;

private:
    struct Formatter;
    std::unique_ptr<Formatter> m_formatter;
    QLocale m_locale;
};

} // namespace tivren
