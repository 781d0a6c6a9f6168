// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/TrayTexts.h"

#include "app/model/AppModel.h"
#include "core/time/DurationFormat.h"

#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivren::TrayTexts {

QString phaseLabel(const AppModel& model, PomodoroPhase phase)
{
    switch (phase) {
    case PomodoroPhase::work:
        //: Noun: the Pomodoro work phase, as opposed to a break.
        return model.localized(Text::en("Work"));
    case PomodoroPhase::shortBreak:
        return model.localized(Text::en("Short break"));
    case PomodoroPhase::longBreak:
        return model.localized(Text::en("Long break"));
    }
    return {};
}

QString toolTip(const AppModel& model, Instant now)
{
    QStringList parts;
    const auto project = model.activeProject();
    if (model.activeSession() && project) {
        parts << project->name << formattedDuration(std::max(0.0, now - model.activeSession()->startDate));
    }
    const auto phase = model.pomodoroPhase();
    const auto phaseStart = model.pomodoroPhaseStart();
    const auto phaseDuration = model.pomodoroPhaseDuration();
    if (phase && phaseStart && phaseDuration) {
        const Seconds left = std::max(0.0, *phaseDuration - (now - *phaseStart));
        parts << phaseLabel(model, *phase) + u' ' + formattedDuration(left);
    }
    if (parts.isEmpty())
        //: The tray icon's tooltip while no timer runs.
        return model.localized(Text::en("Tivren — Not tracking"));
    return parts.join(u" · "_s);
}

} // namespace tivren::TrayTexts
