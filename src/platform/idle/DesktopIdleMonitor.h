// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/services/IdleMonitor.h"

#include <QDBusConnection>
#include <QString>

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

namespace tivren {

class Clock;
class IdleDetector;

// The idle monitor of this desktop: asks each way of detecting idleness in turn (Mutter's idle
// monitor, org.freedesktop.ScreenSaver, ext-idle-notify-v1, the XScreenSaver extension), without
// waiting, and forwards to the first that works. Unavailable until one has answered; unavailable
// for good when none does.
class DesktopIdleMonitor final : public IdleMonitor
{
    Q_OBJECT

public:
    DesktopIdleMonitor(QDBusConnection bus, const Clock& clock, QObject* parent = nullptr);
    ~DesktopIdleMonitor() override;

    [[nodiscard]] bool isAvailable() const override;
    void watch(Seconds threshold) override;
    void stopWatching() override;

    // The detector in use ("mutter", "screensaver", "ext-idle-notify", "xscreensaver"), or an
    // empty string while probing and when there is none.
    [[nodiscard]] QString mechanism() const;

    // How often the polling detectors ask: 5 s, or less when TIVREN_IDLE_POLL_MSECS says so
    // (journeys that cannot wait); read once.
    [[nodiscard]] static std::chrono::milliseconds pollInterval();

private:
    void probeNext();
    void detectorProbed(bool available);

    std::vector<std::unique_ptr<IdleDetector>> m_candidates; // in order of preference, not yet asked
    std::unique_ptr<IdleDetector> m_probing;
    std::unique_ptr<IdleDetector> m_detector; // the one in use
    std::optional<Seconds> m_threshold; // the watch asked for
};

} // namespace tivren
