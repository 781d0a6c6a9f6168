// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The desktop's side of notifications for tests on a private bus: a freedesktop notification
// server reduced to Notify, and a sound player that only counts.
#include "app/services/SoundPlayer.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QVariantMap>

namespace tivren::testing {

// Answers Notify with ids from 1001 on (unlike any counter a client could keep itself) and records
// the arguments, hints as a map; records the ids CloseNotification names; GetCapabilities lists
// capabilities. Its own bus connection makes it a sender of its own, as a real server is; the
// connection outlives the server and serves the next one.
class FakeNotificationServer : public QDBusVirtualObject
{
public:
    static inline const QString service = QStringLiteral("org.freedesktop.Notifications");
    static inline const QString path = QStringLiteral("/org/freedesktop/Notifications");

    ~FakeNotificationServer() override { bus.unregisterService(service); } // returns once the name is free
    bool handleMessage(const QDBusMessage& call, const QDBusConnection& connection) override
    {
        if (call.member() == QLatin1StringView("GetCapabilities"))
            return connection.send(call.createReply(capabilities));
        if (call.member() == QLatin1StringView("CloseNotification")) {
            closed.append(call.arguments().value(0).toUInt());
            return connection.send(call.createReply());
        }
        calls.append(call.arguments());
        calls.last()[6] = qdbus_cast<QVariantMap>(calls.last()[6]);
        return connection.send(call.createReply(1000u + uint(calls.size())));
    }

    QString introspect(const QString&) const override { return {}; }

    // A signal of the server's interface, e.g. ActionInvoked(id, action) or NotificationClosed(id, reason).
    static QDBusMessage signal(const QString& name, uint id, const QVariant& argument)
    {
        return QDBusMessage::createSignal(path, service, name) << id << argument;
    }

    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-server"));
    const bool registered = bus.registerVirtualObject(path, this) && bus.registerService(service);
    QList<QVariantList> calls; // the arguments of every Notify
    QList<uint> closed; // the ids of every CloseNotification
    QStringList capabilities { QStringLiteral("body"), QStringLiteral("actions") };
};

class CountingSoundPlayer final : public SoundPlayer
{
public:
    void playPhaseSound() override { ++plays; }
    int plays = 0;
};

} // namespace tivren::testing
