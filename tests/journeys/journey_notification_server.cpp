// A stand-in for the desktop's notification server on a journey's private bus: it owns
// org.freedesktop.Notifications and writes every Notify as one line of JSON
// ({"app", "summary", "body", "actions", "hints", "timeout"}) to the file named on its command line.
// With --tray it is a panel's StatusNotifierWatcher as well, so Tivren goes to the tray.
//   journey_notification_server LOG [--tray]
#include <QCoreApplication>
#include <QDBusConnection>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QVariantMap>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

class NotificationServer : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    explicit NotificationServer(QFile& log)
        : m_log(log)
    {
    }

public Q_SLOTS:
    uint Notify(const QString& appName,
        uint /*replacesId*/,
        const QString& /*appIcon*/,
        const QString& summary,
        const QString& body,
        const QStringList& actions,
        const QVariantMap& hints,
        int expireTimeout)
    {
        QJsonObject hintValues;
        // The urgency is a byte on the bus; a number in the log.
        for (auto hint = hints.cbegin(); hint != hints.cend(); ++hint) {
            const bool byte = hint.value().typeId() == QMetaType::UChar;
            hintValues[hint.key()] = QJsonValue::fromVariant(byte ? QVariant(hint.value().toInt()) : hint.value());
        }
        const QJsonObject line { { u"app"_s, appName },
            { u"summary"_s, summary },
            { u"body"_s, body },
            { u"actions"_s, QJsonArray::fromStringList(actions) },
            { u"hints"_s, hintValues },
            { u"timeout"_s, expireTimeout } };
        m_log.write(QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n');
        m_log.flush();
        return ++m_lastId;
    }
    QStringList GetCapabilities() { return { u"body"_s, u"actions"_s }; }
    void CloseNotification(uint /*id*/) { }

private:
    QFile& m_log;
    uint m_lastId = 0;
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
    const bool tray = argc == 3 && qstrcmp(argv[2], "--tray") == 0;
    if (argc != 2 && !tray) {
        std::fprintf(stderr, "usage: journey_notification_server LOG [--tray]\n");
        return 2;
    }
    QFile log(QString::fromLocal8Bit(argv[1]));
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append)) {
        std::fprintf(stderr, "journey_notification_server: cannot write %s\n", argv[1]);
        return 1;
    }
    NotificationServer server(log);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(u"/org/freedesktop/Notifications"_s, &server, QDBusConnection::ExportAllSlots)
        || !bus.registerService(u"org.freedesktop.Notifications"_s)) {
        std::fprintf(stderr, "journey_notification_server: cannot own org.freedesktop.Notifications\n");
        return 1;
    }
    StatusNotifierWatcher watcher;
    if (tray
        && (!bus.registerObject(u"/StatusNotifierWatcher"_s,
                &watcher,
                QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties)
            || !bus.registerService(u"org.kde.StatusNotifierWatcher"_s))) {
        std::fprintf(stderr, "journey_notification_server: cannot own org.kde.StatusNotifierWatcher\n");
        return 1;
    }
    return QCoreApplication::exec();
}

#include "journey_notification_server.moc"
