// SPDX-License-Identifier: GPL-3.0-or-later
// Tracking, the Pomodoro cycle and work reminders.
#include "app/model/AppModel.h"
#include "app/model/Clock.h"
#include "app/services/BreakOverlayPresenting.h"
#include "app/services/PomodoroNotifying.h"
#include "app/text/AppStrings.h"
#include "core/pomodoro/PomodoroLogic.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace tivren {

namespace {

// How far the wall clock may fall behind the monotonic one, or a stored start, before it counts as
// set back: more than clock resolution and rounding, less than any step a user would notice.
constexpr Seconds clockSetBackTolerance = 2;

} // namespace

void AppModel::startTracking(const Project& project)
{
    if (m_activeSession) {
        const bool sameProject = m_activeSession->projectID == project.id;
        // A switch is saved once, stopped and started together, so no crash can leave it half done.
        endSession(false);
        if (sameProject) {
            persist();
            return; // the start control toggles
        }
    }
    startSession(project.id);
    m_workReminderLastFired.reset();
    if (m_settings.pomodoroEnabled) {
        assign(m_pomodoroProjectID, std::optional<QUuid>(project.id), &AppModel::pomodoroProjectIDChanged);
        beginPomodoroPhase(PomodoroPhase::work);
    }
    persist();
}

void AppModel::stopTracking(bool fromPomodoro)
{
    if (endSession(fromPomodoro))
        persist();
}

bool AppModel::endSession(bool fromPomodoro)
{
    if (!m_activeSession) {
        if (!fromPomodoro)
            clearPomodoroState();
        return false;
    }
    const ActiveTimerSession session = *m_activeSession;
    recordSession(session, sessionEnd(session, m_now)); // the model's clock, up to one tick old
    if (!fromPomodoro)
        clearPomodoroState();
    return true;
}

void AppModel::recordSession(const ActiveTimerSession& session, Instant end)
{
    if (end > session.startDate)
        appendEntry(TimeEntry { QUuid::createUuid(), session.projectID, session.startDate, end, QString() });
    setActiveSession(std::nullopt);
    m_sessionMonotonicStart.reset();
    m_workReminderLastFired.reset();
}

void AppModel::startSession(const QUuid& projectID)
{
    assign(m_now, m_services.clock.now(), &AppModel::nowChanged);
    m_sessionMonotonicStart = m_services.clock.monotonicNow();
    setActiveSession(ActiveTimerSession { projectID, m_now });
}

Instant AppModel::sessionEnd(const ActiveTimerSession& session, Instant end)
{
    if (!m_sessionMonotonicStart)
        return end;
    const Seconds measured = m_services.clock.monotonicNow() - *m_sessionMonotonicStart;
    if (m_services.clock.now() - session.startDate >= measured - clockSetBackTolerance)
        return end; // a wall clock moved forward is believed
    // Set back (a dual-boot machine, a wrong time server): by the wall clock the session would be
    // shorter than it was, or not there at all.
    setErrorMessage(localized(
        Text::en("The system clock went back while the timer ran; the entry uses the time that really passed.")));
    return session.startDate + measured;
}

void AppModel::checkRestoredSession()
{
    m_sessionMonotonicStart.reset();
    if (!m_activeSession)
        return;
    if (m_activeSession->startDate <= m_services.clock.now() + clockSetBackTolerance) {
        // The wall clock is all there is to go by for the time before the program started.
        m_sessionMonotonicStart = m_launchMonotonicTime - (m_launchTime - m_activeSession->startDate);
        return;
    }
    // Started by a clock that ran ahead of this one (another system on the same machine, say): the
    // only time known to have passed since is the time this program has run.
    setActiveSession(ActiveTimerSession { m_activeSession->projectID, m_launchTime });
    m_sessionMonotonicStart = m_launchMonotonicTime;
    setErrorMessage(localized(Text::en(
        "By the system clock, the running timer starts in the future; it now counts from when Tivren started.")));
    persist();
}

void AppModel::stopTimer()
{
    endSession(false);
    clearPomodoroState();
    persist();
}

void AppModel::skipPomodoroPhase()
{
    if (m_pomodoroPhase)
        advancePomodoroPhase();
}

void AppModel::updatePomodoroEnabled(bool enabled)
{
    AppSettings settings = m_settings;
    settings.pomodoroEnabled = enabled;
    setSettingsField(settings);
    if (enabled) {
        m_services.pomodoroNotifier.requestAuthorizationIfNeeded();
        if (m_activeSession && !m_pomodoroPhase) {
            assign(m_pomodoroProjectID,
                std::optional<QUuid>(m_activeSession->projectID),
                &AppModel::pomodoroProjectIDChanged);
            beginPomodoroPhase(PomodoroPhase::work);
        }
    } else {
        clearPomodoroState();
    }
    persist();
}

std::optional<Seconds> AppModel::pomodoroRemaining() const
{
    if (!m_pomodoroPhaseStart || !m_pomodoroPhaseDuration)
        return std::nullopt;
    // Never more than the phase lasts: the model's clock may be a tick behind the phase's start.
    return std::clamp(
        *m_pomodoroPhaseDuration - (m_now - *m_pomodoroPhaseStart), 0.0, std::max(*m_pomodoroPhaseDuration, 0.0));
}

void AppModel::beginPomodoroPhase(PomodoroPhase phase)
{
    assign(m_pomodoroPhase, std::optional<PomodoroPhase>(phase), &AppModel::pomodoroPhaseChanged);
    assign(m_pomodoroPhaseStart, std::optional<Instant>(m_services.clock.now()), &AppModel::pomodoroPhaseStartChanged);
    assign(m_pomodoroPhaseDuration,
        std::optional<Seconds>(PomodoroLogic::duration(phase, m_settings)),
        &AppModel::pomodoroPhaseDurationChanged);
    if (phase == PomodoroPhase::work)
        m_services.overlayManager.hideBreakOverlay();
    else if (m_settings.pomodoroOverlayEnabled)
        m_services.overlayManager.showBreakOverlay(
            phase == PomodoroPhase::shortBreak ? OverlayColor::green : OverlayColor::blue);
}

void AppModel::advancePomodoroPhase()
{
    if (!m_pomodoroPhase)
        return;
    if (*m_pomodoroPhase == PomodoroPhase::work) {
        assign(m_pomodoroCompletedWorkIntervals,
            m_pomodoroCompletedWorkIntervals + 1,
            &AppModel::pomodoroCompletedWorkIntervalsChanged);
        if (!m_settings.pomodoroBreaksAreBillable)
            stopTracking(true);
        const PomodoroPhase next =
            PomodoroLogic::nextBreakPhase(m_pomodoroCompletedWorkIntervals, m_settings.pomodoroLongBreakInterval);
        beginPomodoroPhase(next);
        m_services.pomodoroNotifier.notify(next, m_settings.pomodoroSoundEnabled);
        return;
    }
    // A break ends. Whether it was billed may have changed during the break, so the timer decides:
    // one that ran through the break goes on, a stopped one starts again.
    if (!m_activeSession) {
        const qsizetype index = m_pomodoroProjectID ? indexOfProject(*m_pomodoroProjectID) : -1;
        if (index < 0) {
            clearPomodoroState(); // the project is gone: the cycle ends quietly
            return;
        }
        startSession(m_projects[index].id);
    }
    beginPomodoroPhase(PomodoroPhase::work);
    m_services.pomodoroNotifier.notify(PomodoroPhase::work, m_settings.pomodoroSoundEnabled);
    persist();
}

void AppModel::clearPomodoroState()
{
    assign(m_pomodoroPhase, std::optional<PomodoroPhase>(), &AppModel::pomodoroPhaseChanged);
    assign(m_pomodoroPhaseStart, std::optional<Instant>(), &AppModel::pomodoroPhaseStartChanged);
    assign(m_pomodoroPhaseDuration, std::optional<Seconds>(), &AppModel::pomodoroPhaseDurationChanged);
    assign(m_pomodoroProjectID, std::optional<QUuid>(), &AppModel::pomodoroProjectIDChanged);
    assign(m_pomodoroCompletedWorkIntervals, 0, &AppModel::pomodoroCompletedWorkIntervalsChanged);
    m_services.overlayManager.hideBreakOverlay();
}

void AppModel::checkPomodoroExpiry()
{
    if (m_pomodoroPhase && m_pomodoroPhaseStart && m_pomodoroPhaseDuration
        && m_now - *m_pomodoroPhaseStart >= *m_pomodoroPhaseDuration)
        advancePomodoroPhase();
}

void AppModel::checkWorkReminder()
{
    if (!m_settings.workReminderEnabled || !m_activeSession)
        return;
    if (m_pomodoroPhase && *m_pomodoroPhase != PomodoroPhase::work)
        return; // held back during breaks
    const Instant reference = m_workReminderLastFired.value_or(m_activeSession->startDate);
    // A hand-edited file may hold any interval; 0 would fire on every tick.
    const Seconds interval = std::clamp(m_settings.workReminderIntervalMinutes, 5, 120) * 60.0;
    if (m_now - reference < interval)
        return;
    m_workReminderLastFired = m_now;
    m_services.pomodoroNotifier.notifyWorkReminder(m_now - m_activeSession->startDate, m_settings.pomodoroSoundEnabled);
    m_services.overlayManager.flashOverlay(OverlayColor::orange);
}

} // namespace tivren
