// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/overlay/X11WindowHints.h"

#include <QGuiApplication>
#include <QWidget>

#include <cstdlib>
#include <xcb/xcb.h>

namespace tivren::X11WindowHints {

void showOnAllWorkspaces(QWidget* window)
{
    if (QGuiApplication::platformName() != QLatin1StringView("xcb"))
        return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    static constexpr char name[] = "_NET_WM_DESKTOP";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
    if (!atom)
        return;
    const quint32 allWorkspaces = 0xFFFFFFFF;
    xcb_change_property(connection,
        XCB_PROP_MODE_REPLACE,
        xcb_window_t(window->winId()),
        atom->atom,
        XCB_ATOM_CARDINAL,
        32,
        1,
        &allWorkspaces);
    std::free(atom);
}

} // namespace tivren::X11WindowHints
