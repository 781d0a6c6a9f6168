// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Expected.h"

#include <QByteArray>
#include <QString>
#include <qcoro/qcorotask.h>

#include <optional>

namespace tivren {

struct SecretStoreError
{
    enum class Kind
    {
        locked, // the item is there, but the keyring is locked (and was not unlocked when asked)
        timedOut, // no answer in time, e.g. a locked keyring waiting at its unlock prompt
        failed, // detail: the keyring's own words (none running, access denied, ...)
    };
    Kind kind;
    QString detail;

    bool operator==(const SecretStoreError&) const = default;
};

// The user's keyring (the Secret Service on Linux): one secret per service and account name.
// Every call ends, with a result or an error; none falls back to storing anything in plain text.
class SecretStore
{
public:
    virtual ~SecretStore() = default;

    // The secret, or nothing when no item exists under these names.
    [[nodiscard]] virtual QCoro::Task<Expected<std::optional<QByteArray>, SecretStoreError>> read(
        QString service, QString account) = 0;
    // Adds the item or replaces its secret.
    [[nodiscard]] virtual QCoro::Task<Expected<Done, SecretStoreError>> write(
        QString service, QString account, QByteArray secret) = 0;
    // Afterwards no item exists; removing a missing item is done as well.
    [[nodiscard]] virtual QCoro::Task<Expected<Done, SecretStoreError>> remove(QString service, QString account) = 0;
};

} // namespace tivren
