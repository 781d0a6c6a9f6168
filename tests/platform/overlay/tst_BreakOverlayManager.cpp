// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/overlay/BreakOverlayManager.h"
#include "platform/overlay/EdgeGradientWidget.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTest>

using namespace std::chrono_literals;
using namespace tivren;

using State = BreakOverlayManager::State;
using Windows = QList<QPointer<QWidget>>;

namespace {

// A second call comes kDelay into the first fade-in: a rebuild to that alpha, or a restarted deadline, shows.
const BreakOverlayManager::Durations kDurations { 400ms, 100ms, 800ms };
const int kHold = 800, kDelay = 200;
const QColor kGreen(0x33d17a), kBlue(0x3584e4), kOrange(0xff7800);

// two-screens.json: bands built from the available geometry or in device pixels show as wrong rectangles.
const QList<QRect> kBands { { 0, 0, 80, 1080 }, { 1840, 0, 80, 1080 }, { 1920, 0, 80, 800 }, { 3120, 0, 80, 800 } };

enum class Action
{
    none,
    shortBreak,
    longBreak,
    flash,
    screenChange
};

void act(BreakOverlayManager& manager, Action action)
{
    QScreen* second = QGuiApplication::screens().at(1);
    if (action == Action::shortBreak || action == Action::longBreak)
        manager.showBreakOverlay(action == Action::shortBreak ? OverlayColor::green : OverlayColor::blue);
    else if (action == Action::flash)
        manager.flashOverlay(OverlayColor::orange);
    else if (action == Action::screenChange) // offscreen screens cannot move; this is what a move sends
        Q_EMIT second->geometryChanged(second->geometry());
}

Windows tracked(const BreakOverlayManager& manager)
{
    const auto windows = manager.windows();
    return { windows.cbegin(), windows.cend() };
}

QList<qreal> opacities(const BreakOverlayManager& manager)
{
    QList<qreal> result;
    for (QWidget* w : manager.windows())
        result.append(qobject_cast<EdgeGradientWidget*>(w)->opacity());
    return result;
}

} // namespace

class tst_BreakOverlayManager : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::screens().constLast()->devicePixelRatio(), 2.0); // not the one default screen
    }

    void bands_data()
    {
        using enum Action;
        using enum State;
        QTest::addColumn<Action>("first");
        QTest::addColumn<Action>("then");
        QTest::addColumn<bool>("replaced");
        QTest::addColumn<QColor>("color");
        QTest::addColumn<State>("state");
        QTest::newRow("short break") << none << shortBreak << true << kGreen << breakShown;
        QTest::newRow("reminder flash") << none << flash << true << kOrange << flashing;
        QTest::newRow("break over a break") << shortBreak << longBreak << true << kBlue << breakShown;
        // The replaced flash's deadline must not take the break's bands down.
        QTest::newRow("break over a flash") << flash << longBreak << true << kBlue << breakShown;
        QTest::newRow("screen change in a break") << shortBreak << screenChange << true << kGreen << breakShown;
        QTest::newRow("screen change in a flash") << flash << screenChange << true << kOrange << flashing;
        QTest::newRow("flash during a break") << shortBreak << flash << false << kGreen << breakShown;
        QTest::newRow("flash during a flash") << flash << flash << false << kOrange << flashing;
    }

    void bands()
    {
        QFETCH(Action, first);
        QFETCH(Action, then);
        QFETCH(bool, replaced);
        QFETCH(QColor, color);
        QFETCH(State, state);
        const qreal alpha = state == State::flashing ? 0.25 : 0.3;
        BreakOverlayManager manager(kDurations);
        QElapsedTimer clock;
        clock.start();
        act(manager, first);
        const Windows before = tracked(manager);
        QTest::qWait(first == Action::none ? 0 : kDelay);
        act(manager, then);
        QTRY_COMPARE(before.contains(manager.windows().value(0)), !replaced);
        for (const QPointer<QWidget>& w : before)
            QVERIFY(!w || w->isVisible() != replaced); // replaced at once, no fade-out; or left alone
        if (first == Action::none)
            QCOMPARE(opacities(manager), QList<qreal>(4, 0.0)); // fades in rather than popping up

        const auto windows = manager.windows();
        QCOMPARE(windows.size(), kBands.size());
        for (qsizetype i = 0; i < windows.size(); ++i) {
            auto* w = qobject_cast<EdgeGradientWidget*>(windows.at(i));
            QCOMPARE(w->geometry(), kBands.at(i));
            QCOMPARE(w->screen(), QGuiApplication::screens().at(i / 2));
            QCOMPARE(w->color(), color);
            QCOMPARE(w->edge(), i % 2 == 0 ? EdgeGradientWidget::Edge::left : EdgeGradientWidget::Edge::right);
            // No clicks, focus or task switcher entry; on top; not bypassing the window manager (misstacked).
            QCOMPARE(w->windowFlags(),
                Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput
                    | Qt::WindowDoesNotAcceptFocus);
            QVERIFY(w->isVisible() && w->testAttribute(Qt::WA_TransparentForMouseEvents));
            QVERIFY(w->testAttribute(Qt::WA_ShowWithoutActivating) && w->testAttribute(Qt::WA_TranslucentBackground));
        }
        QTRY_COMPARE(opacities(manager), QList<qreal>(4, alpha));
        QCOMPARE(before, replaced ? Windows(before.size()) : tracked(manager)); // the replaced ones deleted
        for (int i : { 0, 1 }) {
            // From the screen edge to the middle: the colour at the band's alpha, then ever fainter.
            const QImage image = manager.windows().at(i)->grab().toImage().mirrored(i == 1, false);
            const QColor edge = image.pixelColor(0, 540);
            QVERIFY2(qAbs(edge.alpha() - alpha * 255) <= 3, qPrintable(edge.name(QColor::HexArgb)));
            QCOMPARE(edge.rgb() & 0xf0f0f0, color.rgb() & 0xf0f0f0);
            for (int x = 10; x < 80; x += 10)
                QVERIFY(image.pixelColor(x, 540).alpha() < image.pixelColor(x - 10, 540).alpha());
            QVERIFY(image.pixelColor(79, 540).alpha() <= 2);
        }

        // A break has no deadline; a flash ends one hold after it began, whatever came in between.
        while (manager.state() == state && clock.elapsed() < kHold + 2 * kDelay)
            QTest::qWait(5);
        const qint64 ended = clock.elapsed();
        QCOMPARE(manager.state(), state == State::flashing ? State::fadingOut : state);
        if (state == State::flashing)
            QVERIFY2(ended >= kHold && ended < kHold + kDelay * 3 / 4, qPrintable(QString::number(ended)));
    }

    void hideFadesOut_data()
    {
        QTest::addColumn<Action>("first");
        QTest::addColumn<Action>("whileFading");
        QTest::newRow("break") << Action::shortBreak << Action::none;
        QTest::newRow("flash") << Action::flash << Action::none;
        QTest::newRow("break, and the next one while fading") << Action::shortBreak << Action::longBreak;
        // Quitting must leave no stray bands, shown or fading, and no crash at the fade's end.
        QTest::newRow("quitting while fading and flashing") << Action::shortBreak << Action::flash;
    }

    void hideFadesOut()
    {
        QFETCH(Action, first);
        QFETCH(Action, whileFading);
        auto manager = std::make_unique<BreakOverlayManager>(kDurations);
        act(*manager, first);
        const Windows before = tracked(*manager);
        manager->hideBreakOverlay();
        QCOMPARE(manager->windowCount(), 0); // off the list at once, so new bands can come
        for (const QPointer<QWidget>& w : before)
            QVERIFY(w && w->isVisible());
        act(*manager, whileFading);
        if (whileFading == Action::flash) {
            const Windows all = before + tracked(*manager);
            manager.reset();
            QCOMPARE(all, Windows(8));
            return QTest::qWait(200);
        }
        QTRY_COMPARE(before, Windows(4));
        act(*manager, Action::screenChange); // no bands pop up when none are shown
        QTest::qWait(20);
        QCOMPARE(manager->windowCount(), whileFading == Action::none ? 0 : 4);
    }
};

QTEST_MAIN(tst_BreakOverlayManager)
#include "tst_BreakOverlayManager.moc"
