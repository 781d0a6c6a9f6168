// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/idle/PollingIdleDetector.h"

#include "app/model/Clock.h"

#include <cmath>

namespace tivren {

PollingIdleDetector::PollingIdleDetector(const Clock& clock, std::chrono::milliseconds interval, QObject* parent)
    : IdleDetector(parent)
    , m_clock(clock)
    , m_interval(interval)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &PollingIdleDetector::poll);
}

void PollingIdleDetector::watch(Seconds threshold)
{
    m_sampling.emplace(threshold);
    // The first sample is asked for from the event loop, never inside the caller's watch().
    if (!m_requesting)
        m_timer.start(0);
}

void PollingIdleDetector::stopWatching()
{
    m_sampling.reset();
    m_timer.stop();
}

void PollingIdleDetector::idleTimeArrived(Seconds idle)
{
    m_requesting = false;
    if (!m_sampling)
        return; // stopped meanwhile
    const IdleChanges changes = m_sampling->sample(m_clock.now(), idle);
    scheduleNext();
    // Emitted last: a receiver may stop or change the watch.
    if (changes.cameBack)
        Q_EMIT becameActive(*changes.cameBack);
    if (changes.wentIdle)
        Q_EMIT becameIdle(*changes.wentIdle);
}

void PollingIdleDetector::requestFailed()
{
    // Asked again at the next tick: a desktop service restarting comes back by itself.
    m_requesting = false;
    if (m_sampling)
        scheduleNext();
}

void PollingIdleDetector::setProbed(bool available)
{
    m_available = available;
    Q_EMIT probed(available);
}

void PollingIdleDetector::poll()
{
    if (!m_sampling || m_requesting)
        return;
    m_requesting = true;
    requestIdleTime();
}

void PollingIdleDetector::scheduleNext()
{
    const Seconds regular = Seconds(m_interval.count()) / 1000;
    m_timer.start(std::chrono::milliseconds(std::lround(m_sampling->nextSampleIn(regular) * 1000)));
}

} // namespace tivren
