// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/idle/MutterIdleDetector.h"

#include "platform/idle/AsyncDBusCall.h"

using namespace Qt::StringLiterals;

namespace tivren {

MutterIdleDetector::MutterIdleDetector(
    QDBusConnection bus, const Clock& clock, std::chrono::milliseconds interval, QObject* parent)
    : PollingIdleDetector(clock, interval, parent)
    , m_bus(std::move(bus))
{
}

QString MutterIdleDetector::mechanism() const
{
    return u"mutter"_s;
}

template <typename Handler> void MutterIdleDetector::askIdleTime(Handler handler)
{
    const QDBusMessage call = QDBusMessage::createMethodCall(u"org.gnome.Mutter.IdleMonitor"_s,
        u"/org/gnome/Mutter/IdleMonitor/Core"_s,
        u"org.gnome.Mutter.IdleMonitor"_s,
        u"GetIdletime"_s);
    callAsync(m_bus, call, this, [handler = std::move(handler)](const QDBusMessage& reply) mutable {
        const QVariant value = reply.arguments().value(0);
        const bool answered =
            reply.type() == QDBusMessage::ReplyMessage && value.metaType() == QMetaType::fromType<qulonglong>();
        handler(answered ? std::optional<Seconds>(Seconds(value.toULongLong()) / 1000) : std::nullopt);
    });
}

void MutterIdleDetector::probe()
{
    askIdleTime([this](std::optional<Seconds> idle) {
        setProbed(idle.has_value());
    });
}

void MutterIdleDetector::requestIdleTime()
{
    askIdleTime([this](std::optional<Seconds> idle) {
        if (idle)
            idleTimeArrived(*idle);
        else
            requestFailed();
    });
}

} // namespace tivren
