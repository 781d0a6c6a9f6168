// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/calendar/CalendarStore.h"

namespace tivren {

// Evolution Data Server is not on the session bus at all: what to install. Part of the executable,
// so that the answer at start needs no services module.
[[nodiscard]] CalendarStoreError edsNotInstalled();

} // namespace tivren
