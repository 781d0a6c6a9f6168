// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/time/Instant.h"

#include <QString>

namespace tivren {

// "hh:mm:ss" of a running timer or a phase's time left, hours growing past two digits when needed;
// rounded to the second, never negative.
[[nodiscard]] QString formattedDuration(Seconds seconds);

} // namespace tivren
