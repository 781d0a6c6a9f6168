// SPDX-License-Identifier: GPL-3.0-or-later
// Sleep and the screen lock: a long sleep with a timer running asks about the time away, as coming
// back from idleness does; with stopOnScreenLock on, locking the screen stops the timer.
#include "app/model/AppModel.h"
#include "app/services/SessionEvents.h"

#include <algorithm>
#include <utility>

namespace tivren {

void AppModel::connectSessionEvents()
{
    connect(&m_services.sessionEvents, &SessionEvents::preparingForSleep, this, &AppModel::goingToSleep);
    connect(&m_services.sessionEvents, &SessionEvents::resumed, this, &AppModel::wokeUp);
    connect(&m_services.sessionEvents, &SessionEvents::locked, this, &AppModel::sessionLocked);
}

void AppModel::goingToSleep(Instant at)
{
    // The timer goes on counting while the computer sleeps; whether that time counts is asked after.
    m_sleepStart = m_activeSession ? std::optional(at) : std::nullopt;
}

void AppModel::wokeUp(Instant at)
{
    // A wake-up without a sleep heard of first (Tivren started while asleep) asks nothing.
    const auto sleepStart = std::exchange(m_sleepStart, std::nullopt);
    if (!sleepStart || !m_activeSession || m_awayQuestion || !m_settings.awayQuestionEnabled)
        return;
    // Idle for long already when the computer went to sleep (perhaps why it did): away since then.
    const Instant since = m_idleSince ? std::min(*m_idleSince, *sleepStart) : *sleepStart;
    const auto question = AwayRules::question(
        m_activeSession->startDate, since, at, AwayRules::threshold(m_settings.awayThresholdMinutes));
    if (!question)
        return;
    setAwayQuestion(question);
    persist(); // so that quitting or a crash before the answer asks again at the next start
}

void AppModel::sessionLocked(Instant at)
{
    if (!m_settings.stopOnScreenLock || !m_activeSession)
        return;
    // As the user's Stop, ending when the screen locked, in one save; the Pomodoro cycle ends too.
    const ActiveTimerSession session = *m_activeSession;
    recordSession(session, sessionEnd(session, at));
    clearPomodoroState();
    persist();
}

} // namespace tivren
