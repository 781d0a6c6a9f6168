// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pomodoro/PomodoroLogic.h"

#include <algorithm>

namespace tivren::PomodoroLogic {

PomodoroPhase nextBreakPhase(int completedWorkIntervals, int longBreakInterval)
{
    const int interval = std::max(longBreakInterval, 1);
    return completedWorkIntervals % interval == 0 ? PomodoroPhase::longBreak : PomodoroPhase::shortBreak;
}

Seconds duration(PomodoroPhase phase, const AppSettings& settings)
{
    int minutes = 1;
    switch (phase) {
    case PomodoroPhase::work:
        minutes = settings.pomodoroWorkMinutes;
        break;
    case PomodoroPhase::shortBreak:
        minutes = settings.pomodoroShortBreakMinutes;
        break;
    case PomodoroPhase::longBreak:
        minutes = settings.pomodoroLongBreakMinutes;
        break;
    }
    // Minutes are ints, so the product in double can never overflow.
    return std::max(minutes, 1) * 60.0;
}

} // namespace tivren::PomodoroLogic
