// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's idle detectors on a private bus under Xvfb: which one DesktopIdleMonitor picks for
// the stand-in services up, and the X server's own idle time going idle and coming back.
#include "app/model/Clock.h"
#include "platform/idle/DesktopIdleMonitor.h"
#include "platform/idle/XScreenSaverIdleDetector.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace tivren {

class tst_IdleDetectors : public QObject
{
    Q_OBJECT

private:
    SystemClock m_clock;

    // Starts the stand-in in `mode` and waits until it owns its name.
    std::unique_ptr<QProcess> startService(const QString& mode)
    {
        auto process = std::make_unique<QProcess>();
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        process->start(QStringLiteral(IDLE_SERVICES), { mode });
        const QString name =
            mode == u"--mutter"_s ? u"org.gnome.Mutter.IdleMonitor"_s : u"org.freedesktop.ScreenSaver"_s;
        auto* bus = QDBusConnection::sessionBus().interface();
        [&] {
            QTRY_VERIFY_WITH_TIMEOUT(bus->isServiceRegistered(name), 5000);
        }();
        return process;
    }

private Q_SLOTS:
    // The stand-ins up; the detector picked. An error reply (GNOME's ScreenSaver) is none.
    void picksTheFirstThatAnswers_data()
    {
        QTest::addColumn<QStringList>("services");
        QTest::addColumn<QString>("mechanism");
        QTest::newRow("only the X server") << QStringList {} << u"xscreensaver"_s;
        QTest::newRow("a ScreenSaver that refuses") << QStringList { u"--screensaver-error"_s } << u"xscreensaver"_s;
        QTest::newRow("ScreenSaver") << QStringList { u"--screensaver"_s } << u"screensaver"_s;
        QTest::newRow("Mutter first") << QStringList { u"--screensaver"_s, u"--mutter"_s } << u"mutter"_s;
    }

    void picksTheFirstThatAnswers()
    {
        QFETCH(QStringList, services);
        QFETCH(QString, mechanism);
        std::vector<std::unique_ptr<QProcess>> processes;
        for (const QString& mode : services)
            processes.push_back(startService(mode));
        DesktopIdleMonitor monitor(QDBusConnection::sessionBus(), m_clock);
        QSignalSpy available(&monitor, &IdleMonitor::availabilityChanged);
        QVERIFY(!monitor.isAvailable()); // until the desktop has answered
        QCOMPARE(monitor.mechanism(), QString());
        QVERIFY(available.wait(5000));
        QVERIFY(monitor.isAvailable());
        QCOMPARE(monitor.mechanism(), mechanism);
        for (const auto& process : processes) {
            process->kill();
            process->waitForFinished();
        }
    }

    // Xvfb has had no input since it started: idle at once against a 1 s threshold, since the
    // server's last input; back when xdotool moves the pointer.
    void xServerIdleAndBack()
    {
        XScreenSaverIdleDetector detector(m_clock, 100ms);
        QSignalSpy probed(&detector, &IdleDetector::probed);
        detector.probe();
        QVERIFY(probed.wait(1000));
        QCOMPARE(probed.first().first().toBool(), true);
        QSignalSpy idle(&detector, &IdleMonitor::becameIdle);
        QSignalSpy active(&detector, &IdleMonitor::becameActive);
        QVERIFY(QProcess::execute(u"xdotool"_s, { u"mousemove"_s, u"10"_s, u"10"_s }) == 0);
        const Instant moved = m_clock.now();
        detector.watch(1);
        QVERIFY(idle.wait(3000));
        QVERIFY(qAbs(idle.first().first().toDouble() - moved) < 0.5);
        QVERIFY(active.isEmpty());
        QVERIFY(QProcess::execute(u"xdotool"_s, { u"mousemove"_s, u"20"_s, u"20"_s }) == 0);
        const Instant back = m_clock.now();
        QVERIFY(active.wait(3000));
        QVERIFY(qAbs(active.first().first().toDouble() - back) < 0.5);
        // Not watching: nothing more, however long the user stays away.
        detector.stopWatching();
        QTest::qWait(1500);
        QCOMPARE(idle.size(), 1);
    }
};

} // namespace tivren

QTEST_MAIN(tivren::tst_IdleDetectors)
#include "tst_IdleDetectors.moc"
