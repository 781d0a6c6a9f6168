// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/Project.h"
#include "core/time/Instant.h"

namespace tivren {

// The billing result of one project in one range.
struct ProjectBillingSummary
{
    Project project;
    Seconds duration = 0; // billed, after rounding
    Seconds actualDuration = 0; // in range, unrounded
    double amount = 0; // duration / 3600 x hourly rate; 0 without a rate

    bool operator==(const ProjectBillingSummary&) const = default;
};

} // namespace tivren
