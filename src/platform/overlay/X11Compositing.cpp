// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/overlay/X11Compositing.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>

namespace tivren {

namespace {

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_connection_t* x11Connection()
{
    if (QGuiApplication::platformName() != QLatin1StringView("xcb"))
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// The screen number DISPLAY names (":0.1" is screen 1), which is the one Qt opened.
int screenNumber()
{
    char* host = nullptr;
    int display = 0;
    int screen = 0;
    if (!xcb_parse_display(nullptr, &host, &display, &screen))
        return 0;
    std::free(host);
    return screen;
}

xcb_window_t rootWindow(xcb_connection_t* connection, int screen)
{
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; it.rem > 0 && i < screen; ++i)
        xcb_screen_next(&it);
    return it.rem > 0 ? it.data->root : XCB_NONE;
}

} // namespace

X11Compositing::X11Compositing(QObject* parent)
    : QObject(parent)
{
    if (watch())
        QCoreApplication::instance()->installNativeEventFilter(this);
}

X11Compositing::~X11Compositing()
{
    if (m_selection != 0)
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool X11Compositing::watch()
{
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return false;
    const xcb_query_extension_reply_t* xfixes = xcb_get_extension_data(connection, &xcb_xfixes_id);
    if (!xfixes || !xfixes->present)
        return false;
    // XFixes answers nothing before a client has told it the version it speaks.
    Reply<xcb_xfixes_query_version_reply_t> version(
        xcb_xfixes_query_version_reply(connection, xcb_xfixes_query_version(connection, 1, 0), nullptr), &std::free);
    const int screen = screenNumber();
    const xcb_window_t root = rootWindow(connection, screen);
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screen);
    Reply<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, name.size(), name.constData()), nullptr),
        &std::free);
    if (!version || !atom || root == XCB_NONE)
        return false;

    m_selection = atom->atom;
    m_selectionNotify = xfixes->first_event + XCB_XFIXES_SELECTION_NOTIFY;
    xcb_xfixes_select_selection_input(connection,
        root,
        m_selection,
        XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER | XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY
            | XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
    // Asked after subscribing, so a manager that starts in between is not missed.
    Reply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, m_selection), nullptr),
        &std::free);
    m_active = owner && owner->owner != XCB_NONE;
    return true;
}

bool X11Compositing::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != m_selectionNotify)
        return false;
    const auto* notify = static_cast<const xcb_xfixes_selection_notify_event_t*>(message);
    if (notify->selection != m_selection)
        return false; // Qt's clipboard follows its own selections through the same events
    const bool active = notify->owner != XCB_NONE;
    if (active != m_active) {
        m_active = active;
        Q_EMIT activeChanged(active);
    }
    return false;
}

} // namespace tivren
