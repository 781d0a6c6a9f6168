// The tray menu as a panel sees it: Tivren's tray icon registers with a StatusNotifierWatcher,
// and the panel reads and clicks the menu over DBusMenu. Runs on a private bus under Xvfb
// (scripts/isolated-run --dbus --xvfb).
#include "ModelHarness.h"
#include "ui/MainWindow.h"
#include "ui/Shell.h"
#include "ui/TrayMenu.h"

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

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

const QString watcherService = u"org.kde.StatusNotifierWatcher"_s;
const QString watcherPath = u"/StatusNotifierWatcher"_s;
const QString itemInterface = u"org.kde.StatusNotifierItem"_s;
const QString menuInterface = u"com.canonical.dbusmenu"_s;
const QString propertiesInterface = u"org.freedesktop.DBus.Properties"_s;
constexpr int busTimeout = 20000;

struct RegisteredItem
{
    QString service;
    QString path;
};

// A panel's StatusNotifierWatcher, as much of it as Qt's tray icon talks to. Like the real ones
// it accepts either a bus name (the item then lives at /StatusNotifierItem) or an object path
// (the item is then the caller's). It runs on its own thread with its own connection, so the
// test's process can serve the tray and ask the watcher at once.
class FakeStatusNotifierWatcher : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ registeredItemNames)

public:
    // Run on the watcher's thread.
    bool start(const QString& connectionName)
    {
        m_connectionName = connectionName;
        m_connection = QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName);
        return m_connection->registerObject(watcherPath,
                   this,
                   QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals
                       | QDBusConnection::ExportAllProperties)
            && m_connection->registerService(watcherService);
    }
    void stop()
    {
        m_connection->unregisterService(watcherService);
        m_connection->unregisterObject(watcherPath);
        m_connection.reset();
        QDBusConnection::disconnectFromBus(m_connectionName);
    }

    bool isHostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList registeredItemNames() const
    {
        QMutexLocker lock(&m_mutex);
        QStringList names;
        for (const RegisteredItem& item : m_items)
            names << item.service + item.path;
        return names;
    }
    QList<RegisteredItem> items() const
    {
        QMutexLocker lock(&m_mutex);
        return m_items;
    }

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString& serviceOrPath, const QDBusMessage& message)
    {
        const RegisteredItem item = serviceOrPath.startsWith(u'/')
            ? RegisteredItem { message.service(), serviceOrPath }
            : RegisteredItem { serviceOrPath, u"/StatusNotifierItem"_s };
        {
            QMutexLocker lock(&m_mutex);
            m_items.append(item);
        }
        Q_EMIT StatusNotifierItemRegistered(item.service + item.path);
    }
    void RegisterStatusNotifierHost(const QString& /*service*/) { }

Q_SIGNALS:
    void StatusNotifierItemRegistered(const QString& item);
    void StatusNotifierItemUnregistered(const QString& item);
    void StatusNotifierHostRegistered();
    void StatusNotifierHostUnregistered();

private:
    QString m_connectionName;
    std::optional<QDBusConnection> m_connection;
    mutable QMutex m_mutex;
    QList<RegisteredItem> m_items;
};

// Owns the watcher's thread; the watcher holds its name from construction to destruction.
class RunningWatcher
{
public:
    RunningWatcher()
    {
        m_thread.start();
        m_watcher->moveToThread(&m_thread);
        QMetaObject::invokeMethod(
            m_watcher.get(),
            [this] {
                m_registered = m_watcher->start(u"fake-status-notifier-watcher"_s);
            },
            Qt::BlockingQueuedConnection);
    }
    ~RunningWatcher()
    {
        QMetaObject::invokeMethod(
            m_watcher.get(),
            [this] {
                m_watcher->stop();
                m_watcher->moveToThread(QCoreApplication::instance()->thread());
            },
            Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }

    [[nodiscard]] bool registered() const { return m_registered; }
    [[nodiscard]] QList<RegisteredItem> items() const { return m_watcher->items(); }

private:
    QThread m_thread;
    std::unique_ptr<FakeStatusNotifierWatcher> m_watcher = std::make_unique<FakeStatusNotifierWatcher>();
    bool m_registered = false;
};

// One entry of a DBusMenu layout, with the protocol's defaults for properties left out.
struct MenuNode
{
    int id = -1;
    QString type = u"standard"_s;
    QString label;
    bool enabled = true;
    bool visible = true;
    QString toggleType;
    int toggleState = -1;
    bool hasIcon = false;
    QList<MenuNode> children;
};

MenuNode readNode(const QDBusArgument& argument)
{
    MenuNode node;
    QVariantMap properties;
    argument.beginStructure();
    argument >> node.id >> properties;
    argument.beginArray();
    while (!argument.atEnd()) {
        QDBusVariant child;
        argument >> child;
        node.children.append(readNode(qvariant_cast<QDBusArgument>(child.variant())));
    }
    argument.endArray();
    argument.endStructure();

    node.type = properties.value(u"type"_s, node.type).toString();
    node.label = properties.value(u"label"_s).toString();
    node.enabled = properties.value(u"enabled"_s, true).toBool();
    node.visible = properties.value(u"visible"_s, true).toBool();
    node.toggleType = properties.value(u"toggle-type"_s).toString();
    node.toggleState = properties.value(u"toggle-state"_s, -1).toInt();
    node.hasIcon = !properties.value(u"icon-data"_s).toByteArray().isEmpty()
        || !properties.value(u"icon-name"_s).toString().isEmpty();
    return node;
}

// A label as a panel draws it: in DBusMenu an underscore marks the access key and a doubled one
// stands for itself.
QString shownText(const QString& label)
{
    QString shown;
    for (qsizetype i = 0; i < label.size(); ++i) {
        if (label.at(i) == u'_' && i + 1 < label.size())
            ++i;
        shown += label.at(i);
    }
    return shown;
}

// The top level as lines: separators "--", check items "[ ] "/"[x] ", items that do nothing when
// clicked marked "(off)", hidden ones "(hidden)".
QStringList lines(const MenuNode& root)
{
    QStringList texts;
    for (const MenuNode& node : root.children) {
        QString text;
        if (node.type == u"separator"_s) {
            text = u"--"_s;
        } else {
            if (node.toggleType == u"checkmark"_s)
                text = node.toggleState == 1 ? u"[x] "_s : u"[ ] "_s;
            text += shownText(node.label);
            if (!node.enabled)
                text += u" (off)"_s;
        }
        if (!node.visible)
            text += u" (hidden)"_s;
        texts << text;
    }
    return texts;
}

const MenuNode* findNode(const MenuNode& root, const QString& shown)
{
    for (const MenuNode& node : root.children) {
        if (node.type != u"separator"_s && shownText(node.label) == shown)
            return &node;
    }
    return nullptr;
}

} // namespace

class tst_TrayDBusMenu : public QObject
{
    Q_OBJECT

public Q_SLOTS:
    // The menu's change signals, as the panel receives them.
    void onMenuSignal(const QDBusMessage& message);

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void firstRunMenu();
    void projectsAppearWithTheirRate();
    void trackingStartsAndStopsFromThePanel();
    void openingTheMenuKeepsTheElapsedTimeCurrent();
    void launchAtLoginIsACheckmark();
    void projectNamesWithAmpersandsReadAsWritten();

private:
    // A method call from the panel's own connection, answered by the tray on this thread while
    // the test waits; never a blocking call.
    QDBusMessage call(const QString& service,
        const QString& path,
        const QString& interface,
        const QString& method,
        const QVariantList& arguments = {});
    QVariant itemProperty(const QString& name);
    MenuNode layout();
    bool click(const QString& shown);
    QByteArray iconPixels();

    std::unique_ptr<RunningWatcher> m_watcher;
    std::optional<QDBusConnection> m_panel;
    std::unique_ptr<ModelHarness> h;
    std::unique_ptr<Shell> shell;
    RegisteredItem m_item;
    QString m_menuPath;
    int m_layoutUpdates = 0;
    QList<std::pair<int, QString>> m_labelUpdates; // id, new label
};

void tst_TrayDBusMenu::initTestCase()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    QVERIFY2(bus.isConnected(), "run through scripts/isolated-run --dbus --xvfb");
    QVERIFY2(!bus.interface()->isServiceRegistered(watcherService).value(),
        "a tray host is running: this must run on its own bus (scripts/isolated-run --dbus --xvfb)");
    QCOMPARE(QGuiApplication::platformName(), u"xcb"_s);

    // Qt asks for a tray once per process: the watcher must be there first.
    m_watcher = std::make_unique<RunningWatcher>();
    QVERIFY(m_watcher->registered());
    QVERIFY(QSystemTrayIcon::isSystemTrayAvailable());

    m_panel = QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"fake-panel"_s);
    QVERIFY(m_panel->isConnected());
}

void tst_TrayDBusMenu::cleanupTestCase()
{
    m_panel.reset();
    QDBusConnection::disconnectFromBus(u"fake-panel"_s);
    m_watcher.reset();
}

void tst_TrayDBusMenu::init()
{
    h = std::make_unique<ModelHarness>();
    shell = std::make_unique<Shell>(*h->model, h->loginItems, h->clock);
    const qsizetype before = m_watcher->items().size();
    shell->start();
    QVERIFY(shell->hasTray());
    QTRY_COMPARE_WITH_TIMEOUT(m_watcher->items().size(), before + 1, busTimeout);
    m_item = m_watcher->items().constLast();
    QVERIFY2(!m_item.service.isEmpty(), "the item registered without a bus name");

    m_menuPath = itemProperty(u"Menu"_s).value<QDBusObjectPath>().path();
    QVERIFY2(!m_menuPath.isEmpty() && m_menuPath != u"/"_s, "the item exports no menu");

    m_layoutUpdates = 0;
    m_labelUpdates.clear();
    // QDBusConnection::connect only takes the SLOT() form.
    for (const QString& signal : { u"LayoutUpdated"_s, u"ItemsPropertiesUpdated"_s })
        QVERIFY(m_panel->connect(
            m_item.service, m_menuPath, menuInterface, signal, this, SLOT(onMenuSignal(QDBusMessage))));
}

void tst_TrayDBusMenu::cleanup()
{
    for (const QString& signal : { u"LayoutUpdated"_s, u"ItemsPropertiesUpdated"_s })
        m_panel->disconnect(m_item.service, m_menuPath, menuInterface, signal, this, SLOT(onMenuSignal(QDBusMessage)));
    shell.reset();
    h.reset();
}

void tst_TrayDBusMenu::onMenuSignal(const QDBusMessage& message)
{
    if (message.member() == u"LayoutUpdated"_s) {
        ++m_layoutUpdates;
        return;
    }
    // ItemsPropertiesUpdated(a(ia{sv}) updated, a(ias) removed)
    const QDBusArgument updated = qvariant_cast<QDBusArgument>(message.arguments().value(0));
    updated.beginArray();
    while (!updated.atEnd()) {
        int id = 0;
        QVariantMap properties;
        updated.beginStructure();
        updated >> id >> properties;
        updated.endStructure();
        if (properties.contains(u"label"_s))
            m_labelUpdates.append({ id, properties.value(u"label"_s).toString() });
    }
    updated.endArray();
}

QDBusMessage tst_TrayDBusMenu::call(const QString& service,
    const QString& path,
    const QString& interface,
    const QString& method,
    const QVariantList& arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    const QDBusPendingCall pending = m_panel->asyncCall(message, busTimeout);
    if (!QTest::qWaitFor(
            [&] {
                return pending.isFinished();
            },
            busTimeout + 5000))
        qWarning() << "no answer to" << method;
    const QDBusMessage reply = pending.reply();
    if (reply.type() != QDBusMessage::ReplyMessage)
        qWarning() << method << "failed:" << reply.errorName() << reply.errorMessage();
    return reply;
}

QVariant tst_TrayDBusMenu::itemProperty(const QString& name)
{
    const QDBusMessage reply =
        call(m_item.service, m_item.path, propertiesInterface, u"Get"_s, { itemInterface, name });
    return qvariant_cast<QDBusVariant>(reply.arguments().value(0)).variant();
}

MenuNode tst_TrayDBusMenu::layout()
{
    const QDBusMessage reply = call(m_item.service,
        m_menuPath,
        menuInterface,
        u"GetLayout"_s,
        { 0, -1, QStringList() }); // the whole tree, every property
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 2)
        return {};
    return readNode(qvariant_cast<QDBusArgument>(reply.arguments().at(1)));
}

// Clicks the item the panel shows with this text; false when there is none.
bool tst_TrayDBusMenu::click(const QString& shown)
{
    const MenuNode root = layout();
    const MenuNode* node = findNode(root, shown);
    if (!node) {
        qWarning() << "no menu item" << shown << "in" << lines(root);
        return false;
    }
    const QVariantList event { node->id, u"clicked"_s, QVariant::fromValue(QDBusVariant(0)), 0u };
    return call(m_item.service, m_menuPath, menuInterface, u"Event"_s, event).type() == QDBusMessage::ReplyMessage;
}

// The icon's pixels as the panel gets them (IconPixmap, a list of ARGB images).
QByteArray tst_TrayDBusMenu::iconPixels()
{
    const QDBusArgument images = qvariant_cast<QDBusArgument>(itemProperty(u"IconPixmap"_s));
    QByteArray pixels;
    images.beginArray();
    while (!images.atEnd()) {
        int width = 0;
        int height = 0;
        QByteArray data;
        images.beginStructure();
        images >> width >> height >> data;
        images.endStructure();
        pixels += data;
    }
    images.endArray();
    return pixels;
}

void tst_TrayDBusMenu::firstRunMenu()
{
    QCOMPARE(lines(layout()),
        (QStringList { u"No active timer (off)"_s,
            u"Choose a project below to start tracking. (off)"_s,
            u"--"_s,
            u"Create Your First Project"_s,
            u"--"_s,
            u"Open Overview"_s,
            u"Open Timeline"_s,
            u"Manage Projects"_s,
            u"--"_s,
            u"[ ] Launch at Login"_s,
            u"Quit"_s }));

    // The one way forward opens the main window on Projects with the new-project window in front.
    QVERIFY(click(u"Create Your First Project"_s));
    QTRY_VERIFY_WITH_TIMEOUT(shell->mainWindow()->isVisible(), busTimeout);
    QCOMPARE(h->model->selectedSection(), MainSection::projects);
    QTRY_VERIFY_WITH_TIMEOUT(
        [] {
            for (const QWidget* window : QApplication::topLevelWidgets()) {
                if (window->objectName() == u"new-project"_s && window->isVisible())
                    return true;
            }
            return false;
        }(),
        busTimeout);
}

void tst_TrayDBusMenu::projectsAppearWithTheirRate()
{
    const int updatesBefore = m_layoutUpdates;
    h->addProject(u"Acme"_s);
    h->addProject(u"Pro bono"_s, std::nullopt);
    // Archived projects are not offered.
    h->addProject(u"Old"_s, 50, true);

    // The panel is told to read the menu again; it does not poll.
    QTRY_VERIFY_WITH_TIMEOUT(m_layoutUpdates > updatesBefore, busTimeout);
    // Qt exports the text as it stands, the tab before the rate included; a panel draws it
    // however its toolkit draws a tab.
    const QString acme = u"Acme\t"_s + h->model->currencyString(80);
    QTRY_COMPARE_WITH_TIMEOUT(lines(layout()),
        (QStringList { u"No active timer (off)"_s,
            u"Choose a project below to start tracking. (off)"_s,
            u"--"_s,
            u"Projects (off)"_s,
            acme,
            u"Pro bono"_s,
            u"--"_s,
            u"Open Overview"_s,
            u"Open Timeline"_s,
            u"Manage Projects"_s,
            u"--"_s,
            u"[ ] Launch at Login"_s,
            u"Quit"_s }),
        busTimeout);
    // Each project keeps its colour dot on the panel.
    const MenuNode root = layout();
    QVERIFY(findNode(root, acme)->hasIcon);
    QVERIFY(findNode(root, u"Pro bono"_s)->hasIcon);
}

void tst_TrayDBusMenu::trackingStartsAndStopsFromThePanel()
{
    const Project acme = h->addProject(u"Acme"_s);
    const QString acmeLine = u"Acme\t"_s + h->model->currencyString(80);
    QTRY_VERIFY_WITH_TIMEOUT(findNode(layout(), acmeLine), busTimeout);
    const QByteArray idleIcon = iconPixels();
    QVERIFY(!idleIcon.isEmpty());

    QVERIFY(click(acmeLine));
    QTRY_VERIFY_WITH_TIMEOUT(h->model->activeSession().has_value(), busTimeout);
    QCOMPARE(h->model->activeSession()->projectID, acme.id);
    QTRY_COMPARE_WITH_TIMEOUT(lines(layout()).mid(0, 5),
        (QStringList { u"Tracking Acme (off)"_s, u"00:00:00 (off)"_s, u"Stop Timer"_s, u"--"_s, u"Projects (off)"_s }),
        busTimeout);
    // The panel's icon shows that a timer runs.
    QTRY_VERIFY_WITH_TIMEOUT(iconPixels() != idleIcon, busTimeout);

    h->advance(90 * 60);
    QVERIFY(click(u"Stop Timer"_s));
    QTRY_VERIFY_WITH_TIMEOUT(!h->model->activeSession().has_value(), busTimeout);
    QCOMPARE(h->model->entries().size(), qsizetype(1));
    const TimeEntry entry = h->model->entries().constFirst();
    QCOMPARE(entry.projectID, acme.id);
    QCOMPARE(entry.duration(), 90 * 60.0);
    QTRY_COMPARE_WITH_TIMEOUT(lines(layout()).constFirst(), u"No active timer (off)"_s, busTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(iconPixels(), idleIcon, busTimeout);
}

void tst_TrayDBusMenu::openingTheMenuKeepsTheElapsedTimeCurrent()
{
    h->model->startTracking(h->addProject(u"Acme"_s));
    QTRY_COMPARE_WITH_TIMEOUT(layout().children.value(1).label, u"00:00:00"_s, busTimeout);
    const int elapsedId = layout().children.value(1).id;

    QSignalSpy aboutToShow(shell->trayMenu(), &QMenu::aboutToShow);
    const QDBusMessage reply = call(m_item.service, m_menuPath, menuInterface, u"AboutToShow"_s, { 0 });
    QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
    QCOMPARE(aboutToShow.size(), 1);

    // While open, the same line changes text (the panel's open menu stays valid) and the panel
    // hears of it without asking.
    h->clock.time += 2;
    QTRY_VERIFY_WITH_TIMEOUT(m_labelUpdates.contains(std::pair(elapsedId, u"00:00:02"_s)), busTimeout);
    QCOMPARE(layout().children.value(1).id, elapsedId);
    QCOMPARE(layout().children.value(1).label, u"00:00:02"_s);

    // Closed, it stops ticking.
    QCOMPARE(call(m_item.service,
                 m_menuPath,
                 menuInterface,
                 u"Event"_s,
                 { 0, u"closed"_s, QVariant::fromValue(QDBusVariant(0)), 0u })
                 .type(),
        QDBusMessage::ReplyMessage);
    h->clock.time += 5;
    QTest::qWait(1500);
    QCOMPARE(layout().children.value(1).label, u"00:00:02"_s);
}

void tst_TrayDBusMenu::launchAtLoginIsACheckmark()
{
    QVERIFY(click(u"Launch at Login"_s));
    QTRY_VERIFY_WITH_TIMEOUT(h->loginItems.enabled, busTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(lines(layout()).contains(u"[x] Launch at Login"_s), busTimeout);

    // Turned off elsewhere (the autostart file removed): opening the menu shows it.
    h->loginItems.enabled = false;
    QCOMPARE(
        call(m_item.service, m_menuPath, menuInterface, u"AboutToShow"_s, { 0 }).type(), QDBusMessage::ReplyMessage);
    QTRY_VERIFY_WITH_TIMEOUT(lines(layout()).contains(u"[ ] Launch at Login"_s), busTimeout);
}

void tst_TrayDBusMenu::projectNamesWithAmpersandsReadAsWritten()
{
    // Menus take '&' as the mark of an access key; a client called "Smith & Sons" must still
    // read as such on the panel, in the project list and while it is tracked.
    const Project smith = h->addProject(u"Smith & Sons"_s, std::nullopt);
    h->model->startTracking(smith);
    QTRY_VERIFY_WITH_TIMEOUT(lines(layout()).constFirst().startsWith(u"Tracking"_s), busTimeout);
    const QStringList shown = lines(layout());
    // TrayMenu hands names to QAction without doubling the '&', so the panel gets "Smith _ Sons"
    // and draws "Smith  Sons". Remove these marks with the fix.
    QCOMPARE(shown.constFirst(), u"Tracking Smith & Sons (off)"_s);
    QVERIFY2(shown.contains(u"Smith & Sons"_s), qPrintable(shown.join(u" | "_s)));
}

QTEST_MAIN(tst_TrayDBusMenu)
#include "tst_TrayDBusMenu.moc"
