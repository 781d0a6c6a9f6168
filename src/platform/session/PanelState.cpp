// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/session/PanelState.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tivren::PanelProperties {
namespace {

// Instants on the bus are whole seconds since 1970.
qint64 wholeSeconds(Instant instant)
{
    return std::isfinite(instant) ? qint64(std::floor(instant)) : 0;
}

} // namespace

qint64 elapsedSeconds(const PanelState& state, Instant now)
{
    return state.tracking ? wholeSeconds(std::max(0.0, now - state.trackingSince)) : 0;
}

qint64 phaseRemainingSeconds(const PanelState& state, Instant now)
{
    if (state.phase.isEmpty())
        return 0;
    const Seconds left = std::clamp(state.phaseDuration - (now - state.phaseStart), 0.0, state.phaseDuration);
    return std::isfinite(left) ? qint64(std::ceil(left)) : 0;
}

QVariantMap all(const PanelState& state, Instant now)
{
    return {
        { u"Tracking"_s, state.tracking },
        { u"ProjectName"_s, state.projectName },
        { u"ElapsedSeconds"_s, elapsedSeconds(state, now) },
        { u"TrackingSince"_s, state.tracking ? wholeSeconds(state.trackingSince) : qint64(0) },
        { u"Phase"_s, state.phase },
        { u"PhaseRemainingSeconds"_s, phaseRemainingSeconds(state, now) },
        { u"PhaseEndsAt"_s, state.phase.isEmpty() ? qint64(0) : wholeSeconds(state.phaseStart + state.phaseDuration) },
    };
}

QVariantMap changed(const PanelState& before, const PanelState& after, Instant now)
{
    const QVariantMap old = all(before, now);
    QVariantMap current = all(after, now);
    bool anything = false;
    for (auto it = current.begin(); it != current.end();) {
        const bool counter = it.key() == u"ElapsedSeconds"_s || it.key() == u"PhaseRemainingSeconds"_s;
        if (counter || old.value(it.key()) != it.value()) {
            anything = anything || !counter;
            ++it;
        } else {
            it = current.erase(it);
        }
    }
    return anything ? current : QVariantMap {};
}

} // namespace tivren::PanelProperties
