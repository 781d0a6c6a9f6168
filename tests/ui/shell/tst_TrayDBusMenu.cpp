// The tray menu as a panel sees it: Tivren's tray icon registers with a StatusNotifierWatcher,
// and the panel reads and clicks the menu over DBusMenu. Runs on a private bus under Xvfb
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

const QString watcherService = u"org.kde.StatusNotifierWatcher"_s;
const QString menuInterface = u"com.canonical.dbusmenu"_s;
constexpr int busTimeout = 20000;

// A panel's StatusNotifierWatcher, as much of it as Qt's tray icon asks for. Qt asks with
// blocking calls, so the watcher answers from its own thread.
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

// A line as a panel draws it: separators "--", check items "[ ] "/"[x] ", lines that do nothing
// when clicked end in " (off)". In a label an underscore marks the access key and a doubled one
// stands for itself.
QString shownLine(const QVariantMap& properties)
{
    if (properties.value(u"type"_s).toString() == u"separator"_s)
        return u"--"_s;
    QString text;
    if (properties.value(u"toggle-type"_s).toString() == u"checkmark"_s)
        text = properties.value(u"toggle-state"_s).toInt() == 1 ? u"[x] "_s : u"[ ] "_s;
    const QString label = properties.value(u"label"_s).toString();
    for (qsizetype i = 0; i < label.size(); ++i) {
        if (label.at(i) == u'_' && i + 1 < label.size())
            ++i;
        text += label.at(i);
    }
    if (!properties.value(u"enabled"_s, true).toBool())
        text += u" (off)"_s;
    return text;
}

} // namespace

class tst_TrayDBusMenu : public QObject
{
    Q_OBJECT

public Q_SLOTS:
    void onLayoutUpdated() { ++m_layoutUpdates; }

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void firstRunMenu();
    void trackingFromThePanel_data();
    void trackingFromThePanel();
    void openingTheMenuShowsTheLoginState();

private:
    // A method call from the panel's own connection, answered by the tray on this thread while
    // the test waits; never a blocking call.
    QDBusMessage call(const QString& path, const QString& interface, const QString& method, const QVariantList& args);
    // The menu's visible top level as the panel draws it, with each line's id in ids.
    QStringList lines(QList<int>* ids = nullptr);
    bool click(const QString& line);

    QThread m_watcherThread;
    FakeStatusNotifierWatcher* m_watcher = nullptr; // lives on m_watcherThread
    std::optional<QDBusConnection> m_watcherBus;
    std::optional<QDBusConnection> m_panel;
    std::unique_ptr<ModelHarness> h;
    std::unique_ptr<Shell> shell;
    QString m_service;
    QString m_menuPath;
    int m_layoutUpdates = 0;
};

void tst_TrayDBusMenu::initTestCase()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    QVERIFY2(bus.isConnected() && !bus.interface()->isServiceRegistered(watcherService).value(),
        "this must run on its own bus: scripts/isolated-run --dbus --xvfb");

    // Qt asks for a tray once per process: the watcher must be there first.
    m_watcher = new FakeStatusNotifierWatcher;
    m_watcher->moveToThread(&m_watcherThread);
    connect(&m_watcherThread, &QThread::finished, m_watcher, &QObject::deleteLater);
    m_watcherThread.start();
    m_watcherBus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"fake-watcher"_s);
    QVERIFY(m_watcherBus->registerObject(u"/StatusNotifierWatcher"_s,
        m_watcher,
        QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties));
    QVERIFY(m_watcherBus->registerService(watcherService));
    QVERIFY(QSystemTrayIcon::isSystemTrayAvailable());

    m_panel = QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"fake-panel"_s);
    // From whichever item is current; only one tray is up at a time.
    QVERIFY(m_panel->connect(QString(), QString(), menuInterface, u"LayoutUpdated"_s, this, SLOT(onLayoutUpdated())));
}

void tst_TrayDBusMenu::cleanupTestCase()
{
    m_panel.reset();
    QDBusConnection::disconnectFromBus(u"fake-panel"_s);
    m_watcherBus.reset();
    QDBusConnection::disconnectFromBus(u"fake-watcher"_s);
    m_watcherThread.quit();
    m_watcherThread.wait();
}

void tst_TrayDBusMenu::init()
{
    h = std::make_unique<ModelHarness>();
    shell = std::make_unique<Shell>(*h->model, h->loginItems, h->clock);
    const qsizetype before = m_watcher->items().size();
    shell->start();
    QVERIFY(shell->hasTray());
    QTRY_COMPARE_WITH_TIMEOUT(m_watcher->items().size(), before + 1, busTimeout);
    m_service = m_watcher->items().constLast();

    const QDBusMessage menu = call(u"/StatusNotifierItem"_s,
        u"org.freedesktop.DBus.Properties"_s,
        u"Get"_s,
        { u"org.kde.StatusNotifierItem"_s, u"Menu"_s });
    m_menuPath = qvariant_cast<QDBusVariant>(menu.arguments().value(0)).variant().value<QDBusObjectPath>().path();
    QVERIFY2(!m_menuPath.isEmpty() && m_menuPath != u"/"_s, "the item exports no menu");
    m_layoutUpdates = 0;
}

void tst_TrayDBusMenu::cleanup()
{
    shell.reset();
    h.reset();
}

QDBusMessage tst_TrayDBusMenu::call(
    const QString& path, const QString& interface, const QString& method, const QVariantList& args)
{
    QDBusMessage message = QDBusMessage::createMethodCall(m_service, path, interface, method);
    message.setArguments(args);
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

QStringList tst_TrayDBusMenu::lines(QList<int>* ids)
{
    // The whole tree, every property: (ia{sv}av), the children as variants of the same.
    const QDBusMessage reply = call(m_menuPath, menuInterface, u"GetLayout"_s, { 0, -1, QStringList() });
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
        if (!properties.value(u"visible"_s, true).toBool())
            continue;
        texts << shownLine(properties);
        if (ids)
            ids->append(id);
    }
    return texts;
}

// Clicks the line the panel shows with this text; false when there is none.
bool tst_TrayDBusMenu::click(const QString& line)
{
    QList<int> ids;
    const QStringList shown = lines(&ids);
    const qsizetype at = shown.indexOf(line);
    if (at < 0) {
        qWarning() << "no menu line" << line << "in" << shown;
        return false;
    }
    const QVariantList event { ids.at(at), u"clicked"_s, QVariant::fromValue(QDBusVariant(0)), 0u };
    return call(m_menuPath, menuInterface, u"Event"_s, event).type() == QDBusMessage::ReplyMessage;
}

void tst_TrayDBusMenu::firstRunMenu()
{
    QCOMPARE(lines(),
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
    const auto newProjectShown = [] {
        return std::ranges::any_of(QApplication::topLevelWidgets(), [](const QWidget* window) {
            return window->objectName() == u"new-project"_s && window->isVisible();
        });
    };
    QTRY_VERIFY_WITH_TIMEOUT(newProjectShown(), busTimeout);
}

void tst_TrayDBusMenu::trackingFromThePanel_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<std::optional<double>>("rate");
    QTest::addColumn<QString>("listed");

    // Qt exports the text as it stands, the tab before the rate included; a panel draws it
    // however its toolkit draws a tab.
    QTest::newRow("with rate") << u"Acme"_s << std::optional<double>(80) << u"Acme\t$80.00"_s;
    // Menus take '&' as the mark of an access key; a client called "Smith & Sons" must still read
    // as such, in the project list and while it is tracked.
    QTest::newRow("ampersand") << u"Smith & Sons"_s << std::optional<double>() << u"Smith & Sons"_s;
}

void tst_TrayDBusMenu::trackingFromThePanel()
{
    QFETCH(QString, name);
    QFETCH(std::optional<double>, rate);
    QFETCH(QString, listed);
    const Project project = h->addProject(name, rate);
    QTRY_VERIFY_WITH_TIMEOUT(lines().contains(listed), busTimeout);

    const int updatesBefore = m_layoutUpdates;
    QVERIFY(click(listed));
    QTRY_VERIFY_WITH_TIMEOUT(h->model->activeSession().has_value(), busTimeout);
    QCOMPARE(h->model->activeSession()->projectID, project.id);
    // The panel is told to read the menu again; it does not poll.
    QTRY_VERIFY_WITH_TIMEOUT(m_layoutUpdates > updatesBefore, busTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(lines().mid(0, 3),
        (QStringList { u"Tracking "_s + name + u" (off)"_s, u"00:00:00 (off)"_s, u"Stop Timer"_s }),
        busTimeout);

    h->advance(90 * 60);
    QVERIFY(click(u"Stop Timer"_s));
    QTRY_VERIFY_WITH_TIMEOUT(!h->model->activeSession().has_value(), busTimeout);
    QCOMPARE(h->model->entries().size(), qsizetype(1));
    QCOMPARE(h->model->entries().constFirst().projectID, project.id);
    QCOMPARE(h->model->entries().constFirst().duration(), 90 * 60.0);
    QTRY_COMPARE_WITH_TIMEOUT(lines().constFirst(), u"No active timer (off)"_s, busTimeout);
}

void tst_TrayDBusMenu::openingTheMenuShowsTheLoginState()
{
    QVERIFY(click(u"[ ] Launch at Login"_s));
    QTRY_VERIFY_WITH_TIMEOUT(h->loginItems.enabled, busTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(lines().contains(u"[x] Launch at Login"_s), busTimeout);

    // Turned off elsewhere (the autostart file removed): opening the menu shows it.
    h->loginItems.enabled = false;
    QSignalSpy aboutToShow(shell->trayMenu(), &QMenu::aboutToShow);
    QCOMPARE(call(m_menuPath, menuInterface, u"AboutToShow"_s, { 0 }).type(), QDBusMessage::ReplyMessage);
    QCOMPARE(aboutToShow.size(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(lines().contains(u"[ ] Launch at Login"_s), busTimeout);
}

QTEST_MAIN(tst_TrayDBusMenu)
#include "tst_TrayDBusMenu.moc"
