// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/away/IdleSampling.h"
#include "platform/idle/IdleDetector.h"

#include <QTimer>

#include <chrono>
#include <optional>

namespace tivren {

class Clock;

// A detector that asks the desktop for the user's idle time every few seconds while watching.
// Subclasses ask in requestIdleTime() and answer with idleTimeArrived() (or nothing, when the
// desktop could not say); one request is out at a time.
class PollingIdleDetector : public IdleDetector
{
    Q_OBJECT

public:
    PollingIdleDetector(const Clock& clock, std::chrono::milliseconds interval, QObject* parent = nullptr);

    [[nodiscard]] bool isAvailable() const override { return m_available; }
    void watch(Seconds threshold) override;
    void stopWatching() override;

protected:
    virtual void requestIdleTime() = 0;
    void idleTimeArrived(Seconds idle);
    void requestFailed();
    void setProbed(bool available);
    [[nodiscard]] const Clock& clock() const { return m_clock; }

private:
    void poll();
    void scheduleNext();

    const Clock& m_clock;
    std::chrono::milliseconds m_interval;
    QTimer m_timer;
    std::optional<IdleSampling> m_sampling; // while watching
    bool m_requesting = false;
    bool m_available = false;
};

} // namespace tivren
