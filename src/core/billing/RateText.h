// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QString>

#include <optional>

// An hourly rate as the user types it.
namespace tivren::RateText {

// The text, trimmed and not empty, as a finite number. "." is always the decimal separator; where
// the user's locale writes decimals with a comma ("85,50"), a single comma is one too. Grouping
// ("1.000,50", and "1,000" where the comma is no decimal sign) is refused rather than guessed at,
// and so are infinity and NaN, which would poison every total.
[[nodiscard]] std::optional<double> parse(const QString& text, QChar localeDecimalPoint);

} // namespace tivren::RateText
