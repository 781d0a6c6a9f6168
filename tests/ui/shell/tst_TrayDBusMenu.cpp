// SPDX-License-Identifier: GPL-3.0-or-later
// The tray menu as a panel sees it, read and clicked over DBusMenu on a private bus under Xvfb
// (scripts/isolated-run --dbus --xvfb).
#include "support/ModelHarness.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/Shell.h"
#include "ui/shell/TrayMenu.h"

#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QMutex>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <memory>
#include <optional>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

// A desktop panel on the test's private bus: it serves a StatusNotifierWatcher for tray icons to
// register with, and reads and clicks a tray item's menu over DBusMenu from a connection of its
// own, as a panel does. Needs its own bus (scripts/isolated-run --dbus).
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

const QString watcherService = u"org.kde.StatusNotifierWatcher"_s;
constexpr int busTimeout = TrayPanel::timeout;

// A panel's StatusNotifierWatcher, as much of it as Qt's tray icon asks for.
class FakeStatusNotifierWatcher : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)

public:
    bool isHostRegistered() const { return true; }
    // The bus names of the registered items; each serves its item at /StatusNotifierItem.
    QStringList items() const
    {
        QMutexLocker lock(&m_mutex);
        return m_items;
    }

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString& service)
    {
        QMutexLocker lock(&m_mutex);
        m_items << service;
    }

private:
    mutable QMutex m_mutex;
    QStringList m_items;
};

} // namespace

class tst_TrayDBusMenu : public QObject
{
    Q_OBJECT

    FakeStatusNotifierWatcher* m_watcher = new FakeStatusNotifierWatcher; // lives on the panel's thread
    TrayPanel m_panel;
    std::unique_ptr<ModelHarness> h;
    std::unique_ptr<Shell> shell;
    int m_layoutUpdates = 0;

public Q_SLOTS:
    void onLayoutUpdated() { ++m_layoutUpdates; }

private Q_SLOTS:
    void initTestCase()
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY2(bus.isConnected() && !bus.interface()->isServiceRegistered(watcherService).value(),
            "this must run on its own bus: scripts/isolated-run --dbus --xvfb");
        QVERIFY(m_panel.start(m_watcher, this, SLOT(onLayoutUpdated())));
        QVERIFY(QSystemTrayIcon::isSystemTrayAvailable());
    }

    void init()
    {
        shell.reset();
        h = std::make_unique<ModelHarness>();
        shell = std::make_unique<Shell>(*h->model, h->loginItems, h->clock);
        const qsizetype before = m_watcher->items().size();
        shell->start();
        QVERIFY(shell->hasTray());
        QTRY_COMPARE_WITH_TIMEOUT(m_watcher->items().size(), before + 1, busTimeout);
        QVERIFY2(m_panel.attach(m_watcher->items().constLast()), "the item exports no menu");
        m_layoutUpdates = 0;
    }

    void firstRunMenu()
    {
        QCOMPARE(m_panel.lines().join(u'|'),
            u"No active timer (off)|Choose a project below to start tracking. (off)|--|Create Your First Project|--|"
            "Open Overview|Open Timeline|Manage Projects|--|[ ] Launch at Login|Quit"_s);
        // The one way forward opens the main window on Projects with the new-project window in front.
        QVERIFY(m_panel.click(u"Create Your First Project"_s));
        QTRY_VERIFY_WITH_TIMEOUT(shell->mainWindow()->isVisible(), busTimeout);
        QCOMPARE(h->model->selectedSection(), MainSection::projects);
        const auto newProjectShown = [] {
            return std::ranges::any_of(QApplication::topLevelWidgets(), [](const QWidget* window) {
                return window->objectName() == u"new-project"_s && window->isVisible();
            });
        };
        QTRY_VERIFY_WITH_TIMEOUT(newProjectShown(), busTimeout);
    }

    // Qt exports the text as it stands, the tab before the rate included. Menus take '&' as the
    // mark of an access key; "Smith & Sons" must still read as such, listed and while tracked.
    void trackingFromThePanel_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<std::optional<double>>("rate");
        QTest::addColumn<QString>("listed");
        QTest::newRow("with rate") << u"Acme"_s << std::optional<double>(80) << u"Acme\t$80.00"_s;
        QTest::newRow("ampersand") << u"Smith & Sons"_s << std::optional<double>() << u"Smith & Sons"_s;
    }

    void trackingFromThePanel()
    {
        QFETCH(QString, name);
        QFETCH(std::optional<double>, rate);
        QFETCH(QString, listed);
        const Project project = h->addProject(name, rate);
        QTRY_VERIFY_WITH_TIMEOUT(m_panel.lines().contains(listed), busTimeout);
        const int updatesBefore = m_layoutUpdates;
        QVERIFY(m_panel.click(listed));
        QTRY_VERIFY_WITH_TIMEOUT(h->model->activeSession().has_value(), busTimeout);
        QCOMPARE(h->model->activeSession()->projectID, project.id);
        // The panel is told to read the menu again; it does not poll.
        QTRY_VERIFY_WITH_TIMEOUT(m_layoutUpdates > updatesBefore, busTimeout);
        const QStringList tracking { u"Tracking "_s + name + u" (off)"_s, u"00:00:00 (off)"_s, u"Stop Timer"_s };
        QTRY_COMPARE_WITH_TIMEOUT(m_panel.lines().mid(0, 3), tracking, busTimeout);
        h->advance(90 * 60);
        QVERIFY(m_panel.click(u"Stop Timer"_s));
        QTRY_VERIFY_WITH_TIMEOUT(!h->model->activeSession().has_value(), busTimeout);
        QCOMPARE(h->model->entries().size(), qsizetype(1));
        QCOMPARE(h->model->entries().constFirst().projectID, project.id);
        QCOMPARE(h->model->entries().constFirst().duration(), 90 * 60.0);
        QTRY_COMPARE_WITH_TIMEOUT(m_panel.lines().constFirst(), u"No active timer (off)"_s, busTimeout);
    }

    void openingTheMenuShowsTheLoginState()
    {
        QVERIFY(m_panel.click(u"[ ] Launch at Login"_s));
        QTRY_VERIFY_WITH_TIMEOUT(h->loginItems.enabled, busTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(m_panel.lines().contains(u"[x] Launch at Login"_s), busTimeout);
        // Turned off elsewhere (the autostart file removed): opening the menu shows it.
        h->loginItems.enabled = false;
        QSignalSpy aboutToShow(shell->trayMenu(), &QMenu::aboutToShow);
        QCOMPARE(m_panel.callMenu(u"AboutToShow"_s, { 0 }).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(aboutToShow.size(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(m_panel.lines().contains(u"[ ] Launch at Login"_s), busTimeout);
    }
};

QTEST_MAIN(tst_TrayDBusMenu)
#include "tst_TrayDBusMenu.moc"
