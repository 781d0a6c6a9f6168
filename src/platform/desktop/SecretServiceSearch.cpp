// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/SecretServiceSearch.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <qcoro/qcorosignal.h>

#include <utility>

using namespace Qt::StringLiterals;

namespace tivren {

QCoro::Task<QDBusMessage> sessionBusAnswer(QDBusMessage call, std::chrono::milliseconds timeLimit)
{
    QDBusPendingCallWatcher watcher(QDBusConnection::sessionBus().asyncCall(call, int(timeLimit.count())));
    if (!watcher.isFinished()) {
        auto answering = qCoro(&watcher, &QDBusPendingCallWatcher::finished);
        co_await answering;
    }
    co_return watcher.reply();
}

QCoro::Task<Expected<SecretServiceItems, QDBusError>> searchSecretService(
    QString service, QString account, std::chrono::milliseconds timeLimit)
{
    QDBusMessage search = QDBusMessage::createMethodCall(u"org.freedesktop.secrets"_s,
        u"/org/freedesktop/secrets"_s,
        u"org.freedesktop.Secret.Service"_s,
        u"SearchItems"_s);
    // The attributes QtKeychain gives its items in the Secret Service, as a{ss}.
    const QList<std::pair<QString, QString>> attributes {
        { u"server"_s, service }, { u"user"_s, account }, { u"xdg:schema"_s, u"org.qt.keychain"_s }
    };
    QDBusArgument map;
    map.beginMap(QMetaType::fromType<QString>(), QMetaType::fromType<QString>());
    for (const auto& [name, value] : attributes) {
        map.beginMapEntry();
        map << name << value;
        map.endMapEntry();
    }
    map.endMap();
    search << QVariant::fromValue(map);
    auto answering = sessionBusAnswer(search, timeLimit);
    const QDBusPendingReply<QList<QDBusObjectPath>, QList<QDBusObjectPath>> reply =
        QDBusPendingCall::fromCompletedCall(co_await std::move(answering));
    if (!reply.isValid())
        co_return Unexpected(reply.error());
    co_return SecretServiceItems { reply.argumentAt<0>(), reply.argumentAt<1>() };
}

} // namespace tivren
