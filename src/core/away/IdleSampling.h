// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/time/Instant.h"

#include <optional>

namespace tivren {

// What one sample of the desktop's idle time changes: the user came back (at the instant of the
// input that reset the idle time), went idle (since the instant their idleness began), or both,
// in that order.
struct IdleChanges
{
    std::optional<Instant> cameBack;
    std::optional<Instant> wentIdle;

    bool operator==(const IdleChanges&) const = default;
};

// For the detectors that poll the desktop's idle time: turns samples (when asked, how long idle)
// into the moments to report against a threshold.
//
// Returning is seen by the idle time dropping, never by the wall clock: a clock set forward or back
// while the user is away only moves when their idleness began, which is reported again (wentIdle)
// so that the span asked about is measured on the clock as it is now.
class IdleSampling
{
public:
    explicit IdleSampling(Seconds threshold)
        : m_threshold(threshold)
    {
    }

    [[nodiscard]] IdleChanges sample(Instant now, Seconds idle);

    [[nodiscard]] bool isIdle() const { return m_idleSince.has_value(); }

    // How long to wait for the next sample: the regular interval, or less when the threshold is
    // nearer, so that a short time away just over it is not missed.
    [[nodiscard]] Seconds nextSampleIn(Seconds regular) const;

private:
    Seconds m_threshold;
    std::optional<Seconds> m_lastIdle;
    std::optional<Instant> m_idleSince; // reported, on the clock of the last sample
};

// org.freedesktop.ScreenSaver's GetSessionIdleTime has no agreed unit: KDE answers milliseconds,
// LXQt and others seconds. The unit shows in how fast the answer grows while the user is idle.
enum class IdleTimeUnit
{
    milliseconds,
    seconds,
};

// The unit that growth by `growth` over `elapsed` seconds (on a clock that is never set) shows,
// or none when the two fit neither (the user was active meanwhile, too short a wait).
[[nodiscard]] std::optional<IdleTimeUnit> idleTimeUnitOf(double growth, Seconds elapsed);

} // namespace tivren
