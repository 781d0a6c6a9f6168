// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/pomodoro/PomodoroPhase.h"
#include "core/time/Instant.h"

namespace tivren {

// Desktop notifications of Pomodoro phases (with a Skip action) and of work reminders.
class PomodoroNotifying
{
public:
    virtual ~PomodoroNotifying() = default;
    virtual void requestAuthorizationIfNeeded() = 0;
    virtual void notify(PomodoroPhase phase, bool soundEnabled) = 0;
    virtual void notifyWorkReminder(Seconds elapsed, bool soundEnabled) = 0;
};

} // namespace tivren
