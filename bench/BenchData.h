// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/AppSnapshot.h"

namespace tivren::bench {

// A realistic data file: about 50 projects, 20 entries each working day going back from
// December 2026, some notes, an event link for one entry in ten. Deterministic for a count.
[[nodiscard]] AppSnapshot generateSnapshot(int entryCount);

// The first instant of a whole calendar month inside the generated data's middle, and its end.
[[nodiscard]] InstantRange monthInTheMiddle(const AppSnapshot& snapshot);

} // namespace tivren::bench
