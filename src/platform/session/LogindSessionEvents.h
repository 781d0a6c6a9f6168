// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/services/SessionEvents.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QString>
#include <QStringList>

class QDBusMessage;

namespace tivren {

class Clock;

// Sleep and the screen lock as systemd-logind tells them on the system bus: the manager's
// PrepareForSleep, and Lock and Unlock of the session Tivren runs in (looked up by process id,
// else by XDG_SESSION_ID, else as logind's "auto"), as well as its LockedHint: GNOME and KDE lock
// the screen themselves and only set the hint, while Lock is logind asking them to lock. Only signals sent by logind
// itself count. Every bus call is asynchronous; without a system bus or logind nothing is ever reported. Takes no
// inhibitor lock: the timer needs nothing done before the computer sleeps.
class LogindSessionEvents final : public SessionEvents
{
    Q_OBJECT

public:
    LogindSessionEvents(QDBusConnection bus, const Clock& clock, QObject* parent = nullptr);

private Q_SLOTS:
    void onPrepareForSleep(bool start, const QDBusMessage& message);
    void onLock(const QDBusMessage& message);
    void onUnlock(const QDBusMessage& message);
    void onSessionPropertiesChanged(const QString& interface,
        const QVariantMap& changed,
        const QStringList& invalidated,
        const QDBusMessage& message);

private:
    void findLogind();
    // Tries the ways of naming our session from `attempt` on, until one answers with its path.
    void findSession(int attempt);
    void followSession(const QString& path);
    [[nodiscard]] bool fromLogind(const QDBusMessage& message) const;
    // Reports a lock or an unlock once, however many ways logind tells it.
    void setLocked(bool locked);

    QDBusConnection m_bus;
    const Clock& m_clock;
    QDBusServiceWatcher m_watcher;
    QString m_logind; // logind's unique name on the bus, once known
    QString m_sessionPath;
    bool m_locked = false;
};

} // namespace tivren
