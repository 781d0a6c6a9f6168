// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/away/IdleSampling.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tivren {

namespace {

// How far the inferred start of idleness may wander between samples before it counts as the
// clock being set: answers in whole seconds and the time a reply takes move it a little.
constexpr Seconds startTolerance = 2;
// Never sample more often than this, however near the threshold.
constexpr Seconds shortestWait = 0.5;

} // namespace

IdleChanges IdleSampling::sample(Instant now, Seconds idle)
{
    idle = std::max<Seconds>(0, idle);
    IdleChanges changes;
    const std::optional<Seconds> lastIdle = std::exchange(m_lastIdle, idle);
    const Instant start = now - idle;
    if (m_idleSince && lastIdle && idle < *lastIdle) {
        // The desktop's counter started again: the user's input reset it `idle` seconds ago.
        changes.cameBack = start;
        m_idleSince.reset();
    }
    if (idle < m_threshold)
        return changes;
    if (!m_idleSince || std::abs(start - *m_idleSince) > startTolerance) {
        m_idleSince = start;
        changes.wentIdle = start;
    }
    return changes;
}

Seconds IdleSampling::nextSampleIn(Seconds regular) const
{
    if (m_idleSince || !m_lastIdle)
        return regular;
    return std::clamp(m_threshold - *m_lastIdle, std::min(shortestWait, regular), regular);
}

std::optional<IdleTimeUnit> idleTimeUnitOf(double growth, Seconds elapsed)
{
    // Seconds that grow by whole steps need a few of them to tell.
    if (elapsed < 2 || growth <= 0)
        return std::nullopt;
    const double rate = growth / elapsed;
    if (rate > 0.5 && rate < 2)
        return IdleTimeUnit::seconds;
    if (rate > 500 && rate < 2000)
        return IdleTimeUnit::milliseconds;
    return std::nullopt;
}

} // namespace tivren
