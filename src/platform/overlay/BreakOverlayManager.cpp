// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/overlay/BreakOverlayManager.h"

#include "platform/overlay/X11WindowHints.h"
#include "platform/overlay/wayland/LayerShellBands.h"

#include <QGuiApplication>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>
#include <QScreen>

#include <utility>

using namespace Qt::StringLiterals;

namespace tivren {

namespace {

// Stays above other windows, never takes focus or input, and stays out of the task switcher
// (Qt::Tool). Bypassing the window manager is left out on purpose: some window managers then
// stack the bands below ordinary windows.
constexpr Qt::WindowFlags overlayFlags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
    | Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus;

void stopFadeIn(EdgeGradientWidget* window)
{
    const auto animations = window->findChildren<QPropertyAnimation*>(Qt::FindDirectChildrenOnly);
    for (QPropertyAnimation* animation : animations)
        animation->stop();
}

} // namespace

BreakOverlayManager::BreakOverlayManager(QObject* parent)
    : BreakOverlayManager(Durations {}, parent)
{
}

BreakOverlayManager::BreakOverlayManager(Durations durations, QObject* parent)
    : QObject(parent)
    , m_durations(durations)
{
    m_flashTimer.setSingleShot(true);
    m_flashTimer.setTimerType(Qt::PreciseTimer);
    m_flashTimer.setInterval(m_durations.flashHold);
    connect(&m_flashTimer, &QTimer::timeout, this, [this] {
        m_wanted = Wanted::nothing;
        animateOutAndRemove();
    });
    connect(&m_compositing, &X11Compositing::activeChanged, this, &BreakOverlayManager::onCompositingChanged);

    // A monitor being plugged in or rearranged sends a burst of signals (screen added, then each
    // screen's geometry); rebuild once after the burst, outside Qt's own screen handling.
    m_screenChangeTimer.setSingleShot(true);
    m_screenChangeTimer.setInterval(0);
    connect(&m_screenChangeTimer, &QTimer::timeout, this, &BreakOverlayManager::rebuildIfVisible);

    const auto screens = QGuiApplication::screens();
    for (QScreen* screen : screens)
        watchScreen(screen);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
        watchScreen(screen);
        m_screenChangeTimer.start();
    });
    connect(qGuiApp, &QGuiApplication::screenRemoved, &m_screenChangeTimer, qOverload<>(&QTimer::start));

    // Qt's windows would become ordinary tiled, focused windows there.
    if (QGuiApplication::platformName().startsWith(u"wayland"_s))
        m_layerShell = std::make_unique<LayerShellBands>();
}

BreakOverlayManager::~BreakOverlayManager()
{
    // Stop the fade-outs first: their completion would otherwise touch the lists below.
    const auto fadeOuts = findChildren<QParallelAnimationGroup*>(Qt::FindDirectChildrenOnly);
    qDeleteAll(fadeOuts);
    qDeleteAll(m_windows);
    qDeleteAll(m_fadingWindows);
}

void BreakOverlayManager::showBreakOverlay(OverlayColor color)
{
    m_flashTimer.stop();
    hideAll();
    m_wanted = Wanted::breakBands;
    buildWindows(colorFor(color), breakAlpha);
}

void BreakOverlayManager::hideBreakOverlay()
{
    m_flashTimer.stop();
    m_wanted = Wanted::nothing;
    animateOutAndRemove();
}

void BreakOverlayManager::flashOverlay(OverlayColor color)
{
    // A break's bands, or an earlier flash with its own deadline, are already on screen (or would
    // be, with a compositing manager).
    if (bandsUp() || m_wanted != Wanted::nothing)
        return;
    m_flashTimer.stop();
    buildWindows(colorFor(color), flashAlpha);
    if (bandsUp() || !m_compositing.isActive()) {
        m_wanted = Wanted::flash;
        m_flashTimer.start();
    }
}

QColor BreakOverlayManager::colorFor(OverlayColor color)
{
    // GNOME's palette, so the bands look like the desktop's own green, blue and orange.
    switch (color) {
    case OverlayColor::green:
        return QColor(0x33, 0xd1, 0x7a);
    case OverlayColor::blue:
        return QColor(0x35, 0x84, 0xe4);
    case OverlayColor::orange:
        return QColor(0xff, 0x78, 0x00);
    }
    return QColor(0x33, 0xd1, 0x7a);
}

BreakOverlayManager::State BreakOverlayManager::state() const
{
    if (bandsUp())
        return m_flashTimer.isActive() ? State::flashing : State::breakShown;
    const bool fading = m_layerShell ? m_layerShell->isFadingOut() : !m_fadingWindows.isEmpty();
    return fading ? State::fadingOut : State::hidden;
}

bool BreakOverlayManager::bandsUp() const
{
    return m_layerShell ? m_layerShell->isShown() : !m_windows.isEmpty();
}

QList<QWidget*> BreakOverlayManager::windows() const
{
    return { m_windows.cbegin(), m_windows.cend() };
}

void BreakOverlayManager::rebuildIfVisible()
{
    if (m_windows.isEmpty())
        return;
    // The target alpha, not the alpha of the moment: a screen change during the fade-in must not
    // leave dim bands for the rest of the break.
    const QColor color = m_color;
    const qreal alpha = m_alpha;
    hideAll();
    buildWindows(color, alpha);
}

void BreakOverlayManager::watchScreen(QScreen* screen)
{
    connect(screen, &QScreen::geometryChanged, &m_screenChangeTimer, qOverload<>(&QTimer::start));
}

void BreakOverlayManager::buildWindows(const QColor& color, qreal alpha)
{
    m_color = color;
    m_alpha = alpha;
    if (m_layerShell) {
        m_layerShell->show(color, alpha, m_durations.fadeIn);
        return;
    }
    if (!m_compositing.isActive())
        return; // unblended, a band is an opaque strip over the user's work
    const auto screens = QGuiApplication::screens();
    for (QScreen* screen : screens) {
        // The full geometry, not the available one: the bands run over panels and docks.
        const QRect frame = screen->geometry();
        makeWindow(screen, QRect(frame.left(), frame.top(), bandWidth, frame.height()), EdgeGradientWidget::Edge::left);
        makeWindow(screen,
            QRect(frame.left() + frame.width() - bandWidth, frame.top(), bandWidth, frame.height()),
            EdgeGradientWidget::Edge::right);
    }
}

void BreakOverlayManager::makeWindow(QScreen* screen, const QRect& frame, EdgeGradientWidget::Edge edge)
{
    auto* window = new EdgeGradientWidget(m_color, edge);
    window->setObjectName(
        edge == EdgeGradientWidget::Edge::left ? u"leftEdgeGradientWidget"_s : u"rightEdgeGradientWidget"_s);
    window->setWindowFlags(overlayFlags);
    window->setAttribute(Qt::WA_TranslucentBackground);
    window->setAttribute(Qt::WA_ShowWithoutActivating);
    window->setAttribute(Qt::WA_TransparentForMouseEvents);
    window->setScreen(screen);
    window->setGeometry(frame);

    // Started before show(), so the band's first paint is already transparent.
    auto* fadeIn = new QPropertyAnimation(window, "opacity", window);
    fadeIn->setDuration(int(m_durations.fadeIn.count()));
    fadeIn->setStartValue(0.0);
    fadeIn->setEndValue(m_alpha);
    fadeIn->start(QAbstractAnimation::DeleteWhenStopped);
    // Breaks follow the user to another workspace; the window manager reads this at mapping.
    X11WindowHints::showOnAllWorkspaces(window);
    window->show();

    m_windows.append(window);
}

void BreakOverlayManager::onCompositingChanged(bool active)
{
    if (!active) {
        hideAll();
        const auto fading = std::exchange(m_fadingWindows, {});
        for (EdgeGradientWidget* window : fading)
            window->hide(); // deleted when their fade-out ends
        return;
    }
    if (m_wanted != Wanted::nothing && m_windows.isEmpty())
        buildWindows(m_color, m_alpha);
}

void BreakOverlayManager::hideAll()
{
    const auto windows = std::exchange(m_windows, {});
    for (EdgeGradientWidget* window : windows) {
        window->hide();
        window->deleteLater();
    }
}

void BreakOverlayManager::animateOutAndRemove()
{
    if (m_layerShell) {
        m_layerShell->hide(m_durations.fadeOut);
        return;
    }
    // Off the list at once, so new bands can be built while these fade.
    const auto windows = std::exchange(m_windows, {});
    if (windows.isEmpty())
        return;
    m_fadingWindows += windows;

    auto* fadeOut = new QParallelAnimationGroup(this);
    for (EdgeGradientWidget* window : windows) {
        stopFadeIn(window);
        auto* animation = new QPropertyAnimation(window, "opacity");
        animation->setDuration(int(m_durations.fadeOut.count()));
        animation->setEndValue(0.0);
        fadeOut->addAnimation(animation);
    }
    connect(fadeOut, &QAbstractAnimation::finished, this, [this, windows] {
        for (EdgeGradientWidget* window : windows) {
            m_fadingWindows.removeOne(window);
            window->hide();
            window->deleteLater();
        }
    });
    fadeOut->start(QAbstractAnimation::DeleteWhenStopped);
}

} // namespace tivren
