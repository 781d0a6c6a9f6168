// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/overview/TimerToggle.h"

#include "app/model/AppModel.h"

namespace tivren {

void toggleTimer(AppModel& model)
{
    if (model.activeSession() || model.pomodoroPhase()) {
        model.stopTimer();
        return;
    }
    QList<Project> candidates = model.recentlyUsedProjects(1);
    if (candidates.isEmpty())
        candidates = model.activeProjects();
    if (!candidates.isEmpty())
        model.startTracking(candidates.constFirst());
}

} // namespace tivren
