// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/ActiveTimerSession.h"
#include "core/records/AwayQuestion.h"

#include <QString>

#include <optional>

namespace tivren {

// What the user decides about time away from a running timer.
enum class AwayAnswer
{
    keep, // the time counts; nothing changes
    discard, // the entry ends when idleness began; a new session of the same project starts now
    stop, // the entry ends when idleness began; no timer runs
};

[[nodiscard]] QString rawValue(AwayAnswer answer);
[[nodiscard]] std::optional<AwayAnswer> awayAnswerFromRawValue(QStringView raw);

// What an answer does to the running session.
struct AwayOutcome
{
    std::optional<InstantRange> recorded; // the entry the session leaves behind, if any
    std::optional<ActiveTimerSession> session; // what runs afterwards
    bool endsPomodoroCycle = false;

    bool operator==(const AwayOutcome&) const = default;
};

namespace AwayRules {

// The threshold of the settings in seconds; a hand-edited file may hold any number of minutes.
[[nodiscard]] Seconds threshold(int minutes);

// The question to ask when the user comes back at `returned` after being idle since `idleSince`
// while the session begun at `sessionStart` ran: the away span never starts before the session,
// and a span no longer than the threshold asks nothing.
[[nodiscard]] std::optional<AwayQuestion> question(
    Instant sessionStart, Instant idleSince, Instant returned, Seconds threshold);

// Whole minutes away, as the question states them.
[[nodiscard]] int minutes(const AwayQuestion& question);

// Whether the question still concerns the session: one started after the user went away is
// another session (the first was stopped or switched meanwhile).
[[nodiscard]] bool concerns(const AwayQuestion& question, const std::optional<ActiveTimerSession>& session);

// What answering does to the session at `now`.
[[nodiscard]] AwayOutcome outcome(
    const ActiveTimerSession& session, const AwayQuestion& question, AwayAnswer answer, Instant now);

} // namespace AwayRules
} // namespace tivren
