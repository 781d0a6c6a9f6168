#include "app/NotificationTexts.h"
#include "app/PomodoroSkipBroadcaster.h"
#include "app/SoundPlayer.h"
#include "platform/DBusNotifier.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QMutex>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <functional>
#include <memory>
#include <optional>

using namespace Qt::StringLiterals;
using namespace tivren;

namespace {

const QString serviceName = u"org.freedesktop.Notifications"_s;
const QString objectPath = u"/org/freedesktop/Notifications"_s;

struct NotifyCall
{
    QString appName;
    uint replacesId = 0;
    QString appIcon;
    QString summary;
    QString body;
    QStringList actions;
    QVariantMap hints;
    int expireTimeout = 0;
    uint answeredId = 0;
};

// A notification server like a desktop's: answers Notify with increasing ids and records what
// it was asked. It lives on its own thread with its own connection, so the notifier under test
// and the server never wait on each other's event loop.
class FakeNotificationServer : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    // Run on the server's thread.
    bool start(const QString& connectionName)
    {
        m_connectionName = connectionName;
        m_connection = QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName);
        return m_connection->registerObject(objectPath, this, QDBusConnection::ExportAllSlots)
            && m_connection->registerService(serviceName);
    }
    void stop()
    {
        m_connection->unregisterService(serviceName);
        m_connection->unregisterObject(objectPath);
        m_connection.reset();
        QDBusConnection::disconnectFromBus(m_connectionName);
    }
    void send(const QDBusMessage& message) { m_connection->send(message); }

    QList<NotifyCall> calls() const
    {
        QMutexLocker lock(&m_mutex);
        return m_calls;
    }

public Q_SLOTS:
    uint Notify(const QString& appName,
        uint replacesId,
        const QString& appIcon,
        const QString& summary,
        const QString& body,
        const QStringList& actions,
        const QVariantMap& hints,
        int expireTimeout)
    {
        QMutexLocker lock(&m_mutex);
        const uint id = ++m_lastId;
        m_calls.append({ appName, replacesId, appIcon, summary, body, actions, hints, expireTimeout, id });
        return id;
    }
    QStringList GetCapabilities() const { return { u"actions"_s, u"body"_s }; }
    QString GetServerInformation(QString& vendor, QString& version, QString& specVersion) const
    {
        vendor = u"Tivren tests"_s;
        version = u"1"_s;
        specVersion = u"1.2"_s;
        return u"fake"_s;
    }
    void CloseNotification(uint id)
    {
        send(QDBusMessage::createSignal(objectPath, serviceName, u"NotificationClosed"_s) << id << 3u);
    }

private:
    QString m_connectionName;
    std::optional<QDBusConnection> m_connection;
    mutable QMutex m_mutex;
    QList<NotifyCall> m_calls;
    uint m_lastId = 0;
};

// Owns the server's thread; the server holds the name from construction to destruction.
class RunningServer
{
public:
    RunningServer()
    {
        m_thread.start();
        m_server->moveToThread(&m_thread);
        QMetaObject::invokeMethod(
            m_server.get(),
            [this] {
                m_registered = m_server->start(u"fake-notification-server"_s);
            },
            Qt::BlockingQueuedConnection);
    }
    ~RunningServer()
    {
        QMetaObject::invokeMethod(
            m_server.get(),
            [this] {
                m_server->stop();
                m_server->moveToThread(QCoreApplication::instance()->thread());
            },
            Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }

    [[nodiscard]] bool registered() const { return m_registered; }
    [[nodiscard]] QList<NotifyCall> calls() const { return m_server->calls(); }
    // Sent from the server's thread, so it leaves after every reply the server has already given.
    void send(const QDBusMessage& message)
    {
        QMetaObject::invokeMethod(
            m_server.get(),
            [this, message] {
                m_server->send(message);
            },
            Qt::BlockingQueuedConnection);
    }

private:
    QThread m_thread;
    std::unique_ptr<FakeNotificationServer> m_server = std::make_unique<FakeNotificationServer>();
    bool m_registered = false;
};

class CountingSoundPlayer final : public SoundPlayer
{
public:
    void playPhaseSound() override { ++plays; }
    int plays = 0;
};

struct Logged
{
    QtMsgType type;
    QString text;
};
QList<Logged> s_logged;
QtMessageHandler s_previousHandler = nullptr;

void captureNotifierLog(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (qstrcmp(context.category, "PomodoroNotifier") == 0)
        s_logged.append({ type, text });
    if (s_previousHandler)
        s_previousHandler(type, context, text);
}

QDBusMessage actionInvoked(uint id, const QString& action)
{
    return QDBusMessage::createSignal(objectPath, serviceName, u"ActionInvoked"_s) << id << action;
}

} // namespace

class tst_DBusNotifier : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void postsOneNotificationPerEvent_data();
    void postsOneNotificationPerEvent();
    void skipActionPostsOnlyForOwnPhaseNotifications_data();
    void skipActionPostsOnlyForOwnPhaseNotifications();
    void withoutServerOnlyTheSoundPlaysUntilOneAppears();
    void failedNotifyLogsOnlyTheFixedMessages();

    // Sees every ActionInvoked on the bus, as the notifier does; used to know when the notifier
    // has had its turn at a signal.
    void onActionSeen(uint id, const QString& action);

private:
    // Sends a marker through the same connection and waits until it arrives: everything that
    // connection sent before has then been handled by the notifier.
    void syncWith(const std::function<void(const QDBusMessage&)>& sender);

    QStringList m_seenActions;
    int m_markers = 0;
};

void tst_DBusNotifier::initTestCase()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    QVERIFY2(bus.isConnected(), "run through scripts/isolated-run --dbus");
    QVERIFY2(!bus.interface()->isServiceRegistered(serviceName).value(),
        "a notification server is running: this must run on its own bus (scripts/isolated-run --dbus)");
    QVERIFY(
        bus.connect(QString(), objectPath, serviceName, u"ActionInvoked"_s, this, SLOT(onActionSeen(uint, QString))));
    s_previousHandler = qInstallMessageHandler(captureNotifierLog);
}

void tst_DBusNotifier::init()
{
    s_logged.clear();
    m_seenActions.clear();
}

void tst_DBusNotifier::cleanupTestCase()
{
    qInstallMessageHandler(s_previousHandler);
}

void tst_DBusNotifier::onActionSeen(uint /*id*/, const QString& action)
{
    m_seenActions.append(action);
}

void tst_DBusNotifier::syncWith(const std::function<void(const QDBusMessage&)>& sender)
{
    const QString marker = u"tivren-test-marker-"_s + QString::number(++m_markers);
    sender(actionInvoked(0, marker));
    QTRY_VERIFY(m_seenActions.contains(marker));
}

void tst_DBusNotifier::postsOneNotificationPerEvent_data()
{
    QTest::addColumn<std::optional<PomodoroPhase>>("phase"); // none: a work reminder
    QTest::addColumn<double>("elapsed");
    QTest::addColumn<bool>("sound");

    QTest::newRow("work, sound off") << std::optional(PomodoroPhase::work) << 0.0 << false;
    QTest::newRow("short break, sound on") << std::optional(PomodoroPhase::shortBreak) << 0.0 << true;
    QTest::newRow("long break, sound on") << std::optional(PomodoroPhase::longBreak) << 0.0 << true;
    QTest::newRow("reminder, sound on") << std::optional<PomodoroPhase>() << 2700.0 << true;
    QTest::newRow("reminder, sound off") << std::optional<PomodoroPhase>() << 3900.0 << false;
}

void tst_DBusNotifier::postsOneNotificationPerEvent()
{
    QFETCH(std::optional<PomodoroPhase>, phase);
    QFETCH(double, elapsed);
    QFETCH(bool, sound);

    RunningServer server;
    QVERIFY(server.registered());
    CountingSoundPlayer player;
    PomodoroSkipBroadcaster skip;
    // The system language, handed in, decides the texts; the test process itself runs in C.
    const QLocale german(QLocale::German, QLocale::Germany);
    DBusNotifier notifier(QDBusConnection::sessionBus(), player, skip, [german] {
        return german;
    });

    const NotificationText expected =
        phase ? NotificationTexts::phaseBegan(*phase, german) : NotificationTexts::workReminder(elapsed, german);
    const NotificationText english = phase ? NotificationTexts::phaseBegan(*phase, QLocale(QLocale::English))
                                           : NotificationTexts::workReminder(elapsed, QLocale(QLocale::English));
    QVERIFY2(expected.title != english.title && expected.body != english.body, "German texts are missing");

    if (phase)
        notifier.notify(*phase, sound);
    else
        notifier.notifyWorkReminder(elapsed, sound);
    QCOMPARE(player.plays, sound ? 1 : 0); // at once, not when the server answers

    QTRY_COMPARE(server.calls().size(), qsizetype(1));
    const NotifyCall call = server.calls().constFirst();
    QCOMPARE(call.appName, u"Tivren"_s);
    QCOMPARE(call.replacesId, 0u);
    QCOMPARE(call.appIcon, u"tivren"_s);
    QCOMPARE(call.summary, expected.title);
    QCOMPARE(call.body, expected.body);
    QCOMPARE(call.expireTimeout, -1);
    const QStringList skipAction { u"POMODORO_SKIP"_s, NotificationTexts::skipAction(german) };
    QCOMPARE(call.actions, phase ? skipAction : QStringList());

    QCOMPARE(call.hints.value(u"category"_s).toString(), phase ? u"x-tivren.pomodoro"_s : u"x-tivren.reminder"_s);
    QCOMPARE(call.hints.value(u"desktop-entry"_s).toString(), u"tivren"_s);
    // Servers ignore an urgency that is not a byte.
    QCOMPARE(call.hints.value(u"urgency"_s).metaType(), QMetaType::fromType<uchar>());
    QCOMPARE(call.hints.value(u"urgency"_s).value<uchar>(), uchar(1));
    // Tivren's own sound (or none) is the only one: the server must never add its own.
    QCOMPARE(call.hints.value(u"suppress-sound"_s).metaType(), QMetaType::fromType<bool>());
    QCOMPARE(call.hints.value(u"suppress-sound"_s).toBool(), true);
    QVERIFY(!call.hints.contains(u"sound-name"_s));
}

void tst_DBusNotifier::skipActionPostsOnlyForOwnPhaseNotifications_data()
{
    QTest::addColumn<QString>("target"); // which notification the action names
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("fromOtherSender");
    QTest::addColumn<bool>("closedFirst");
    QTest::addColumn<int>("expectedSkips");

    const QString skip = u"POMODORO_SKIP"_s;
    QTest::newRow("latest phase") << u"latest"_s << skip << false << false << 1;
    QTest::newRow("earlier phase still showing") << u"earlier"_s << skip << false << false << 1;
    QTest::newRow("default action") << u"latest"_s << u"default"_s << false << false << 0;
    QTest::newRow("work reminder") << u"reminder"_s << skip << false << false << 0;
    QTest::newRow("another app's notification") << u"foreign"_s << skip << false << false << 0;
    QTest::newRow("our id, another sender") << u"latest"_s << skip << true << false << 0;
    QTest::newRow("after it was closed") << u"latest"_s << skip << false << true << 0;
}

void tst_DBusNotifier::skipActionPostsOnlyForOwnPhaseNotifications()
{
    QFETCH(QString, target);
    QFETCH(QString, action);
    QFETCH(bool, fromOtherSender);
    QFETCH(bool, closedFirst);
    QFETCH(int, expectedSkips);

    RunningServer server;
    QVERIFY(server.registered());
    CountingSoundPlayer player;
    PomodoroSkipBroadcaster skip;
    QSignalSpy skips(&skip, &PomodoroSkipBroadcaster::pomodoroSkip);
    DBusNotifier notifier(QDBusConnection::sessionBus(), player, skip);

    notifier.notify(PomodoroPhase::work, false);
    notifier.notify(PomodoroPhase::shortBreak, false);
    notifier.notifyWorkReminder(3600, false);
    QTRY_COMPARE(server.calls().size(), qsizetype(3));
    const QList<NotifyCall> calls = server.calls();

    const auto fromServer = [&server](const QDBusMessage& message) {
        server.send(message);
    };
    syncWith(fromServer); // the notifier has seen the three answers
    if (QTest::currentTestFailed())
        return;

    const uint id = target == u"earlier"_s ? calls[0].answeredId
        : target == u"latest"_s            ? calls[1].answeredId
        : target == u"reminder"_s          ? calls[2].answeredId
                                           : 4242u;
    if (closedFirst)
        server.send(QDBusMessage::createSignal(objectPath, serviceName, u"NotificationClosed"_s) << id << 2u);

    QDBusConnection other = QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"other-sender"_s);
    const auto fromOther = [&other](const QDBusMessage& message) {
        other.send(message);
    };
    const std::function<void(const QDBusMessage&)> sender =
        fromOtherSender ? std::function(fromOther) : std::function(fromServer);
    sender(actionInvoked(id, action));
    syncWith(sender);
    QDBusConnection::disconnectFromBus(u"other-sender"_s);
    QCOMPARE(skips.count(), expectedSkips);
}

void tst_DBusNotifier::withoutServerOnlyTheSoundPlaysUntilOneAppears()
{
    CountingSoundPlayer player;
    PomodoroSkipBroadcaster skip;
    DBusNotifier notifier(QDBusConnection::sessionBus(), player, skip);
    QSignalSpy availability(&notifier, &DBusNotifier::serverAvailabilityChanged);

    notifier.requestAuthorizationIfNeeded();
    notifier.requestAuthorizationIfNeeded();
    QTRY_COMPARE(availability.count(), 1);
    QCOMPARE(availability.at(0).at(0).toBool(), false);

    notifier.notify(PomodoroPhase::work, true);
    notifier.notifyWorkReminder(3600, true);
    QCOMPARE(player.plays, 2);

    // The desktop's notification daemon starts after Tivren, as it can at login.
    RunningServer server;
    QVERIFY(server.registered());
    QTRY_COMPARE(availability.count(), 2);
    QCOMPARE(availability.at(1).at(0).toBool(), true);

    notifier.notify(PomodoroPhase::shortBreak, false);
    QTRY_COMPARE(server.calls().size(), qsizetype(1));
    QCOMPARE(server.calls().constFirst().summary,
        NotificationTexts::phaseBegan(PomodoroPhase::shortBreak, QLocale::system()).title);
    // Having no server is not a failure worth a log line.
    QCOMPARE(s_logged.size(), qsizetype(0));
}

void tst_DBusNotifier::failedNotifyLogsOnlyTheFixedMessages()
{
    CountingSoundPlayer player;
    PomodoroSkipBroadcaster skip;
    DBusNotifier notifier(QDBusConnection::sessionBus(), player, skip);

    // Not asked yet whether a server exists, so both are tried and fail.
    notifier.notify(PomodoroPhase::longBreak, true);
    notifier.notifyWorkReminder(60, false);
    QCOMPARE(player.plays, 1);

    QTRY_COMPARE(s_logged.size(), qsizetype(2));
    const QString phasePrefix = u"Failed to schedule Pomodoro notification: "_s;
    const QString reminderPrefix = u"Failed to schedule work reminder notification: "_s;
    QCOMPARE(s_logged[0].type, QtCriticalMsg);
    QVERIFY2(s_logged[0].text.startsWith(phasePrefix) && s_logged[0].text.size() > phasePrefix.size(),
        qPrintable(s_logged[0].text));
    QCOMPARE(s_logged[1].type, QtCriticalMsg);
    QVERIFY2(s_logged[1].text.startsWith(reminderPrefix) && s_logged[1].text.size() > reminderPrefix.size(),
        qPrintable(s_logged[1].text));
}

QTEST_GUILESS_MAIN(tst_DBusNotifier)
#include "tst_DBusNotifier.moc"
