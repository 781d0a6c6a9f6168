// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/session/LogindSessionEvents.h"
#include "support/Fakes.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;
using tivren::testing::FakeClock;

namespace {

const QString logindService = u"org.freedesktop.login1"_s;
const QString managerPath = u"/org/freedesktop/login1"_s;
const QString managerInterface = u"org.freedesktop.login1.Manager"_s;
const QString sessionPath = u"/org/freedesktop/login1/session/c7"_s;
const QString sessionInterface = u"org.freedesktop.login1.Session"_s;
const QString following = u"Following the screen lock of session "_s + sessionPath;

QStringList s_logged;
QtMessageHandler s_previousHandler = nullptr;

void captureSessionLog(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (qstrcmp(context.category, "SessionEvents") == 0)
        s_logged.append(text);
    s_previousHandler(type, context, text);
}

QDBusMessage prepareForSleep(bool start)
{
    return QDBusMessage::createSignal(managerPath, managerInterface, u"PrepareForSleep"_s) << start;
}

QDBusMessage sessionSignal(const QString& name)
{
    return QDBusMessage::createSignal(sessionPath, sessionInterface, name);
}

// logind's manager on a connection of its own, so that it is a sender of its own as logind is:
// answers every session lookup with session c7 (GetSessionByPID only when it knows the process)
// and records each as "<method> <argument>".
class FakeLogind : public QDBusVirtualObject
{
public:
    explicit FakeLogind(bool knowsProcess)
        : m_knowsProcess(knowsProcess)
    {
        registered = bus.registerVirtualObject(managerPath, this) && bus.registerService(logindService);
    }
    ~FakeLogind() override
    {
        bus.unregisterService(logindService);
        bus.unregisterObject(managerPath);
    }

    bool handleMessage(const QDBusMessage& call, const QDBusConnection& connection) override
    {
        lookups.append(call.member() + u' ' + call.arguments().value(0).toString());
        if (call.member() == u"GetSessionByPID"_s && !m_knowsProcess)
            return connection.send(
                call.createErrorReply(u"org.freedesktop.login1.NoSessionForPID"_s, u"not in a session"_s));
        return connection.send(call.createReply(QVariant::fromValue(QDBusObjectPath(sessionPath))));
    }
    QString introspect(const QString&) const override { return {}; }

    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"fake-logind"_s);
    bool registered = false;
    QStringList lookups;

private:
    bool m_knowsProcess;
};

} // namespace

// The session bus of the test stands for the system bus.
class tst_LogindSessionEvents : public QObject
{
    Q_OBJECT

    FakeClock m_clock;
    QDBusConnection m_impostor = QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"impostor"_s);
    int m_markersSent = 0;
    int m_markersSeen = 0;

    // Whatever the sender sent before has reached the events (on the test's connection) on return.
    void syncWith(QDBusConnection& sender)
    {
        sender.send(QDBusMessage::createSignal(u"/marker"_s, u"org.tivren.Test"_s, u"Marker"_s));
        const int sent = ++m_markersSent;
        QTRY_COMPARE(m_markersSeen, sent);
    }

public Q_SLOTS:
    void onMarker() { ++m_markersSeen; }

private Q_SLOTS:
    void initTestCase()
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY2(bus.isConnected() && !bus.interface()->isServiceRegistered(logindService).value(),
            "logind is on this bus: this must run on its own bus (scripts/isolated-run --dbus)");
        QVERIFY(bus.connect(QString(), u"/marker"_s, u"org.tivren.Test"_s, u"Marker"_s, this, SLOT(onMarker())));
        QLoggingCategory::setFilterRules(u"SessionEvents.debug=true"_s);
        s_previousHandler = qInstallMessageHandler(captureSessionLog);
    }

    void init() { s_logged.clear(); }

    // How the session is found: the most exact way logind answers.
    void findsItsSession_data()
    {
        QTest::addColumn<bool>("knowsProcess");
        QTest::addColumn<QString>("sessionId"); // XDG_SESSION_ID; empty: unset
        QTest::addColumn<QStringList>("lookups");
        const QString byProcess = u"GetSessionByPID "_s + QString::number(QCoreApplication::applicationPid());
        QTest::newRow("by process") << true << u"c7"_s << QStringList { byProcess };
        QTest::newRow("by XDG_SESSION_ID") << false << u"c7"_s << QStringList { byProcess, u"GetSession c7"_s };
        QTest::newRow("logind's auto") << false << QString() << QStringList { byProcess, u"GetSession auto"_s };
    }

    void findsItsSession()
    {
        QFETCH(bool, knowsProcess);
        QFETCH(QString, sessionId);
        QFETCH(QStringList, lookups);
        if (sessionId.isEmpty())
            qunsetenv("XDG_SESSION_ID");
        else
            qputenv("XDG_SESSION_ID", sessionId.toUtf8());
        FakeLogind logind(knowsProcess);
        QVERIFY(logind.registered);
        LogindSessionEvents events(QDBusConnection::sessionBus(), m_clock);
        QSignalSpy locked(&events, &SessionEvents::locked);
        QTRY_VERIFY(s_logged.contains(following));
        QCOMPARE(logind.lookups, lookups);
        logind.bus.send(sessionSignal(u"Lock"_s));
        QTRY_COMPARE(locked.count(), 1);
    }

    // Only logind's own signals count, each at the wall clock's instant when it came.
    void hearsLogindOnly()
    {
        FakeLogind logind(true);
        QVERIFY(logind.registered);
        LogindSessionEvents events(QDBusConnection::sessionBus(), m_clock);
        QTRY_VERIFY(s_logged.contains(following));
        QList<Instant> heard;
        for (auto signal : { &SessionEvents::preparingForSleep,
                 &SessionEvents::resumed,
                 &SessionEvents::locked,
                 &SessionEvents::unlocked })
            connect(&events, signal, this, [&heard](Instant at) {
                heard.append(at);
            });
        const QList<QDBusMessage> messages {
            prepareForSleep(true), prepareForSleep(false), sessionSignal(u"Lock"_s), sessionSignal(u"Unlock"_s)
        };
        for (const QDBusMessage& message : messages)
            m_impostor.send(message);
        syncWith(m_impostor);
        QCOMPARE(heard, QList<Instant> {});

        QList<Instant> expected;
        for (const QDBusMessage& message : messages) {
            m_clock.time += 600;
            expected.append(m_clock.time);
            logind.bus.send(message);
            syncWith(logind.bus);
        }
        QCOMPARE(heard, expected);
        QCOMPARE(s_logged.filter(u" at "_s).size(), 4); // one line each, for QT_LOGGING_RULES
    }

    // The lock however logind tells it (its own Lock, or the desktop's LockedHint), reported once.
    void lockedOnceWhicheverWay()
    {
        FakeLogind logind(true);
        QVERIFY(logind.registered);
        LogindSessionEvents events(QDBusConnection::sessionBus(), m_clock);
        QTRY_VERIFY(s_logged.contains(following));
        QSignalSpy locked(&events, &SessionEvents::locked);
        QSignalSpy unlocked(&events, &SessionEvents::unlocked);
        const auto hint = [](const QString& interface, const QVariant& value) {
            return QDBusMessage::createSignal(sessionPath, u"org.freedesktop.DBus.Properties"_s, u"PropertiesChanged"_s)
                << interface << QVariantMap { { u"LockedHint"_s, value } } << QStringList();
        };
        const QList<QDBusMessage> messages { hint(u"org.example.Other"_s, true),
            hint(sessionInterface, u"yes"_s),
            hint(sessionInterface, true),
            sessionSignal(u"Lock"_s),
            hint(sessionInterface, true),
            hint(sessionInterface, false),
            sessionSignal(u"Unlock"_s) };
        for (const QDBusMessage& message : messages)
            logind.bus.send(message);
        syncWith(logind.bus);
        QCOMPARE(locked.count(), 1);
        QCOMPARE(unlocked.count(), 1);
    }

    // No logind, or no system bus at all: nothing else happens, and the debug log says why.
    void withoutLogindNothingIsHeard_data()
    {
        QTest::addColumn<bool>("connected");
        QTest::addColumn<QString>("logged");
        QTest::newRow("no logind") << true << u"logind is not on the system bus"_s;
        QTest::newRow("no system bus") << false << u"No system bus"_s;
    }

    void withoutLogindNothingIsHeard()
    {
        QFETCH(bool, connected);
        QFETCH(QString, logged);
        LogindSessionEvents events(
            connected ? QDBusConnection::sessionBus() : QDBusConnection(u"tivren-test-no-bus"_s), m_clock);
        QTRY_VERIFY(!s_logged.filter(logged).isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_LogindSessionEvents)
#include "tst_LogindSessionEvents.moc"
