// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/time/Instant.h"

#include <QObject>

namespace tivren {

// Tells when the user stops and starts using the computer again, through whatever the desktop
// offers. Watched only while a timer runs, so nothing polls the desktop otherwise.
class IdleMonitor : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Whether this desktop lets Tivren know about idleness at all; may turn true only once the
    // desktop has been asked (availabilityChanged).
    [[nodiscard]] virtual bool isAvailable() const = 0;
    // Reports becameIdle once the user has been idle for threshold, and becameActive when they come
    // back; replaces an earlier watch.
    virtual void watch(Seconds threshold) = 0;
    virtual void stopWatching() = 0;

Q_SIGNALS:
    void becameIdle(Instant since);
    void becameActive(Instant at);
    // isAvailable() changed (a desktop's detector may answer only some time after the start).
    void availabilityChanged();
};

} // namespace tivren
