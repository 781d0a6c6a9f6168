// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/away/AwayRules.h"

#include <functional>

namespace tivren {

// The question about time away as a desktop notification, for when no window of Tivren can come
// forward: one button per answer.
class AwayNotifying
{
public:
    using Answered = std::function<void(AwayAnswer)>;

    virtual ~AwayNotifying() = default;
    // Posts the question, replacing one posted earlier; answered runs when one of its buttons is
    // clicked.
    virtual void askAway(const AwayQuestion& question, Answered answered) = 0;
    // Takes the question back (answered elsewhere, or gone with its session).
    virtual void withdrawAway() = 0;
};

} // namespace tivren
