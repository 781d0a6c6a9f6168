// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace tivren {

// How a project's billed time is rounded to its billing increment.
enum class BillingRoundingStrategy
{
    roundUpPerEntry,
    roundNearestPerEntry,
    roundProjectTotal,
};

[[nodiscard]] QString rawValue(BillingRoundingStrategy strategy);
[[nodiscard]] std::optional<BillingRoundingStrategy> billingRoundingStrategyFromRawValue(QStringView raw);
[[nodiscard]] QList<BillingRoundingStrategy> allBillingRoundingStrategies();

} // namespace tivren
