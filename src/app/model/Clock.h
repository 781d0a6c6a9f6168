// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/time/Instant.h"

#include <QDateTime>

#include <time.h>

namespace tivren {

// The wall clock, injectable so tests can drive time without sleeping.
class Clock
{
public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual Instant now() const = 0;
    // Seconds since some fixed point, never set back and still counting while the computer
    // sleeps: what really passed while the wall clock may have been moved.
    [[nodiscard]] virtual Seconds monotonicNow() const = 0;
};

class SystemClock final : public Clock
{
public:
    [[nodiscard]] Instant now() const override { return QDateTime::currentMSecsSinceEpoch() / 1000.0; }
    [[nodiscard]] Seconds monotonicNow() const override
    {
        timespec time {};
        clock_gettime(CLOCK_BOOTTIME, &time);
        return Seconds(time.tv_sec) + Seconds(time.tv_nsec) / 1e9;
    }
};

} // namespace tivren
