// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Where a window of its own (not a dialog, which Qt centres on its parent) opens.
namespace tivren::WindowPlacing {

// Centres the window on the anchor while the anchor is shown, else on the screen with the pointer,
// within that screen's available area. Compositors that place windows themselves (Wayland) keep
// doing so.
void centre(QWidget& window, const QWidget* anchor);

} // namespace tivren::WindowPlacing
