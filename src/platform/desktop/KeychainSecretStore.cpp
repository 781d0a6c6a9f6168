// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/KeychainSecretStore.h"

#include "platform/desktop/SecretServiceSearch.h"

#include <qcoro/qcorosignal.h>
#include <qt6keychain/keychain.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

// Starts the job and waits at most timeLimit for it. A job that does not finish in time is left
// running and deletes itself once it does finish, so a late answer of the keyring never reaches
// freed memory.
QCoro::Task<bool> finishedInTime(std::unique_ptr<QKeychain::Job>& job, std::chrono::milliseconds timeLimit)
{
    job->setAutoDelete(false);
    job->setInsecureFallback(false); // never a plain-text file when no keyring is there
    job->start();
    auto finishing = qCoro(job.get(), &QKeychain::Job::finished, timeLimit);
    const auto finished = co_await std::move(finishing);
    if (finished)
        co_return true;
    QKeychain::Job* running = job.release();
    QObject::connect(running, &QKeychain::Job::finished, running, &QObject::deleteLater);
    co_return false;
}

// QtKeychain reports an item of a locked keyring as missing when reading, and as deleted when
// deleting, once the unlock prompt is dismissed or cannot be shown. The Secret Service itself
// tells locked items apart; without a Secret Service on the bus (KWallet's own interface) there
// is nothing to ask and QtKeychain's answer stands.
QCoro::Task<bool> hasLockedItem(QString service, QString account, std::chrono::milliseconds timeLimit)
{
    auto searching = searchSecretService(std::move(service), std::move(account), timeLimit);
    const auto found = co_await std::move(searching);
    co_return found && !found->locked.isEmpty();
}

const SecretStoreError timedOut { SecretStoreError::Kind::timedOut, {} };
const SecretStoreError locked { SecretStoreError::Kind::locked, {} };

SecretStoreError failure(const QKeychain::Job& job)
{
    return { SecretStoreError::Kind::failed,
        job.errorString().isEmpty() ? u"error %1"_s.arg(int(job.error())) : job.errorString() };
}

} // namespace

KeychainSecretStore::KeychainSecretStore(std::chrono::milliseconds timeLimit)
    : m_timeLimit(timeLimit)
{
}

QCoro::Task<Expected<std::optional<QByteArray>, SecretStoreError>> KeychainSecretStore::read(
    QString service, QString account)
{
    auto* reading = new QKeychain::ReadPasswordJob(service);
    std::unique_ptr<QKeychain::Job> job(reading);
    job->setKey(account);
    auto waiting = finishedInTime(job, m_timeLimit);
    if (!co_await std::move(waiting))
        co_return Unexpected(timedOut);
    if (job->error() == QKeychain::EntryNotFound) {
        auto checking = hasLockedItem(service, account, m_timeLimit);
        if (co_await std::move(checking))
            co_return Unexpected(locked);
        co_return std::optional<QByteArray>();
    }
    if (job->error() != QKeychain::NoError)
        co_return Unexpected(failure(*job));
    co_return std::optional<QByteArray>(reading->binaryData());
}

QCoro::Task<Expected<Done, SecretStoreError>> KeychainSecretStore::write(
    QString service, QString account, QByteArray secret)
{
    auto* writing = new QKeychain::WritePasswordJob(service);
    std::unique_ptr<QKeychain::Job> job(writing);
    job->setKey(account);
    writing->setBinaryData(secret);
    auto waiting = finishedInTime(job, m_timeLimit);
    if (!co_await std::move(waiting))
        co_return Unexpected(timedOut);
    if (job->error() != QKeychain::NoError)
        co_return Unexpected(failure(*job));
    co_return Done {};
}

QCoro::Task<Expected<Done, SecretStoreError>> KeychainSecretStore::remove(QString service, QString account)
{
    std::unique_ptr<QKeychain::Job> job(new QKeychain::DeletePasswordJob(service));
    job->setKey(account);
    auto waiting = finishedInTime(job, m_timeLimit);
    if (!co_await std::move(waiting))
        co_return Unexpected(timedOut);
    // Nothing to delete is as good as deleted, unless the item is only hidden by a lock.
    if (job->error() != QKeychain::NoError && job->error() != QKeychain::EntryNotFound)
        co_return Unexpected(failure(*job));
    auto checking = hasLockedItem(service, account, m_timeLimit);
    if (co_await std::move(checking))
        co_return Unexpected(locked);
    co_return Done {};
}

} // namespace tivren
