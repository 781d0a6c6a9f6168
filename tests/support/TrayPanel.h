#pragma once

// A desktop panel on the test's private bus: it serves a StatusNotifierWatcher for tray icons to
// register with, and reads and clicks a tray item's menu over DBusMenu from a connection of its
// own, as a panel does. Needs its own bus (scripts/isolated-run --dbus).
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QTest>
#include <QThread>

#include <optional>

namespace tivren::testing {

class TrayPanel
{
public:
    static constexpr int timeout = 20000;
    static QString menuInterface() { return QStringLiteral("com.canonical.dbusmenu"); }

    // Serves watcher (the panel's StatusNotifierWatcher, answering from a thread of its own since Qt
    // asks it with blocking calls) and tells receiver's slot of every LayoutUpdated from a tray item.
    // Qt asks for a tray once per process: before the first tray icon.
    bool start(QObject* watcher, QObject* receiver, const char* slot)
    {
        watcher->moveToThread(&m_thread);
        QObject::connect(&m_thread, &QThread::finished, watcher, &QObject::deleteLater);
        m_thread.start();
        m_watcherBus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-watcher"));
        m_panel = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-panel"));
        const auto exported = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties;
        return m_watcherBus->registerObject(QStringLiteral("/StatusNotifierWatcher"), watcher, exported)
            && m_watcherBus->registerService(QStringLiteral("org.kde.StatusNotifierWatcher"))
            && m_panel->connect({}, {}, menuInterface(), QStringLiteral("LayoutUpdated"), receiver, slot);
    }

    ~TrayPanel()
    {
        m_panel.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-panel"));
        m_watcherBus.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-watcher"));
        m_thread.quit();
        m_thread.wait();
    }

    // Follows the item that the bus name serves and finds its menu; false when it exports none.
    bool attach(const QString& service)
    {
        m_service = service;
        const QVariantList property { QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("Menu") };
        const QDBusMessage menu = call(QStringLiteral("/StatusNotifierItem"),
            QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("Get"),
            property);
        m_menuPath = qvariant_cast<QDBusVariant>(menu.arguments().value(0)).variant().value<QDBusObjectPath>().path();
        return !m_menuPath.isEmpty() && m_menuPath != QStringLiteral("/");
    }

    // A menu method, answered by the tray on the test's thread while the test waits: never blocking.
    QDBusMessage callMenu(const QString& method, const QVariantList& args)
    {
        return call(m_menuPath, menuInterface(), method, args);
    }

    // The menu's visible top level as the panel draws it, with each line's id in ids.
    QStringList lines(QList<int>* ids = nullptr)
    {
        // The whole tree, every property: (ia{sv}av), the children as variants of the same.
        const QDBusMessage reply = callMenu(QStringLiteral("GetLayout"), { 0, -1, QStringList() });
        QStringList texts;
        if (reply.arguments().size() != 2)
            return texts;
        const QDBusArgument root = qvariant_cast<QDBusArgument>(reply.arguments().at(1));
        int id = 0;
        QVariantMap properties;
        root.beginStructure();
        root >> id >> properties;
        root.beginArray();
        while (!root.atEnd()) {
            QDBusVariant child;
            root >> child;
            const QDBusArgument node = qvariant_cast<QDBusArgument>(child.variant());
            node.beginStructure();
            node >> id >> properties;
            node.endStructure();
            if (!properties.value(QStringLiteral("visible"), true).toBool())
                continue;
            texts << shownLine(properties);
            if (ids)
                ids->append(id);
        }
        return texts;
    }

    // Clicks the line the panel shows with this text; false when there is none.
    bool click(const QString& line)
    {
        QList<int> ids;
        const QStringList shown = lines(&ids);
        const qsizetype at = shown.indexOf(line);
        if (at < 0) {
            qWarning() << "no menu line" << line << "in" << shown;
            return false;
        }
        const QVariantList event { ids.at(at), QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(0)), 0u };
        return callMenu(QStringLiteral("Event"), event).type() == QDBusMessage::ReplyMessage;
    }

private:
    QDBusMessage call(const QString& path, const QString& interface, const QString& method, const QVariantList& args)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(m_service, path, interface, method);
        message.setArguments(args);
        const QDBusPendingCall pending = m_panel->asyncCall(message, timeout);
        if (!QTest::qWaitFor(
                [&] {
                    return pending.isFinished();
                },
                timeout + 5000))
            qWarning() << "no answer to" << method;
        const QDBusMessage reply = pending.reply();
        if (reply.type() != QDBusMessage::ReplyMessage)
            qWarning() << method << "failed:" << reply.errorName() << reply.errorMessage();
        return reply;
    }

    // A line as a panel draws it: separators "--", check items "[ ] "/"[x] ", lines that do nothing
    // when clicked end in " (off)". In a label an underscore marks the access key and a doubled one
    // stands for itself.
    static QString shownLine(const QVariantMap& properties)
    {
        if (properties.value(QStringLiteral("type")).toString() == QStringLiteral("separator"))
            return QStringLiteral("--");
        QString text;
        if (properties.value(QStringLiteral("toggle-type")).toString() == QStringLiteral("checkmark"))
            text = properties.value(QStringLiteral("toggle-state")).toInt() == 1 ? QStringLiteral("[x] ")
                                                                                 : QStringLiteral("[ ] ");
        const QString label = properties.value(QStringLiteral("label")).toString();
        for (qsizetype i = 0; i < label.size(); ++i) {
            if (label.at(i) == u'_' && i + 1 < label.size())
                ++i;
            text += label.at(i);
        }
        if (!properties.value(QStringLiteral("enabled"), true).toBool())
            text += QStringLiteral(" (off)");
        return text;
    }

    QThread m_thread;
    std::optional<QDBusConnection> m_watcherBus;
    std::optional<QDBusConnection> m_panel;
    QString m_service;
    QString m_menuPath;
};

} // namespace tivren::testing
