// The desktop's notification server on a journey's private bus, writing the summary and body of
// every Notify as a line to LOG; with --tray also a panel's StatusNotifierWatcher.
//   journey_notification_server LOG [--tray]
#include "support/FakeNotificationServer.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

using namespace Qt::StringLiterals;
using namespace tivren::testing;

namespace {

class LoggingNotificationServer : public FakeNotificationServer
{
public:
    QFile log;

    bool handleMessage(const QDBusMessage& call, const QDBusConnection& connection) override
    {
        const QVariantList arguments = call.arguments();
        log.write((arguments.value(3).toString() + u' ' + arguments.value(4).toString()).toUtf8() + '\n');
        log.flush();
        return FakeNotificationServer::handleMessage(call, connection);
    }
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
    void RegisterStatusNotifierItem(const QString& /*service*/) { }
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    LoggingNotificationServer server;
    server.log.setFileName(QString::fromLocal8Bit(argc > 1 ? argv[1] : ""));
    StatusNotifierWatcher watcher;
    const auto exported = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties;
    QDBusConnection bus = QDBusConnection::sessionBus();
    const bool tray = argc > 2 && qstrcmp(argv[2], "--tray") == 0;
    if (!server.log.open(QIODevice::WriteOnly | QIODevice::Append) || !server.registered
        || (tray
            && !(bus.registerObject(u"/StatusNotifierWatcher"_s, &watcher, exported)
                && bus.registerService(u"org.kde.StatusNotifierWatcher"_s)))) {
        std::fprintf(stderr, "usage: journey_notification_server LOG [--tray] (on a bus of its own)\n");
        return 1;
    }
    return QCoreApplication::exec();
}

#include "journey_notification_server.moc"
