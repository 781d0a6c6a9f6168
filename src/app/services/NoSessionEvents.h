// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/services/SessionEvents.h"

namespace tivren {

// A desktop that tells nothing about sleep or locking (no logind): nothing is ever reported, so
// neither a sleep nor a lock changes anything.
class NoSessionEvents final : public SessionEvents
{
public:
    using SessionEvents::SessionEvents;
};

} // namespace tivren
