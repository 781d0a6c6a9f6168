// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/services/PomodoroSkipBroadcaster.h"
#include "app/services/SoundPlayer.h"
#include "app/text/NotificationTexts.h"
#include "platform/desktop/DBusNotifier.h"
#include "support/FakeNotificationServer.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QVariantMap>

using namespace Qt::StringLiterals;
using namespace tivren;

namespace {

using tivren::testing::CountingSoundPlayer;
using Server = tivren::testing::FakeNotificationServer;

QStringList s_logged; // the notifier's log lines; any that is not critical is marked so
QtMessageHandler s_previousHandler = nullptr;

void captureNotifierLog(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (qstrcmp(context.category, "PomodoroNotifier") == 0)
        s_logged.append(type == QtCriticalMsg ? text : u"(not critical) "_s + text);
    s_previousHandler(type, context, text);
}

// The system language, handed to the notifier, decides the texts; the test itself runs in C.
QLocale german()
{
    return QLocale(QLocale::German, QLocale::Germany);
}

} // namespace

class tst_DBusNotifier : public QObject
{
    Q_OBJECT

    CountingSoundPlayer m_player;
    PomodoroSkipBroadcaster m_skip;
    QDBusConnection m_other = QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"other-sender"_s);
    QString m_lastAction;
    int m_markers = 0;

    // Whatever the sender sent before a marker has reached the notifier once the marker is here.
    void syncWith(QDBusConnection& sender)
    {
        const QString marker = u"tivren-test-marker-"_s + QString::number(++m_markers);
        sender.send(Server::signal(u"ActionInvoked"_s, 0, marker));
        QTRY_COMPARE(m_lastAction, marker);
    }

public Q_SLOTS:
    // Sees every ActionInvoked on the notifier's connection, right after the notifier does.
    void onActionSeen(uint /*id*/, const QString& action) { m_lastAction = action; }

private Q_SLOTS:
    void initTestCase()
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY2(bus.isConnected() && !bus.interface()->isServiceRegistered(Server::service).value(),
            "a notification server is running: this must run on its own bus (scripts/isolated-run --dbus)");
        QVERIFY(bus.connect(
            QString(), Server::path, Server::service, u"ActionInvoked"_s, this, SLOT(onActionSeen(uint, QString))));
        s_previousHandler = qInstallMessageHandler(captureNotifierLog);
    }

    // Which of the work, short break and reminder notifications the action names (-1: another app's).
    void skipHonouredOnlyForOwnPhaseNotifications_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("fromOtherSender");
        QTest::addColumn<bool>("closedFirst");
        QTest::addColumn<int>("expectedSkips");
        const QString skip = u"POMODORO_SKIP"_s;
        QTest::newRow("latest phase") << 1 << skip << false << false << 1;
        // Closed when the short break began; a server that kept it showing must not skip the break.
        QTest::newRow("earlier phase still showing") << 0 << skip << false << false << 0;
        QTest::newRow("default action") << 1 << u"default"_s << false << false << 0;
        QTest::newRow("work reminder") << 2 << skip << false << false << 0;
        QTest::newRow("another app's notification") << -1 << skip << false << false << 0;
        QTest::newRow("our id, another sender") << 1 << skip << true << false << 0;
        QTest::newRow("after it was closed") << 1 << skip << false << true << 0;
    }

    // One notification per event, in the system's language; a skip only from our own phase ones.
    void skipHonouredOnlyForOwnPhaseNotifications()
    {
        QFETCH(int, target);
        QFETCH(QString, action);
        QFETCH(bool, fromOtherSender);
        QFETCH(bool, closedFirst);
        Server server;
        QVERIFY(server.registered);
        QSignalSpy skips(&m_skip, &PomodoroSkipBroadcaster::pomodoroSkip);
        DBusNotifier notifier(QDBusConnection::sessionBus(), m_player, m_skip, &german);
        notifier.notify(PomodoroPhase::work, false);
        notifier.notify(PomodoroPhase::shortBreak, true);
        notifier.notifyWorkReminder(2700, false);
        QCOMPARE(std::exchange(m_player.plays, 0), 1); // at once, not when the server answers
        QTRY_COMPARE(server.calls.size(), qsizetype(3));
        syncWith(server.bus); // the notifier has seen the three answers
        // The work notification was closed when the break began, even though the server had not
        // answered its Notify yet.
        QTRY_COMPARE(server.closed, QList<uint> { 1001u });
        const NotificationText texts[] = { NotificationTexts::phaseBegan(PomodoroPhase::work, german()),
            NotificationTexts::phaseBegan(PomodoroPhase::shortBreak, german()),
            NotificationTexts::workReminder(2700, german()) };
        QVERIFY2(texts[2].body != NotificationTexts::workReminder(2700, QLocale::c()).body, "no German texts");
        for (int i = 0; i < 3; ++i) {
            const QStringList actions { u"POMODORO_SKIP"_s, NotificationTexts::skipAction(german()) };
            const QVariantMap hints {
                { u"category"_s, i < 2 ? u"x-tivren.pomodoro"_s : u"x-tivren.reminder"_s },
                { u"desktop-entry"_s, u"org.tivren.Tivren"_s },
                { u"urgency"_s, QVariant::fromValue(uchar(1)) },
                // Tivren's own sound (or none) is the only one: no sound-name, and the server adds none.
                { u"suppress-sound"_s, true },
            };
            // replaces_id 0: every event gets a notification of its own.
            QCOMPARE(server.calls[i],
                QVariantList({ u"Tivren"_s,
                    0u,
                    u"org.tivren.Tivren"_s,
                    texts[i].title,
                    texts[i].body,
                    i < 2 ? actions : QStringList(),
                    hints,
                    -1 }));
            // Servers ignore hints of the wrong type, which equal values above would not show.
            QCOMPARE(server.calls[i][6].toMap()[u"urgency"_s].metaType(), QMetaType::fromType<uchar>());
            QCOMPARE(server.calls[i][6].toMap()[u"suppress-sound"_s].metaType(), QMetaType::fromType<bool>());
        }

        const uint id = target < 0 ? 4242u : 1001u + uint(target);
        if (closedFirst)
            server.bus.send(Server::signal(u"NotificationClosed"_s, id, 2u));
        QDBusConnection& sender = fromOtherSender ? m_other : server.bus;
        sender.send(Server::signal(u"ActionInvoked"_s, id, action));
        syncWith(sender);
        QTEST(int(skips.count()), "expectedSkips");
    }

    // The server plays the sound where it can (and Do Not Disturb silences it); Tivren only where not.
    void soundThroughServerWhenItHasOne_data()
    {
        QTest::addColumn<bool>("serverHasSound");
        QTest::addColumn<bool>("soundEnabled");
        QTest::addColumn<int>("plays");
        QTest::addColumn<QString>("soundName");
        QTest::newRow("server with sound") << true << true << 0 << u"complete"_s;
        QTest::newRow("server without sound") << false << true << 1 << QString();
        QTest::newRow("sound off, server with sound") << true << false << 0 << QString();
    }

    void soundThroughServerWhenItHasOne()
    {
        QFETCH(bool, serverHasSound);
        QFETCH(bool, soundEnabled);
        QFETCH(QString, soundName);
        Server server;
        QVERIFY(server.registered);
        if (serverHasSound)
            server.capabilities << u"sound"_s;
        DBusNotifier notifier(QDBusConnection::sessionBus(), m_player, m_skip);
        // The capabilities are asked once at start; the first phase ends long after the answer.
        notifier.notifyWorkReminder(60, false);
        QTRY_COMPARE(server.calls.size(), qsizetype(1));
        syncWith(server.bus);
        m_player.plays = 0;
        notifier.notify(PomodoroPhase::shortBreak, soundEnabled);
        QTEST(std::exchange(m_player.plays, 0), "plays");
        QTRY_COMPARE(server.calls.size(), qsizetype(2));
        const QVariantMap hints = server.calls[1][6].toMap();
        QCOMPARE(hints.value(u"sound-name"_s).toString(), soundName);
        // Exactly one of them: a suppressed sound-name would be no sound at all.
        QCOMPARE(hints.contains(u"suppress-sound"_s), soundName.isEmpty());
    }

    void withoutServerOnlyTheSoundPlaysUntilOneAppears()
    {
        DBusNotifier notifier(QDBusConnection::sessionBus(), m_player, m_skip);
        s_logged.clear();
        // Not asked yet whether a server exists: both are tried, and logged with the bus's reason.
        notifier.notify(PomodoroPhase::longBreak, false);
        notifier.notifyWorkReminder(60, false);
        QTRY_COMPARE(s_logged.size(), qsizetype(2));
        QCOMPARE(s_logged.replaceInStrings(QRegularExpression(u": \\S.*$"_s), u": …"_s),
            QStringList({ u"Failed to schedule Pomodoro notification: …"_s,
                u"Failed to schedule work reminder notification: …"_s }));

        QSignalSpy availability(&notifier, &DBusNotifier::serverAvailabilityChanged);
        notifier.requestAuthorizationIfNeeded();
        QTRY_COMPARE(availability.value(0), QVariantList { false });
        notifier.notify(PomodoroPhase::work, true);
        notifier.notifyWorkReminder(3600, true);
        QCOMPARE(m_player.plays, 2);
        // The desktop's notification daemon starts after Tivren, as it can at login.
        Server server;
        QVERIFY(server.registered);
        QTRY_COMPARE(availability.value(1), QVariantList { true });
        notifier.notify(PomodoroPhase::shortBreak, false);
        QTRY_COMPARE(server.calls.size(), qsizetype(1));
        QCOMPARE(s_logged.size(), qsizetype(2)); // having no server is not a failure worth a log line
    }
};

QTEST_GUILESS_MAIN(tst_DBusNotifier)
#include "tst_DBusNotifier.moc"
