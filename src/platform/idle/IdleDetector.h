// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/services/IdleMonitor.h"

#include <QString>

namespace tivren {

// One way of learning about idleness (a desktop's D-Bus service, a Wayland protocol, an X
// extension). Whether this desktop offers it is known only once probe() has answered.
class IdleDetector : public IdleMonitor
{
    Q_OBJECT

public:
    using IdleMonitor::IdleMonitor;

    // Asks the desktop, without waiting for it; answers with probed(). Called once.
    virtual void probe() = 0;
    // A short name for logs and Settings ("mutter", "screensaver", ...).
    [[nodiscard]] virtual QString mechanism() const = 0;

Q_SIGNALS:
    void probed(bool available);
};

} // namespace tivren
