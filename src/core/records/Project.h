// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/billing/BillingRoundingStrategy.h"
#include "core/records/JsonExtras.h"
#include "core/time/Instant.h"

#include <QHashFunctions>
#include <QString>
#include <QUuid>

#include <optional>

namespace tivren {

// A client project that time is tracked against.
struct Project
{
    QUuid id;
    QString name;
    std::optional<double> hourlyRate; // absent: not billed
    int billingIncrementMinutes = 15; // always at least 1
    BillingRoundingStrategy billingRoundingStrategy = BillingRoundingStrategy::roundUpPerEntry;
    QString colorName = QStringLiteral("blue");
    bool isArchived = false;
    Instant createdAt = 0;
    JsonExtras extras {}; // keys a newer Tivren wrote, kept as they came

    Project() = default;
    Project(QUuid id,
        QString name,
        std::optional<double> hourlyRate,
        int billingIncrementMinutes,
        BillingRoundingStrategy billingRoundingStrategy,
        QString colorName,
        bool isArchived,
        Instant createdAt);

    bool operator==(const Project&) const = default;
};

size_t qHash(const Project& project, size_t seed = 0) noexcept;

// The colours the project editor offers, in the order it shows them.
[[nodiscard]] QStringList projectColorNames();

} // namespace tivren
