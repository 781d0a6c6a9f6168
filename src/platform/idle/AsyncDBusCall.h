// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QObject>

#include <utility>

namespace tivren {

// A desktop service that does not answer within this is taken as not answering at all.
constexpr int idleCallTimeoutMsecs = 5000;

// Calls without waiting; `handler` gets the reply (or error) message on context's thread, and
// never after context is gone.
template <typename Handler>
void callAsync(const QDBusConnection& bus, const QDBusMessage& call, QObject* context, Handler handler)
{
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, idleCallTimeoutMsecs), context);
    QObject::connect(
        watcher, &QDBusPendingCallWatcher::finished, context, [watcher, handler = std::move(handler)]() mutable {
            watcher->deleteLater();
            handler(watcher->reply());
        });
}

} // namespace tivren
