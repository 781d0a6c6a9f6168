// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/overlay/BreakOverlayManager.h"
#include "platform/overlay/X11Compositing.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;
using namespace tivren;

using State = BreakOverlayManager::State;

// A real compositing manager (xcompmgr) coming and going under Xvfb: the bands follow it, for a
// break as for a flash. The journey bands-x11-compositing drives the same through the program.
class tst_X11Compositing : public QObject
{
    Q_OBJECT

    QProcess m_compositor;

    void startCompositor()
    {
        m_compositor.start(u"xcompmgr"_s, {});
        QVERIFY2(m_compositor.waitForStarted(), "xcompmgr is missing (scripts/deps installs it)");
    }

    void stopCompositor()
    {
        m_compositor.kill();
        m_compositor.waitForFinished();
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != u"xcb"_s)
            QSKIP("needs an X server (scripts/isolated-run --xvfb)");
    }

    void cleanup() { stopCompositor(); }

    void followsTheSelectionOwner()
    {
        X11Compositing compositing;
        QVERIFY(!compositing.isActive());
        QSignalSpy changes(&compositing, &X11Compositing::activeChanged);
        startCompositor();
        QTRY_COMPARE(changes.size(), qsizetype(1));
        QVERIFY(compositing.isActive());
        // A second watcher made while one runs sees it at once.
        QVERIFY(X11Compositing().isActive());
        stopCompositor();
        QTRY_COMPARE(changes.size(), qsizetype(2));
        QVERIFY(!compositing.isActive());
    }

    // A break without a compositing manager shows nothing; one arriving mid-break brings the bands,
    // its end removes them, and the break's end leaves nothing to bring back.
    void breakBandsFollowTheCompositor()
    {
        BreakOverlayManager manager({ 0ms, 0ms, 3000ms });
        manager.showBreakOverlay(OverlayColor::green);
        QCOMPARE(manager.windowCount(), 0);
        startCompositor();
        QTRY_COMPARE(manager.windowCount(), 2);
        QCOMPARE(manager.state(), State::breakShown);
        stopCompositor();
        QTRY_COMPARE(manager.windowCount(), 0);
        // The next break's flash still waits for the break to end.
        manager.flashOverlay(OverlayColor::orange);
        manager.hideBreakOverlay();
        startCompositor();
        QTest::qWait(300);
        QCOMPARE(manager.windowCount(), 0);
    }

    // A flash keeps its deadline while no bands can show: a compositor that arrives in time shows
    // the rest of it, and nothing after it.
    void flashKeepsItsDeadline()
    {
        BreakOverlayManager manager({ 0ms, 0ms, 1500ms });
        manager.flashOverlay(OverlayColor::orange);
        QCOMPARE(manager.windowCount(), 0);
        startCompositor();
        QTRY_COMPARE(manager.windowCount(), 2);
        QCOMPARE(manager.state(), State::flashing);
        QTRY_COMPARE_WITH_TIMEOUT(manager.windowCount(), 0, 3000);
        stopCompositor();
        startCompositor();
        QTest::qWait(300);
        QCOMPARE(manager.windowCount(), 0);
    }
};

QTEST_MAIN(tst_X11Compositing)
#include "tst_X11Compositing.moc"
