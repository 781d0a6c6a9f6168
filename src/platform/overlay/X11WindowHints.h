// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace tivren::X11WindowHints {

// Asks the X11 window manager to show the window on every workspace (_NET_WM_DESKTOP = all),
// before the window is mapped. Does nothing on other platforms (Wayland, offscreen).
void showOnAllWorkspaces(QWidget* window);

} // namespace tivren::X11WindowHints
