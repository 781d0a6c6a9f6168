// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/session/LogindSessionEvents.h"

#include "app/model/Clock.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QLoggingCategory>
#include <QVariantMap>

#include <utility>

using namespace Qt::StringLiterals;

namespace tivren {

namespace {

// Quiet unless asked for (QT_LOGGING_RULES="SessionEvents.debug=true"): most of it says what is missing.
Q_LOGGING_CATEGORY(lcSession, "SessionEvents", QtInfoMsg)

const QString logindService = u"org.freedesktop.login1"_s;
const QString managerPath = u"/org/freedesktop/login1"_s;
const QString managerInterface = u"org.freedesktop.login1.Manager"_s;
const QString sessionInterface = u"org.freedesktop.login1.Session"_s;

QDBusMessage managerCall(const QString& method)
{
    return QDBusMessage::createMethodCall(logindService, managerPath, managerInterface, method);
}

// The ways of asking logind for our session, most exact first.
QList<QDBusMessage> sessionLookups()
{
    QList<QDBusMessage> lookups { managerCall(u"GetSessionByPID"_s) << uint(QCoreApplication::applicationPid()) };
    if (const QString id = qEnvironmentVariable("XDG_SESSION_ID"); !id.isEmpty())
        lookups.append(managerCall(u"GetSession"_s) << id);
    lookups.append(managerCall(u"GetSession"_s) << u"auto"_s);
    return lookups;
}

} // namespace

LogindSessionEvents::LogindSessionEvents(QDBusConnection bus, const Clock& clock, QObject* parent)
    : SessionEvents(parent)
    , m_bus(std::move(bus))
    , m_clock(clock)
{
    if (!m_bus.isConnected()) {
        qCDebug(lcSession, "No system bus: sleep and the screen lock go unnoticed");
        return;
    }
    // No sender name in the match: Qt would look its owner up with a blocking call. The sender is
    // checked against logind's unique name instead, followed as logind comes and goes.
    m_bus.connect(QString(),
        managerPath,
        managerInterface,
        u"PrepareForSleep"_s,
        this,
        SLOT(onPrepareForSleep(bool, QDBusMessage)));
    m_watcher.setConnection(m_bus);
    m_watcher.setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
    m_watcher.addWatchedService(logindService);
    connect(&m_watcher,
        &QDBusServiceWatcher::serviceOwnerChanged,
        this,
        [this](const QString&, const QString&, const QString& owner) {
            m_logind = owner;
            if (!owner.isEmpty() && m_sessionPath.isEmpty())
                findSession(0);
        });
    findLogind();
}

void LogindSessionEvents::findLogind()
{
    auto* call = new QDBusPendingCallWatcher(
        m_bus.asyncCall(
            QDBusMessage::createMethodCall(
                u"org.freedesktop.DBus"_s, u"/org/freedesktop/DBus"_s, u"org.freedesktop.DBus"_s, u"GetNameOwner"_s)
            << logindService),
        this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* self) {
        self->deleteLater();
        const QDBusPendingReply<QString> owner = *self;
        if (!owner.isValid()) {
            qCDebug(lcSession, "logind is not on the system bus: sleep and the screen lock go unnoticed");
            return;
        }
        if (m_logind.isEmpty())
            m_logind = owner.value();
        if (m_sessionPath.isEmpty())
            findSession(0);
    });
}

void LogindSessionEvents::findSession(int attempt)
{
    const QList<QDBusMessage> lookups = sessionLookups();
    if (attempt >= lookups.size()) {
        qCDebug(lcSession, "logind knows no session of Tivren's: the screen lock goes unnoticed");
        return;
    }
    auto* call = new QDBusPendingCallWatcher(m_bus.asyncCall(lookups[attempt]), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, attempt](QDBusPendingCallWatcher* self) {
        self->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> path = *self;
        if (!m_sessionPath.isEmpty())
            return; // found meanwhile (logind came back while a lookup was under way)
        if (path.isValid() && !path.value().path().isEmpty())
            followSession(path.value().path());
        else
            findSession(attempt + 1);
    });
}

void LogindSessionEvents::followSession(const QString& path)
{
    m_sessionPath = path;
    m_bus.connect(QString(), path, sessionInterface, u"Lock"_s, this, SLOT(onLock(QDBusMessage)));
    m_bus.connect(QString(), path, sessionInterface, u"Unlock"_s, this, SLOT(onUnlock(QDBusMessage)));
    m_bus.connect(QString(),
        path,
        u"org.freedesktop.DBus.Properties"_s,
        u"PropertiesChanged"_s,
        this,
        SLOT(onSessionPropertiesChanged(QString, QVariantMap, QStringList, QDBusMessage)));
    qCDebug(lcSession, "Following the screen lock of session %s", qPrintable(path));
}

bool LogindSessionEvents::fromLogind(const QDBusMessage& message) const
{
    return !m_logind.isEmpty() && message.service() == m_logind;
}

void LogindSessionEvents::onPrepareForSleep(bool start, const QDBusMessage& message)
{
    if (!fromLogind(message))
        return;
    const Instant now = m_clock.now();
    qCDebug(lcSession, start ? "Going to sleep at %.3f" : "Woke up at %.3f", now);
    if (start)
        Q_EMIT preparingForSleep(now);
    else
        Q_EMIT resumed(now);
}

void LogindSessionEvents::onLock(const QDBusMessage& message)
{
    if (fromLogind(message))
        setLocked(true);
}

void LogindSessionEvents::onUnlock(const QDBusMessage& message)
{
    if (fromLogind(message))
        setLocked(false);
}

void LogindSessionEvents::onSessionPropertiesChanged(
    const QString& interface, const QVariantMap& changed, const QStringList&, const QDBusMessage& message)
{
    const QVariant hint = changed.value(u"LockedHint"_s);
    if (fromLogind(message) && interface == sessionInterface && hint.metaType() == QMetaType::fromType<bool>())
        setLocked(hint.toBool());
}

void LogindSessionEvents::setLocked(bool locked)
{
    if (std::exchange(m_locked, locked) == locked)
        return;
    const Instant now = m_clock.now();
    qCDebug(lcSession, locked ? "Locked at %.3f" : "Unlocked at %.3f", now);
    if (locked)
        Q_EMIT this->locked(now);
    else
        Q_EMIT unlocked(now);
}

} // namespace tivren
