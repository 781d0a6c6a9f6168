// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/services/IdleMonitor.h"

namespace tivren {

// A desktop that tells nothing about idleness: the question about time away is never asked.
class NoIdleMonitor final : public IdleMonitor
{
public:
    using IdleMonitor::IdleMonitor;

    [[nodiscard]] bool isAvailable() const override { return false; }
    void watch(Seconds) override { }
    void stopWatching() override { }
};

} // namespace tivren
