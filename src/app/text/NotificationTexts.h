// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/pomodoro/PomodoroPhase.h"
#include "core/time/Instant.h"

#include <QLocale>
#include <QString>

namespace tivren {

struct NotificationText
{
    QString title;
    QString body;

    bool operator==(const NotificationText&) const = default;
};

// The texts of the Pomodoro and work reminder notifications. They are shown outside the app's
// windows, so they follow the desktop's language (pass QLocale::system()), not the app's.
namespace NotificationTexts {

[[nodiscard]] NotificationText phaseBegan(PomodoroPhase phase, const QLocale& locale);
[[nodiscard]] NotificationText workReminder(Seconds elapsed, const QLocale& locale);
// The label of the notification's action that ends the phase.
[[nodiscard]] QString skipAction(const QLocale& locale);
// "45 min" under an hour, "1h 5m" from an hour on; seconds are not shown.
[[nodiscard]] QString formattedElapsed(Seconds elapsed);

} // namespace NotificationTexts
} // namespace tivren
