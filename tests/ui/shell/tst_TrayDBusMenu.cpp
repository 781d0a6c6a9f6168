// The tray menu as a panel sees it, read and clicked over DBusMenu on a private bus under Xvfb
// (scripts/isolated-run --dbus --xvfb).
#include "support/ModelHarness.h"
#include "support/TrayPanel.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/Shell.h"
#include "ui/shell/TrayMenu.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QMutex>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

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
