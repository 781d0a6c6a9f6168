// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace tivren {

enum class PomodoroPhase
{
    work,
    shortBreak,
    longBreak,
};

[[nodiscard]] QString rawValue(PomodoroPhase phase);
[[nodiscard]] std::optional<PomodoroPhase> pomodoroPhaseFromRawValue(QStringView raw);

} // namespace tivren
