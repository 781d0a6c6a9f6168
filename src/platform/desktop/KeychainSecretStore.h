// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/services/SecretStore.h"

#include <chrono>

namespace tivren {

// The Secret Service (GNOME Keyring, KWallet) through QtKeychain. Each call waits at most the time
// limit: a locked keyring whose unlock prompt nobody answers, or a keyring that never replies,
// gives timedOut instead of a hang. Nothing is ever written anywhere else.
class KeychainSecretStore final : public SecretStore
{
public:
    explicit KeychainSecretStore(std::chrono::milliseconds timeLimit = std::chrono::seconds(30));

    QCoro::Task<Expected<std::optional<QByteArray>, SecretStoreError>> read(QString service, QString account) override;
    QCoro::Task<Expected<Done, SecretStoreError>> write(QString service, QString account, QByteArray secret) override;
    QCoro::Task<Expected<Done, SecretStoreError>> remove(QString service, QString account) override;

private:
    std::chrono::milliseconds m_timeLimit;
};

} // namespace tivren
