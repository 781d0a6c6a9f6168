// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/idle/PollingIdleDetector.h"

#include <QDBusConnection>

#include <functional>
#include <optional>
#include <utility>

namespace tivren {

// KDE and other desktops: org.freedesktop.ScreenSaver's GetSessionIdleTime. GNOME's settings
// daemon owns the name too but answers it with an error, which counts as not offering it. The
// answer's unit differs between desktops; milliseconds until its growth shows seconds.
class ScreenSaverIdleDetector final : public PollingIdleDetector
{
    Q_OBJECT

public:
    ScreenSaverIdleDetector(
        QDBusConnection bus, const Clock& clock, std::chrono::milliseconds interval, QObject* parent = nullptr);

    void probe() override;
    [[nodiscard]] QString mechanism() const override;

protected:
    void requestIdleTime() override;

private:
    void probePath(int index);
    void askIdleTime(const QString& path, std::function<void(std::optional<quint32>)> handler);
    [[nodiscard]] Seconds toSeconds(quint32 answer);
    void learnUnit(quint32 answer);

    QDBusConnection m_bus;
    QString m_path; // the object that answered the probe
    std::optional<IdleTimeUnit> m_unit; // once learned
    std::optional<std::pair<quint32, Seconds>> m_reference; // an answer, and when (monotonic clock)
};

} // namespace tivren
