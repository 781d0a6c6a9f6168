// SPDX-License-Identifier: GPL-3.0-or-later
// Time away from a running timer: the question when the user comes back, and its answers.
#include "app/model/AppModel.h"
#include "app/model/Clock.h"
#include "app/services/IdleMonitor.h"

#include <utility>

namespace tivren {

bool AppModel::answerAway(AwayAnswer answer)
{
    if (!m_awayQuestion)
        return false;
    const AwayQuestion question = *m_awayQuestion;
    setAwayQuestion(std::nullopt);
    if (!AwayRules::concerns(question, m_activeSession)) {
        persist(); // a question left from a session that ended meanwhile
        return false;
    }
    assign(m_now, m_services.clock.now(), &AppModel::nowChanged);
    const ActiveTimerSession session = *m_activeSession;
    const AwayOutcome outcome = AwayRules::outcome(session, question, answer, m_now);
    if (outcome.session != session) {
        recordSession(session, outcome.recorded ? outcome.recorded->upper : session.startDate);
        if (outcome.session)
            startSession(outcome.session->projectID);
    }
    if (outcome.endsPomodoroCycle)
        clearPomodoroState();
    persist();
    return true;
}

void AppModel::connectIdleMonitor()
{
    connect(&m_services.idleMonitor, &IdleMonitor::becameIdle, this, &AppModel::userWentIdle);
    connect(&m_services.idleMonitor, &IdleMonitor::becameActive, this, &AppModel::userCameBack);
    connect(this, &AppModel::activeSessionChanged, this, &AppModel::followIdleMonitor);
    connect(this, &AppModel::settingsChanged, this, &AppModel::followIdleMonitor);
    connect(&m_services.idleMonitor, &IdleMonitor::availabilityChanged, this, &AppModel::followIdleMonitor);
}

void AppModel::followIdleMonitor()
{
    // Whatever stopped or switched the session saves, and with it the question's going.
    if (m_awayQuestion && !AwayRules::concerns(*m_awayQuestion, m_activeSession))
        setAwayQuestion(std::nullopt);
    const bool wanted = m_activeSession && m_settings.awayQuestionEnabled && m_services.idleMonitor.isAvailable();
    if (!wanted) {
        m_idleSince.reset();
        if (std::exchange(m_watchedThreshold, std::nullopt))
            m_services.idleMonitor.stopWatching();
        return;
    }
    const Seconds threshold = AwayRules::threshold(m_settings.awayThresholdMinutes);
    if (m_watchedThreshold != threshold) {
        m_watchedThreshold = threshold;
        m_services.idleMonitor.watch(threshold);
    }
}

void AppModel::userWentIdle(Instant since)
{
    // While a question is open, it is the one to answer; later idleness is not asked about on top.
    if (m_watchedThreshold && m_activeSession && !m_awayQuestion)
        m_idleSince = since;
}

void AppModel::userCameBack(Instant at)
{
    const auto idleSince = std::exchange(m_idleSince, std::nullopt);
    if (!idleSince || !m_activeSession || m_awayQuestion)
        return;
    const auto question = AwayRules::question(
        m_activeSession->startDate, *idleSince, at, AwayRules::threshold(m_settings.awayThresholdMinutes));
    if (!question)
        return;
    setAwayQuestion(question);
    persist(); // so that quitting or a crash before the answer asks again at the next start
}

void AppModel::setAwayQuestion(const std::optional<AwayQuestion>& question)
{
    assign(m_awayQuestion, question, &AppModel::awayQuestionChanged);
}

} // namespace tivren
