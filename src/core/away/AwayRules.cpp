// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/away/AwayRules.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tivren {

QString rawValue(AwayAnswer answer)
{
    switch (answer) {
    case AwayAnswer::keep:
        return u"keep"_s;
    case AwayAnswer::discard:
        return u"discard"_s;
    case AwayAnswer::stop:
        return u"stop"_s;
    }
    return {};
}

std::optional<AwayAnswer> awayAnswerFromRawValue(QStringView raw)
{
    for (const AwayAnswer answer : { AwayAnswer::keep, AwayAnswer::discard, AwayAnswer::stop }) {
        if (raw == rawValue(answer))
            return answer;
    }
    return std::nullopt;
}

namespace AwayRules {

Seconds threshold(int minutes)
{
    return std::clamp(minutes, 5, 120) * 60.0;
}

std::optional<AwayQuestion> question(Instant sessionStart, Instant idleSince, Instant returned, Seconds threshold)
{
    // Idleness that began before the timer started does not make the timer's time away.
    const Instant since = std::max(sessionStart, idleSince);
    if (returned - since <= threshold)
        return std::nullopt;
    return AwayQuestion { since, returned };
}

int minutes(const AwayQuestion& question)
{
    return int(std::floor(std::max(0.0, question.until - question.since) / 60));
}

bool concerns(const AwayQuestion& question, const std::optional<ActiveTimerSession>& session)
{
    return session && session->startDate <= question.since;
}

AwayOutcome outcome(const ActiveTimerSession& session, const AwayQuestion& question, AwayAnswer answer, Instant now)
{
    if (answer == AwayAnswer::keep)
        return { std::nullopt, session, false };
    // A session that was idle from its first second leaves nothing worth an entry.
    std::optional<InstantRange> recorded;
    if (question.since > session.startDate)
        recorded = InstantRange { session.startDate, question.since };
    std::optional<ActiveTimerSession> next;
    if (answer == AwayAnswer::discard)
        next = ActiveTimerSession { session.projectID, now };
    return { recorded, next, true };
}

} // namespace AwayRules
} // namespace tivren
