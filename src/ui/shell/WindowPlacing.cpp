// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/WindowPlacing.h"

#include "core/layout/WindowPlacement.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tivren::WindowPlacing {

void centre(QWidget& window, const QWidget* anchor)
{
    const bool onAnchor = anchor && anchor->isVisible() && !anchor->isMinimized();
    QScreen* screen = onAnchor ? anchor->screen() : QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Before its first showing a window has no size of its own yet: its layout's is the one it gets.
    if (!window.testAttribute(Qt::WA_Resized))
        window.adjustSize();
    const QRect anchorRect = onAnchor ? anchor->frameGeometry() : screen->availableGeometry();
    window.move(
        WindowPlacement::centred(window.frameGeometry().size(), anchorRect, screen->availableGeometry()).topLeft());
}

} // namespace tivren::WindowPlacing
