// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/idle/DesktopIdleMonitor.h"

#include "platform/idle/ExtIdleNotifyDetector.h"
#include "platform/idle/IdleLogging.h"
#include "platform/idle/MutterIdleDetector.h"
#include "platform/idle/ScreenSaverIdleDetector.h"
#include "platform/idle/XScreenSaverIdleDetector.h"

#include <QTimer>

#include <algorithm>

Q_LOGGING_CATEGORY(lcIdle, "IdleMonitor", QtInfoMsg)

using namespace std::chrono_literals;

namespace tivren {

DesktopIdleMonitor::DesktopIdleMonitor(QDBusConnection bus, const Clock& clock, QObject* parent)
    : IdleMonitor(parent)
{
    const auto interval = pollInterval();
    m_candidates.push_back(std::make_unique<MutterIdleDetector>(bus, clock, interval));
    m_candidates.push_back(std::make_unique<ScreenSaverIdleDetector>(bus, clock, interval));
    m_candidates.push_back(std::make_unique<ExtIdleNotifyDetector>(clock));
    m_candidates.push_back(std::make_unique<XScreenSaverIdleDetector>(clock, interval));
    std::reverse(m_candidates.begin(), m_candidates.end()); // taken from the back
    // Asked once the event loop runs, so nothing about it delays the first window.
    QTimer::singleShot(0, this, &DesktopIdleMonitor::probeNext);
}

DesktopIdleMonitor::~DesktopIdleMonitor() = default;

std::chrono::milliseconds DesktopIdleMonitor::pollInterval()
{
    constexpr std::chrono::milliseconds regular = 5s;
    bool ok = false;
    const int asked = qEnvironmentVariableIntValue("TIVREN_IDLE_POLL_MSECS", &ok);
    return ok && asked > 0 ? std::min(regular, std::chrono::milliseconds(asked)) : regular;
}

bool DesktopIdleMonitor::isAvailable() const
{
    return m_detector && m_detector->isAvailable();
}

void DesktopIdleMonitor::watch(Seconds threshold)
{
    m_threshold = threshold;
    if (isAvailable())
        m_detector->watch(threshold);
}

void DesktopIdleMonitor::stopWatching()
{
    m_threshold.reset();
    if (m_detector)
        m_detector->stopWatching();
}

QString DesktopIdleMonitor::mechanism() const
{
    return isAvailable() ? m_detector->mechanism() : QString();
}

void DesktopIdleMonitor::probeNext()
{
    if (m_candidates.empty()) {
        qCDebug(lcIdle) << "no idle detector on this desktop: the question about time away is not asked";
        return;
    }
    m_probing = std::move(m_candidates.back());
    m_candidates.pop_back();
    connect(m_probing.get(), &IdleDetector::probed, this, &DesktopIdleMonitor::detectorProbed);
    m_probing->probe();
}

void DesktopIdleMonitor::detectorProbed(bool available)
{
    // Its last signal is still being delivered: deleted from the event loop.
    IdleDetector* probed = m_probing.release();
    if (!available) {
        probed->deleteLater();
        probeNext();
        return;
    }
    m_candidates.clear();
    m_detector.reset(probed);
    disconnect(probed, &IdleDetector::probed, this, nullptr);
    qCDebug(lcIdle) << "idle detector:" << probed->mechanism();
    connect(probed, &IdleMonitor::becameIdle, this, &IdleMonitor::becameIdle);
    connect(probed, &IdleMonitor::becameActive, this, &IdleMonitor::becameActive);
    connect(probed, &IdleMonitor::availabilityChanged, this, &IdleMonitor::availabilityChanged);
    if (m_threshold)
        probed->watch(*m_threshold);
    Q_EMIT availabilityChanged();
}

} // namespace tivren
