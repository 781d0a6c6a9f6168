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

// Short enough to keep the test quick, long enough that a restarted deadline stands out.
const BreakOverlayManager::Durations kDurations { 50ms, 100ms, 600ms };

// The layout of two-screens.json; written out so that a band built from the available geometry,
// or in device pixels, shows up as a wrong rectangle.
const QList<QRect> kBands {
    { 0, 0, 80, 1080 },
    { 1840, 0, 80, 1080 },
    { 1920, 0, 80, 800 },
    { 3120, 0, 80, 800 },
};

EdgeGradientWidget* band(QWidget* window)
{
    return qobject_cast<EdgeGradientWidget*>(window);
}

Windows tracked(const BreakOverlayManager& manager)
{
    Windows windows;
    for (QWidget* w : manager.windows())
        windows << w;
    return windows;
}

// Offscreen windows cannot be raised; Qt says so for every stay-on-top window it shows.
QtMessageHandler s_defaultHandler = nullptr;

void dropRaiseWarning(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message != u"This plugin does not support raise()"_s)
        s_defaultHandler(type, context, message);
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
    return !windows.isEmpty() && std::all_of(windows.cbegin(), windows.cend(), [alpha](QWidget* w) {
        return qFuzzyCompare(band(w)->opacity(), alpha);
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
        // Never clicks, focus or a place in the task switcher; above other windows; and left to the
        // window manager, which stacks bypassing windows wrongly on some desktops.
        const Qt::WindowFlags flags = w->windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
        for (Qt::WindowType flag : { Qt::FramelessWindowHint,
                 Qt::WindowStaysOnTopHint,
                 Qt::WindowTransparentForInput,
                 Qt::WindowDoesNotAcceptFocus })
            QVERIFY2(flags.testFlag(flag), QByteArray::number(flag, 16).constData());
        QVERIFY(!flags.testFlag(Qt::BypassWindowManagerHint));
        QVERIFY(w->testAttribute(Qt::WA_TransparentForMouseEvents));
        QVERIFY(w->testAttribute(Qt::WA_ShowWithoutActivating));
        QVERIFY(w->testAttribute(Qt::WA_TranslucentBackground));
        QCOMPARE(w->focusPolicy(), Qt::NoFocus);
    }
}

enum class Start
{
    none,
    shortBreak,
    flash,
};

void start(BreakOverlayManager& manager, Start how)
{
    if (how == Start::shortBreak)
        manager.showBreakOverlay(OverlayColor::green);
    else if (how == Start::flash)
        manager.flashOverlay(OverlayColor::orange);
}

} // namespace

class tst_BreakOverlayManager : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void bandsForEachUse_data();
    void bandsForEachUse();
    void flashOverShownBandsBuildsNothing_data();
    void flashOverShownBandsBuildsNothing();
    void breakReplacesShownBandsAtOnce_data();
    void breakReplacesShownBandsAtOnce();
    void hideFadesOut_data();
    void hideFadesOut();
    void screenChangeRebuilds_data();
    void screenChangeRebuilds();
    void gradientRunsFromTheEdge_data();
    void gradientRunsFromTheEdge();
    void destructionTakesEveryBandAlong();
};

void tst_BreakOverlayManager::initTestCase()
{
    s_defaultHandler = qInstallMessageHandler(dropRaiseWarning);
    // Everything below assumes the two screens of two-screens.json; fail loudly when the offscreen
    // platform fell back to its single default screen.
    const auto screens = QGuiApplication::screens();
    QCOMPARE(screens.size(), 2);
    QCOMPARE(screens.at(0)->geometry(), QRect(0, 0, 1920, 1080));
    QCOMPARE(screens.at(1)->geometry(), QRect(1920, 0, 1280, 800));
    QCOMPARE(screens.at(1)->devicePixelRatio(), 2.0);
}

void tst_BreakOverlayManager::bandsForEachUse_data()
{
    QTest::addColumn<bool>("flash");
    QTest::addColumn<OverlayColor>("color");
    QTest::addColumn<QColor>("expectedColor");
    QTest::addColumn<qreal>("alpha");
    QTest::addColumn<State>("state");

    QTest::newRow("short break") << false << OverlayColor::green << QColor(0x33d17a) << 0.3 << State::breakShown;
    QTest::newRow("long break") << false << OverlayColor::blue << QColor(0x3584e4) << 0.3 << State::breakShown;
    QTest::newRow("reminder flash") << true << OverlayColor::orange << QColor(0xff7800) << 0.25 << State::flashing;
}

void tst_BreakOverlayManager::bandsForEachUse()
{
    QFETCH(bool, flash);
    QFETCH(OverlayColor, color);
    QFETCH(QColor, expectedColor);
    QFETCH(qreal, alpha);
    QFETCH(State, state);

    BreakOverlayManager manager(kDurations);
    QCOMPARE(manager.state(), State::hidden);
    flash ? manager.flashOverlay(color) : manager.showBreakOverlay(color);

    QCOMPARE(manager.state(), state);
    verifyBands(manager, expectedColor);
    for (QWidget* w : manager.windows())
        QCOMPARE(band(w)->opacity(), 0.0); // fades in rather than popping up
    QTRY_VERIFY(allFadedIn(manager, alpha));
    QCOMPARE(manager.state(), state);
}

void tst_BreakOverlayManager::flashOverShownBandsBuildsNothing_data()
{
    QTest::addColumn<Start>("first");
    QTest::newRow("during a break") << Start::shortBreak;
    QTest::newRow("during a flash") << Start::flash;
}

void tst_BreakOverlayManager::flashOverShownBandsBuildsNothing()
{
    QFETCH(Start, first);
    const auto hold = int(kDurations.flashHold.count());

    BreakOverlayManager manager(kDurations);
    QElapsedTimer clock;
    clock.start();
    start(manager, first);
    const Windows before = tracked(manager);
    const State state = manager.state();
    QTest::qWait(hold / 2);

    manager.flashOverlay(OverlayColor::orange);
    QCOMPARE(tracked(manager), before);
    QCOMPARE(manager.state(), state);
    for (QWidget* w : manager.windows())
        QCOMPARE(band(w)->color(), first == Start::flash ? QColor(0xff7800) : QColor(0x33d17a));

    if (first == Start::shortBreak) {
        // The refused flash must not have set a deadline of its own on the break's bands.
        QTest::qWait(hold + int(kDurations.fadeOut.count()));
        QCOMPARE(manager.state(), State::breakShown);
        QCOMPARE(tracked(manager), before);
        return;
    }
    // The first flash keeps its deadline; a restarted one would end at 1.5 holds.
    QVERIFY(QTest::qWaitFor(
        [&] {
            return manager.state() != State::flashing;
        },
        5 * hold));
    const qint64 ended = clock.elapsed();
    QVERIFY2(ended >= hold && ended < hold * 5 / 4, QByteArray::number(ended).constData());
    QCOMPARE(manager.state(), State::fadingOut);
    QTRY_VERIFY(allGone(before));
    QCOMPARE(manager.state(), State::hidden);
}

void tst_BreakOverlayManager::breakReplacesShownBandsAtOnce_data()
{
    QTest::addColumn<Start>("first");
    QTest::newRow("over a break") << Start::shortBreak;
    QTest::newRow("over a flash") << Start::flash;
}

void tst_BreakOverlayManager::breakReplacesShownBandsAtOnce()
{
    QFETCH(Start, first);

    BreakOverlayManager manager(kDurations);
    start(manager, first);
    QTRY_VERIFY(allFadedIn(manager, manager.bandAlpha()));
    const Windows before = tracked(manager);

    manager.showBreakOverlay(OverlayColor::blue);
    for (const QPointer<QWidget>& w : before)
        QVERIFY(!w->isVisible()); // no fade-out of the old bands
    QCOMPARE(manager.state(), State::breakShown);
    verifyBands(manager, QColor(0x3584e4));
    for (QWidget* w : manager.windows())
        QVERIFY(!before.contains(w));
    QTRY_VERIFY(allGone(before));

    // A replaced flash's deadline must not take the break's bands down.
    QTest::qWait(int((kDurations.flashHold + kDurations.fadeOut).count()));
    QCOMPARE(manager.state(), State::breakShown);
    QCOMPARE(manager.windowCount(), 4);
}

void tst_BreakOverlayManager::hideFadesOut_data()
{
    QTest::addColumn<Start>("first");
    QTest::addColumn<bool>("breakWhileFading");
    QTest::newRow("break") << Start::shortBreak << false;
    QTest::newRow("flash") << Start::flash << false;
    QTest::newRow("break, then a new break while fading") << Start::shortBreak << true;
}

void tst_BreakOverlayManager::hideFadesOut()
{
    QFETCH(Start, first);
    QFETCH(bool, breakWhileFading);

    BreakOverlayManager manager(kDurations);
    start(manager, first);
    QTRY_VERIFY(allFadedIn(manager, manager.bandAlpha()));
    const Windows before = tracked(manager);

    manager.hideBreakOverlay();
    QCOMPARE(manager.windowCount(), 0);
    QCOMPARE(manager.state(), State::fadingOut);
    for (const QPointer<QWidget>& w : before)
        QVERIFY(w && w->isVisible());

    if (breakWhileFading) {
        manager.showBreakOverlay(OverlayColor::blue);
        verifyBands(manager, QColor(0x3584e4));
    }
    QTRY_VERIFY(allGone(before));
    if (!breakWhileFading) {
        QCOMPARE(manager.state(), State::hidden);
        return;
    }
    QTest::qWait(int(kDurations.flashHold.count()));
    QCOMPARE(manager.state(), State::breakShown);
    QCOMPARE(manager.windowCount(), 4);
}

void tst_BreakOverlayManager::screenChangeRebuilds_data()
{
    QTest::addColumn<Start>("first");
    QTest::addColumn<bool>("throughScreenSignal");
    QTest::addColumn<bool>("midFadeIn");

    QTest::newRow("break, screen geometry changed") << Start::shortBreak << true << false;
    QTest::newRow("break, during its fade-in") << Start::shortBreak << false << true;
    QTest::newRow("flash, screen geometry changed") << Start::flash << true << false;
    QTest::newRow("nothing shown") << Start::none << true << false;
}

void tst_BreakOverlayManager::screenChangeRebuilds()
{
    QFETCH(Start, first);
    QFETCH(bool, throughScreenSignal);
    QFETCH(bool, midFadeIn);

    BreakOverlayManager manager(kDurations);
    start(manager, first);
    const State state = manager.state();
    const qreal alpha = manager.bandAlpha();
    if (!midFadeIn && first != Start::none)
        QTRY_VERIFY(allFadedIn(manager, alpha));
    const Windows before = tracked(manager);

    if (throughScreenSignal) {
        // Offscreen screens cannot be rearranged from a test; the signal is what a real change sends.
        QScreen* screen = QGuiApplication::screens().at(1);
        Q_EMIT screen->geometryChanged(screen->geometry());
    } else {
        manager.rebuildIfVisible();
    }
    if (first == Start::none) {
        QTest::qWait(20);
        QCOMPARE(manager.state(), State::hidden);
        QCOMPARE(manager.windowCount(), 0);
        return;
    }
    QTRY_VERIFY(!before.contains(manager.windows().value(0)));
    for (const QPointer<QWidget>& w : before)
        QVERIFY(!w || !w->isVisible()); // replaced at once, not faded out
    QTRY_VERIFY(allGone(before));
    QCOMPARE(manager.state(), state);
    verifyBands(manager, first == Start::flash ? QColor(0xff7800) : QColor(0x33d17a));
    QTRY_VERIFY(allFadedIn(manager, alpha));
}

void tst_BreakOverlayManager::gradientRunsFromTheEdge_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("left band") << 0;
    QTest::newRow("right band") << 1;
}

void tst_BreakOverlayManager::gradientRunsFromTheEdge()
{
    QFETCH(int, index);

    BreakOverlayManager manager(kDurations);
    manager.showBreakOverlay(OverlayColor::green);
    QTRY_VERIFY(allFadedIn(manager, BreakOverlayManager::breakAlpha));
    QWidget* w = manager.windows().at(index);
    const QImage image = w->grab().toImage();
    QCOMPARE(image.size(), QSize(80, 1080));
    if (const QByteArray dir = qgetenv("TIVREN_SCREENSHOT_DIR"); !dir.isEmpty() && index == 0)
        QVERIFY(image.save(QString::fromLocal8Bit(dir) + u"/tivren-overlay-band.png"_s));

    // Walk from the screen edge towards the middle: full colour at break alpha, then ever fainter.
    const int y = image.height() / 2;
    const auto alphaAt = [&](int step) {
        return image.pixelColor(index == 0 ? step : 79 - step, y).alpha();
    };
    const QColor edge = image.pixelColor(index == 0 ? 0 : 79, y);
    QVERIFY2(qAbs(edge.alpha() - 77) <= 3, QByteArray::number(edge.alpha()).constData());
    QVERIFY(qAbs(edge.green() - 0xd1) <= 3 && qAbs(edge.red() - 0x33) <= 3 && qAbs(edge.blue() - 0x7a) <= 3);
    QVERIFY(alphaAt(79) <= 2);
    for (int step = 10; step < 80; step += 10)
        QVERIFY2(alphaAt(step) < alphaAt(step - 10), QByteArray::number(step).constData());
}

void tst_BreakOverlayManager::destructionTakesEveryBandAlong()
{
    // Quitting during a fade must not leave stray bands on screen, nor crash in the fade's end.
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
    QTest::qWait(int(kDurations.fadeOut.count()) * 2);
}

QTEST_MAIN(tst_BreakOverlayManager)
#include "tst_BreakOverlayManager.moc"
