// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/JsonExtras.h"
#include "core/time/Instant.h"

namespace tivren {

// A question about time away that the user has not answered yet: the running timer counted from
// `since` (when idleness began) to `until` (when the user came back). Kept in the data file, so a
// restart asks again instead of deciding for the user.
struct AwayQuestion
{
    Instant since = 0;
    Instant until = 0;
    JsonExtras extras {}; // keys a newer Tivren wrote, kept as they came

    bool operator==(const AwayQuestion&) const = default;
};

} // namespace tivren
