// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/services/BreakOverlayPresenting.h"
#include "platform/overlay/EdgeGradientWidget.h"
#include "platform/overlay/X11Compositing.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <memory>

class QScreen;
class QWidget;

namespace tivren {

class LayerShellBands;

// Soft coloured bands down the left and right edge of every screen: for the whole of a Pomodoro
// break, or as a short flash for a work reminder. The bands float above other windows and let
// every click and key press through, so the user keeps working underneath. On X11 they are Qt
// windows, shown only while a compositing manager blends them (one that comes or goes mid-break
// adds or removes them); on Wayland, layer-shell surfaces where the compositor offers them and
// nothing otherwise (windows() stays empty there).
class BreakOverlayManager : public QObject, public BreakOverlayPresenting
{
    Q_OBJECT

public:
    enum class State
    {
        hidden,
        flashing,
        breakShown,
        fadingOut, // nothing in windows(), but earlier bands are still fading away
    };
    Q_ENUM(State)

    struct Durations
    {
        std::chrono::milliseconds fadeIn { 400 };
        std::chrono::milliseconds fadeOut { 500 };
        std::chrono::milliseconds flashHold { 3000 }; // counted from the start of the flash
    };

    static constexpr int bandWidth = 80; // logical pixels
    static constexpr qreal breakAlpha = 0.3;
    static constexpr qreal flashAlpha = 0.25;

    explicit BreakOverlayManager(QObject* parent = nullptr);
    explicit BreakOverlayManager(Durations durations, QObject* parent = nullptr);
    ~BreakOverlayManager() override;

    void showBreakOverlay(OverlayColor color) override;
    void hideBreakOverlay() override;
    void flashOverlay(OverlayColor color) override;

    [[nodiscard]] static QColor colorFor(OverlayColor color);

    [[nodiscard]] State state() const;
    [[nodiscard]] int windowCount() const { return int(m_windows.size()); }
    // The bands currently up, two per screen in screen order, left before right. Bands that are
    // fading out are no longer in here.
    [[nodiscard]] QList<QWidget*> windows() const;
    // The alpha the current bands fade in to; meaningful while windows() is not empty.
    [[nodiscard]] qreal bandAlpha() const { return m_alpha; }

public Q_SLOTS:
    // Builds the bands afresh for the current screens, same colour and alpha; nothing when no
    // bands are up. Screen changes call it on their own.
    void rebuildIfVisible();

private:
    [[nodiscard]] bool bandsUp() const;
    void watchScreen(QScreen* screen);
    void buildWindows(const QColor& color, qreal alpha);
    void makeWindow(QScreen* screen, const QRect& frame, EdgeGradientWidget::Edge edge);
    void hideAll();
    void animateOutAndRemove();
    void onCompositingChanged(bool active);

    // What the model asked for, kept while the bands cannot be shown.
    enum class Wanted
    {
        nothing,
        breakBands,
        flash,
    };

    Durations m_durations;
    QList<EdgeGradientWidget*> m_windows;
    QList<EdgeGradientWidget*> m_fadingWindows;
    QColor m_color;
    qreal m_alpha = 0;
    QTimer m_flashTimer;
    QTimer m_screenChangeTimer;
    X11Compositing m_compositing;
    Wanted m_wanted = Wanted::nothing;
    std::unique_ptr<LayerShellBands> m_layerShell; // on Wayland only
};

} // namespace tivren
