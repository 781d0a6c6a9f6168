// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/pomodoro/PomodoroPhase.h"
#include "core/time/Instant.h"

#include <QString>

namespace tivren {

class AppModel;

// Texts the tray icon and its menu share, in the app language.
namespace TrayTexts {

// "Work", "Short break" or "Long break".
[[nodiscard]] QString phaseLabel(const AppModel& model, PomodoroPhase phase);

// The icon's tooltip: what runs at now ("Acme · 01:02:03 · Work 00:24:13"), or that nothing does.
[[nodiscard]] QString toolTip(const AppModel& model, Instant now);

} // namespace TrayTexts

} // namespace tivren
