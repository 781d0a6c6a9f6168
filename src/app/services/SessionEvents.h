// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/time/Instant.h"

#include <QObject>

namespace tivren {

// Tells when the computer goes to sleep and wakes up again, and when the user's session is locked
// and unlocked, each with the instant by the wall clock at which it was heard of.
class SessionEvents : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

Q_SIGNALS:
    void preparingForSleep(Instant at);
    void resumed(Instant at);
    void locked(Instant at);
    void unlocked(Instant at);
};

} // namespace tivren
