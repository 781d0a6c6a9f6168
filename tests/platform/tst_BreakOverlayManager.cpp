#include "platform/BreakOverlayManager.h"
#include "platform/EdgeGradientWidget.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using namespace tivren;

using State = BreakOverlayManager::State;
using Windows = QList<QPointer<QWidget>>;

namespace {

// Short enough for a quick test, long enough that a restarted flash deadline stands out.
const BreakOverlayManager::Durations kDurations { 50ms, 100ms, 600ms };
const int kHold = 600;
const QColor kGreen(0x33d17a), kBlue(0x3584e4), kOrange(0xff7800);

// The layout of two-screens.json, written out so that bands built from the available geometry or
// in device pixels show up as wrong rectangles.
const QList<QRect> kBands { { 0, 0, 80, 1080 }, { 1840, 0, 80, 1080 }, { 1920, 0, 80, 800 }, { 3120, 0, 80, 800 } };

EdgeGradientWidget* band(QWidget* w)
{
    return qobject_cast<EdgeGradientWidget*>(w);
}

Windows tracked(const BreakOverlayManager& manager)
{
    const auto windows = manager.windows();
    return { windows.cbegin(), windows.cend() };
}

bool allGone(const Windows& windows)
{
    return std::all_of(windows.cbegin(), windows.cend(), [](const QPointer<QWidget>& w) {
        return w.isNull();
    });
}

bool allFadedIn(const BreakOverlayManager& manager, qreal alpha)
{
    const auto windows = manager.windows();
    return !windows.isEmpty() && std::all_of(windows.cbegin(), windows.cend(), [=](QWidget* w) {
        return band(w)->opacity() == alpha;
    });
}

void verifyBands(const BreakOverlayManager& manager, const QColor& color)
{
    const auto windows = manager.windows();
    QCOMPARE(windows.size(), kBands.size());
    for (qsizetype i = 0; i < windows.size(); ++i) {
        QWidget* w = windows.at(i);
        QCOMPARE(w->geometry(), kBands.at(i));
        QCOMPARE(w->screen(), QGuiApplication::screens().at(i / 2));
        QVERIFY(w->isVisible());
        QCOMPARE(band(w)->color(), color);
        QCOMPARE(band(w)->edge(), i % 2 == 0 ? EdgeGradientWidget::Edge::left : EdgeGradientWidget::Edge::right);
        // No clicks, focus or task switcher entry; on top; and not bypassing the window manager,
        // which stacks such windows wrongly on some desktops.
        const Qt::WindowFlags wanted = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
            | Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus;
        QCOMPARE(w->windowFlags(), wanted);
        QVERIFY(w->testAttribute(Qt::WA_TransparentForMouseEvents));
        QVERIFY(w->testAttribute(Qt::WA_ShowWithoutActivating));
        QVERIFY(w->testAttribute(Qt::WA_TranslucentBackground));
    }
}

} // namespace

class tst_BreakOverlayManager : public QObject
{
    Q_OBJECT

    enum class Action
    {
        shortBreak,
        longBreak,
        flash,
        screenChange,
    };

    static void act(BreakOverlayManager& manager, Action action)
    {
        switch (action) {
        case Action::shortBreak:
            return manager.showBreakOverlay(OverlayColor::green);
        case Action::longBreak:
            return manager.showBreakOverlay(OverlayColor::blue);
        case Action::flash:
            return manager.flashOverlay(OverlayColor::orange);
        case Action::screenChange: {
            // Offscreen screens cannot be rearranged from a test; this is what a real change sends.
            QScreen* screen = QGuiApplication::screens().at(1);
            Q_EMIT screen->geometryChanged(screen->geometry());
        }
        }
    }

private Q_SLOTS:
    void initTestCase()
    {
        // Fail loudly when the offscreen platform fell back to its single default screen.
        const auto screens = QGuiApplication::screens();
        QCOMPARE(screens.size(), 2);
        QCOMPARE(screens.at(1)->geometry(), QRect(1920, 0, 1280, 800));
        QCOMPARE(screens.at(1)->devicePixelRatio(), 2.0);
    }

    void bandsForEachUse_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<QColor>("color");
        QTest::addColumn<qreal>("alpha");
        QTest::addColumn<State>("state");
        QTest::newRow("short break") << Action::shortBreak << kGreen << 0.3 << State::breakShown;
        QTest::newRow("long break") << Action::longBreak << kBlue << 0.3 << State::breakShown;
        QTest::newRow("reminder flash") << Action::flash << kOrange << 0.25 << State::flashing;
    }

    void bandsForEachUse()
    {
        QFETCH(Action, action);
        QFETCH(QColor, color);
        QFETCH(qreal, alpha);
        QFETCH(State, state);

        BreakOverlayManager manager(kDurations);
        act(manager, action);
        QCOMPARE(manager.state(), state);
        verifyBands(manager, color);
        QVERIFY(allFadedIn(manager, 0.0)); // fades in rather than popping up
        QTRY_VERIFY(allFadedIn(manager, alpha));
    }

    void flashOverShownBandsBuildsNothing_data()
    {
        QTest::addColumn<Action>("first");
        QTest::newRow("during a break") << Action::shortBreak;
        QTest::newRow("during a flash") << Action::flash;
    }

    void flashOverShownBandsBuildsNothing()
    {
        QFETCH(Action, first);

        BreakOverlayManager manager(kDurations);
        QElapsedTimer clock;
        clock.start();
        act(manager, first);
        const Windows before = tracked(manager);
        const State state = manager.state();
        QTest::qWait(kHold / 2);
        manager.flashOverlay(OverlayColor::orange);
        QCOMPARE(tracked(manager), before);
        QCOMPARE(manager.state(), state);

        if (first == Action::shortBreak) {
            // The refused flash must not have set a deadline on the break's bands.
            QTest::qWait(kHold);
            QCOMPARE(manager.state(), State::breakShown);
            return;
        }
        // The first flash keeps its deadline; a restarted one would end at 1.5 holds.
        QVERIFY(QTest::qWaitFor(
            [&] {
                return manager.state() != State::flashing;
            },
            5 * kHold));
        QVERIFY2(
            clock.elapsed() >= kHold && clock.elapsed() < kHold * 5 / 4, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(manager.state(), State::fadingOut);
        QTRY_COMPARE(manager.state(), State::hidden);
        QVERIFY(allGone(before));
    }

    void replacedAtOnce_data()
    {
        QTest::addColumn<Action>("first");
        QTest::addColumn<Action>("then");
        QTest::addColumn<bool>("midFadeIn");
        QTest::newRow("break over a break") << Action::shortBreak << Action::longBreak << false;
        // The replaced flash's deadline must not take the break's bands down.
        QTest::newRow("break over a flash") << Action::flash << Action::longBreak << false;
        QTest::newRow("screen change in a break") << Action::shortBreak << Action::screenChange << false;
        QTest::newRow("screen change in a flash") << Action::flash << Action::screenChange << false;
        // Keeps the target alpha, not the dim one of the moment.
        QTest::newRow("screen change in a fade-in") << Action::shortBreak << Action::screenChange << true;
    }

    void replacedAtOnce()
    {
        QFETCH(Action, first);
        QFETCH(Action, then);
        QFETCH(bool, midFadeIn);

        BreakOverlayManager manager(kDurations);
        act(manager, first);
        if (!midFadeIn)
            QTRY_VERIFY(allFadedIn(manager, manager.bandAlpha()));
        const Windows before = tracked(manager);
        const bool newBreak = then == Action::longBreak;
        const QColor color = newBreak ? kBlue : band(before.first())->color();
        const qreal alpha = newBreak ? 0.3 : manager.bandAlpha();
        const State state = newBreak ? State::breakShown : manager.state();

        act(manager, then);
        QTRY_VERIFY(!before.contains(manager.windows().value(0)));
        for (const QPointer<QWidget>& w : before)
            QVERIFY(!w || !w->isVisible()); // gone at once, no fade-out
        QCOMPARE(manager.state(), state);
        verifyBands(manager, color);
        QTRY_VERIFY(allFadedIn(manager, alpha));
        QVERIFY(allGone(before));
        if (state == State::breakShown) {
            QTest::qWait(kHold);
            QCOMPARE(manager.state(), State::breakShown);
        }
    }

    void hideFadesOut_data()
    {
        QTest::addColumn<Action>("first");
        QTest::addColumn<bool>("breakWhileFading");
        QTest::newRow("break") << Action::shortBreak << false;
        QTest::newRow("flash") << Action::flash << false;
        QTest::newRow("break, and the next one while fading") << Action::shortBreak << true;
    }

    void hideFadesOut()
    {
        QFETCH(Action, first);
        QFETCH(bool, breakWhileFading);

        BreakOverlayManager manager(kDurations);
        act(manager, first);
        QTRY_VERIFY(allFadedIn(manager, manager.bandAlpha()));
        const Windows before = tracked(manager);

        manager.hideBreakOverlay();
        QCOMPARE(manager.windowCount(), 0);
        QCOMPARE(manager.state(), State::fadingOut);
        for (const QPointer<QWidget>& w : before)
            QVERIFY(w && w->isVisible());
        if (breakWhileFading)
            manager.showBreakOverlay(OverlayColor::blue);
        QTRY_VERIFY(allGone(before));
        QCOMPARE(manager.state(), breakWhileFading ? State::breakShown : State::hidden);

        act(manager, Action::screenChange); // no bands pop up when none are shown
        QTest::qWait(20);
        QCOMPARE(manager.windowCount(), breakWhileFading ? 4 : 0);
    }

    void gradientRunsFromTheEdge()
    {
        BreakOverlayManager manager(kDurations);
        manager.showBreakOverlay(OverlayColor::green);
        QTRY_VERIFY(allFadedIn(manager, BreakOverlayManager::breakAlpha));
        for (int i : { 0, 1 }) {
            const QImage image = manager.windows().at(i)->grab().toImage();
            QCOMPARE(image.size(), QSize(80, 1080));
            if (const QString dir = qEnvironmentVariable("TIVREN_SCREENSHOT_DIR"); !dir.isEmpty() && i == 0)
                QVERIFY(image.save(dir + u"/tivren-overlay-band.png"_s));
            // From the screen edge to the middle: the colour at break alpha, then ever fainter.
            const auto at = [&](int inward) {
                return image.pixelColor(i == 0 ? inward : 79 - inward, 540);
            };
            QVERIFY2(qAbs(at(0).alpha() - 77) <= 3, qPrintable(at(0).name(QColor::HexArgb)));
            QCOMPARE(at(0).rgb() & 0xf0f0f0, kGreen.rgb() & 0xf0f0f0);
            for (int inward = 10; inward < 80; inward += 10)
                QVERIFY(at(inward).alpha() < at(inward - 10).alpha());
            QVERIFY(at(79).alpha() <= 2);
        }
    }

    void destructionTakesEveryBandAlong()
    {
        // Quitting during a fade must leave no stray bands and no crash at the fade's end.
        Windows windows;
        {
            BreakOverlayManager manager(kDurations);
            manager.showBreakOverlay(OverlayColor::green);
            windows = tracked(manager);
            manager.hideBreakOverlay();
            manager.flashOverlay(OverlayColor::orange);
            windows += tracked(manager);
            QCOMPARE(windows.size(), 8);
        }
        QVERIFY(allGone(windows));
        QTest::qWait(200);
    }
};

QTEST_MAIN(tst_BreakOverlayManager)
#include "tst_BreakOverlayManager.moc"
