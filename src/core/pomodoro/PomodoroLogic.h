// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/pomodoro/PomodoroPhase.h"
#include "core/records/AppSettings.h"
#include "core/time/Instant.h"

namespace tivren::PomodoroLogic {

// The break after a work interval: long after every longBreakInterval-th completed interval
// (an interval below 1 counts as 1). `completedWorkIntervals` includes the one just finished.
[[nodiscard]] PomodoroPhase nextBreakPhase(int completedWorkIntervals, int longBreakInterval);

// Length of a phase in seconds; minute settings below 1 count as 1 minute.
[[nodiscard]] Seconds duration(PomodoroPhase phase, const AppSettings& settings);

} // namespace tivren::PomodoroLogic
