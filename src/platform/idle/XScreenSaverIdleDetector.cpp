// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/idle/XScreenSaverIdleDetector.h"

#include <QGuiApplication>
#include <QTimer>

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

using namespace Qt::StringLiterals;

namespace tivren {

namespace {

Display* x11Display()
{
    if (QGuiApplication::platformName() != QLatin1StringView("xcb"))
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

} // namespace

XScreenSaverIdleDetector::XScreenSaverIdleDetector(
    const Clock& clock, std::chrono::milliseconds interval, QObject* parent)
    : PollingIdleDetector(clock, interval, parent)
{
}

QString XScreenSaverIdleDetector::mechanism() const
{
    return u"xscreensaver"_s;
}

void XScreenSaverIdleDetector::probe()
{
    // One round trip to the local X server, at start.
    Display* display = x11Display();
    int eventBase = 0;
    int errorBase = 0;
    if (display && XScreenSaverQueryExtension(display, &eventBase, &errorBase))
        m_display = display;
    // Answered like the other probes, after this call has returned.
    QTimer::singleShot(0, this, [this] {
        setProbed(m_display != nullptr);
    });
}

void XScreenSaverIdleDetector::requestIdleTime()
{
    // One short round trip to the local X server, as Qt makes many.
    XScreenSaverInfo* info = XScreenSaverAllocInfo();
    if (!info || !XScreenSaverQueryInfo(m_display, DefaultRootWindow(m_display), info)) {
        if (info)
            XFree(info);
        requestFailed();
        return;
    }
    const Seconds idle = Seconds(info->idle) / 1000;
    XFree(info);
    idleTimeArrived(idle);
}

} // namespace tivren
