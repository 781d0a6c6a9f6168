// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's notification server on a journey's private bus, writing a line to LOG for every
// Notify ("<id> <summary> <body>") and CloseNotification ("closed <id>"); with --tray also a
// panel's StatusNotifierWatcher, writing "item <service>" for the item that registers. A journey
// clicks a notification's button with
//   dbus-send --session --dest=org.freedesktop.Notifications /journey
//       org.tivren.JourneyServer.InvokeAction uint32:ID string:ACTION
// which the server sends as ActionInvoked from its own connection, as a real server does.
//   journey_notification_server LOG [--tray]
#include "support/FakeNotificationServer.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

using namespace Qt::StringLiterals;
using namespace tivren::testing;

namespace {

QFile s_log;

void writeLine(const QString& line)
{
    s_log.write(line.toUtf8() + '\n');
    s_log.flush();
}

class LoggingNotificationServer : public FakeNotificationServer
{
public:
    bool handleMessage(const QDBusMessage& call, const QDBusConnection& connection) override
    {
        const QVariantList arguments = call.arguments();
        const bool handled = FakeNotificationServer::handleMessage(call, connection);
        if (call.member() == u"Notify"_s)
            writeLine(QString::number(1000 + calls.size()) + u' ' + arguments.value(3).toString() + u' '
                + arguments.value(4).toString());
        else if (call.member() == u"CloseNotification"_s)
            writeLine(u"closed "_s + QString::number(arguments.value(0).toUInt()));
        return handled;
    }
};

// What a person's click on a notification's button makes the server do.
class JourneyControl : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tivren.JourneyServer")

public:
    explicit JourneyControl(QDBusConnection bus)
        : m_bus(std::move(bus))
    {
    }

public Q_SLOTS:
    void InvokeAction(uint id, const QString& action)
    {
        m_bus.send(FakeNotificationServer::signal(u"ActionInvoked"_s, id, action));
    }

private:
    QDBusConnection m_bus;
};

// As much of a panel's StatusNotifierWatcher as Qt's tray icon asks for.
class StatusNotifierWatcher : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)

public:
    bool isHostRegistered() const { return true; }

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString& service) { writeLine(u"item "_s + service); }
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    LoggingNotificationServer server;
    s_log.setFileName(QString::fromLocal8Bit(argc > 1 ? argv[1] : ""));
    StatusNotifierWatcher watcher;
    JourneyControl control(server.bus);
    const auto exported = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties;
    QDBusConnection bus = QDBusConnection::sessionBus();
    const bool tray = argc > 2 && qstrcmp(argv[2], "--tray") == 0;
    if (!s_log.open(QIODevice::WriteOnly | QIODevice::Append) || !server.registered
        || !server.bus.registerObject(u"/journey"_s, &control, QDBusConnection::ExportAllSlots)
        || (tray
            && !(bus.registerObject(u"/StatusNotifierWatcher"_s, &watcher, exported)
                && bus.registerService(u"org.kde.StatusNotifierWatcher"_s)))) {
        std::fprintf(stderr, "usage: journey_notification_server LOG [--tray] (on a bus of its own)\n");
        return 1;
    }
    return QCoreApplication::exec();
}

#include "journey_notification_server.moc"
