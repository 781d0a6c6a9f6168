// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/JsonExtras.h"
#include "core/time/Instant.h"

#include <QUuid>

namespace tivren {

// The timer that is running now.
struct ActiveTimerSession
{
    QUuid projectID;
    Instant startDate = 0;
    JsonExtras extras {}; // keys a newer Tivren wrote, kept as they came

    bool operator==(const ActiveTimerSession&) const = default;
};

size_t qHash(const ActiveTimerSession& session, size_t seed = 0) noexcept;

} // namespace tivren
