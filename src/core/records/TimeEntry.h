// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/JsonExtras.h"
#include "core/time/Instant.h"

#include <QString>
#include <QUuid>

namespace tivren {

// One recorded span of work on a project.
struct TimeEntry
{
    QUuid id;
    QUuid projectID; // may name a project that no longer exists
    Instant startDate = 0;
    Instant endDate = 0;
    QString notes;
    JsonExtras extras {}; // keys a newer Tivren wrote, kept as they came

    // Never negative.
    [[nodiscard]] Seconds duration() const { return endDate > startDate ? endDate - startDate : 0; }
    [[nodiscard]] bool isValid() const { return endDate > startDate; }
    // Unrounded money value of the whole entry at the given hourly rate.
    [[nodiscard]] double billableAmount(double rate) const { return rate * duration() / 3600.0; }

    bool operator==(const TimeEntry&) const = default;
};

size_t qHash(const TimeEntry& entry, size_t seed = 0) noexcept;

} // namespace tivren
