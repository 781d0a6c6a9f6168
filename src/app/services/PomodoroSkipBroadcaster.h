// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace tivren {

// The app-wide "pomodoroSkip" channel: any part of the program that wants the current Pomodoro
// phase to end early posts here (the notification's Skip action does); the model listens.
class PomodoroSkipBroadcaster : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    static constexpr const char* notificationName = "pomodoroSkip";

    void post() { Q_EMIT pomodoroSkip(); }

Q_SIGNALS:
    void pomodoroSkip();
};

} // namespace tivren
