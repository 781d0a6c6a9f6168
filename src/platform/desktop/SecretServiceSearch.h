// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Expected.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QList>
#include <QString>
#include <qcoro/qcorotask.h>

#include <chrono>

namespace tivren {

// The Secret Service's items under the names QtKeychain stores a secret with.
struct SecretServiceItems
{
    QList<QDBusObjectPath> unlocked;
    QList<QDBusObjectPath> locked;
};

// Searches the Secret Service on the session bus without unlocking or prompting anything; the
// bus's error when it gives no answer (none running: ServiceUnknown) or none in time.
[[nodiscard]] QCoro::Task<Expected<SecretServiceItems, QDBusError>> searchSecretService(
    QString service, QString account, std::chrono::milliseconds timeLimit);

// The answer to a call on the session bus, awaited without blocking; an error message when the
// call fails or times out.
[[nodiscard]] QCoro::Task<QDBusMessage> sessionBusAnswer(QDBusMessage call, std::chrono::milliseconds timeLimit);

} // namespace tivren
