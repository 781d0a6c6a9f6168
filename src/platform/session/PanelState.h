// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/time/Instant.h"

#include <QString>
#include <QVariantMap>

namespace tivren {

// What a panel widget shows of Tivren: the running timer and the Pomodoro phase. The running
// program publishes it as properties of its control object and announces every change.
struct PanelState
{
    bool tracking = false;
    QString projectName;
    Instant trackingSince = 0;
    QString phase; // "work", "shortBreak", "longBreak", or empty outside a cycle
    Instant phaseStart = 0;
    Seconds phaseDuration = 0;

    bool operator==(const PanelState&) const = default;
};

namespace PanelProperties {

// Whole seconds the timer has run at `now`; 0 when none runs.
[[nodiscard]] qint64 elapsedSeconds(const PanelState& state, Instant now);
// Whole seconds left in the phase at `now`, rounded up and never more than the phase lasts (the
// model's clock may be a tick behind its start); 0 outside a cycle.
[[nodiscard]] qint64 phaseRemainingSeconds(const PanelState& state, Instant now);

// Every property by its bus name: Tracking, ProjectName, ElapsedSeconds, TrackingSince, Phase,
// PhaseRemainingSeconds, PhaseEndsAt.
[[nodiscard]] QVariantMap all(const PanelState& state, Instant now);

// What listeners hear after a change from `before` to `after`: the properties that changed, and
// with them the two counters, which are never announced on their own. Empty when nothing changed.
[[nodiscard]] QVariantMap changed(const PanelState& before, const PanelState& after, Instant now);

} // namespace PanelProperties
} // namespace tivren
