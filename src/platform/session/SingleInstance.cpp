// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/session/SingleInstance.h"

#include "platform/session/ControlService.h"

#include <QDBusMessage>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

constexpr int retryMsecs = 100;
constexpr int lockPollMsecs = 250;
constexpr int unreadableLockMsecs = 2000;

QString systemReason(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

// Makes every missing folder on the way to path with mode 0700: the data is nobody's business but
// the user's. Folders that exist keep their mode.
Expected<Done, DataFolderError> createPrivateFolders(const QString& path)
{
    const QString absolute = QDir::cleanPath(QDir(path).absolutePath());
    const QStringList parts = absolute.split(u'/', Qt::SkipEmptyParts);
    QString current;
    for (const QString& part : parts) {
        current += u'/' + part;
        const QByteArray name = QFile::encodeName(current);
        if (::mkdir(name.constData(), 0700) == 0) {
            ::chmod(name.constData(), 0700); // whatever the umask took away
            continue;
        }
        const int error = errno;
        struct stat existing
        {
        };
        if (error == EEXIST && ::stat(name.constData(), &existing) == 0 && S_ISDIR(existing.st_mode))
            continue;
        return Unexpected(DataFolderError { DataFolderError::Kind::notWritable, absolute, systemReason(error) });
    }
    return Done {};
}

// QLockFile never takes a lock file that names no process for stale: one left empty by a crash or a
// power cut between its creation and its first write would keep Tivren out for good. A writer fills
// it at once, so one that has said nothing for a while is such a leftover.
void removeUnreadableLock(QLockFile& lock, const QString& path)
{
    qint64 pid = 0;
    QString hostname;
    QString application;
    const QFileInfo info(path);
    if (!info.exists() || lock.getLockInfo(&pid, &hostname, &application))
        return;
    if (qAbs(info.lastModified().msecsTo(QDateTime::currentDateTime())) >= unreadableLockMsecs)
        lock.removeStaleLockFile();
}

// The running Tivren's own answer that it will not do what was asked; while it is still loading
// its data, it will once it has.
bool isRefusal(const QDBusMessage& reply)
{
    return reply.type() == QDBusMessage::ErrorMessage
        && reply.errorName().startsWith(QLatin1String(ControlBus::errorPrefix))
        && reply.errorName() != QLatin1String(ControlBus::loadingError);
}

} // namespace

SingleInstance::SingleInstance(QDBusConnection bus, QString dataFolder, Limits limits)
    : m_bus(std::move(bus))
    , m_dataFolder(std::move(dataFolder))
    , m_limits(limits)
{
}

SingleInstance::SingleInstance(QDBusConnection bus, QString dataFolder)
    : SingleInstance(std::move(bus), std::move(dataFolder), Limits {})
{
}

SingleInstance::~SingleInstance()
{
    releaseBusName();
    unlockDataFolder();
}

Expected<SingleInstance::Role, QString> SingleInstance::claimBusName(const QString& handOverMethod)
{
    if (!m_bus.isConnected())
        return Role::first;
    const QString service = QString::fromLatin1(ControlService::serviceName);
    const QDBusMessage handOver = QDBusMessage::createMethodCall(service,
        QString::fromLatin1(ControlService::objectPath),
        QString::fromLatin1(ControlService::interfaceName),
        handOverMethod);
    // The owner may be running (it answers), quitting (it gives the name up soon), or starting (its
    // methods are not there yet, or it is still loading its data): ask again until one of them
    // happens, or time runs out.
    const QDeadlineTimer deadline(m_limits.busNameMsecs);
    while (true) {
        if (m_bus.registerService(service)) {
            m_ownsBusName = true;
            return Role::first;
        }
        const int wait = int(std::min<qint64>(m_limits.showMsecs, std::max<qint64>(deadline.remainingTime(), 1)));
        const QDBusMessage reply = m_bus.call(handOver, QDBus::Block, wait);
        if (reply.type() == QDBusMessage::ReplyMessage)
            return Role::handedOver;
        if (isRefusal(reply))
            return Unexpected(reply.errorMessage());
        if (deadline.hasExpired()) {
            return Unexpected(u"Tivren is already running for this user but did not answer for %1 s; "
                              "try again once it has quit."_s.arg(m_limits.busNameMsecs / 1000));
        }
        QThread::msleep(retryMsecs);
    }
}

Expected<Done, DataFolderError> SingleInstance::lockDataFolder()
{
    if (auto created = createPrivateFolders(m_dataFolder); !created)
        return created;
    const QString path = m_dataFolder + u"/tivren.lock"_s;
    m_lock = std::make_unique<QLockFile>(path);
    m_lock->setStaleLockTime(0); // a lock whose process is gone is stale; a live one never is
    const QDeadlineTimer deadline(m_limits.lockMsecs);
    while (!m_lock->tryLock(lockPollMsecs) && m_lock->error() == QLockFile::LockFailedError && !deadline.hasExpired())
        removeUnreadableLock(*m_lock, path);
    if (m_lock->isLocked()) {
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return Done {};
    }
    const QLockFile::LockError error = m_lock->error();
    m_lock.reset();
    if (error == QLockFile::LockFailedError) {
        return Unexpected(DataFolderError { DataFolderError::Kind::held,
            m_dataFolder,
            u"Tivren is already running for this user (%1 is locked)."_s.arg(m_dataFolder) });
    }
    // The lock file could not be made: say what the system says about writing in the folder.
    const QString reason = ::access(QFile::encodeName(m_dataFolder).constData(), W_OK) == 0
        ? u"the lock file %1 could not be made"_s.arg(path)
        : systemReason(errno);
    return Unexpected(DataFolderError { DataFolderError::Kind::notWritable, m_dataFolder, reason });
}

void SingleInstance::releaseBusName()
{
    if (!m_ownsBusName)
        return;
    m_ownsBusName = false;
    m_bus.unregisterService(QString::fromLatin1(ControlService::serviceName));
}

void SingleInstance::unlockDataFolder()
{
    m_lock.reset(); // unlocks
}

} // namespace tivren
