// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/idle/PollingIdleDetector.h"

#include <QDBusConnection>

namespace tivren {

// GNOME: Mutter's idle monitor on the session bus, whose GetIdletime answers milliseconds.
class MutterIdleDetector final : public PollingIdleDetector
{
    Q_OBJECT

public:
    MutterIdleDetector(
        QDBusConnection bus, const Clock& clock, std::chrono::milliseconds interval, QObject* parent = nullptr);

    void probe() override;
    [[nodiscard]] QString mechanism() const override;

protected:
    void requestIdleTime() override;

private:
    template <typename Handler> void askIdleTime(Handler handler);

    QDBusConnection m_bus;
};

} // namespace tivren
