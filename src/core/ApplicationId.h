// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The one name the desktop knows Tivren by: its desktop entry (<id>.desktop), its icon, the
// window's Wayland app_id and X11 class, notifications and the autostart entry.
namespace tivren::ApplicationId {

inline QString name()
{
    return QStringLiteral("org.tivren.Tivren");
}

inline QString desktopFileName()
{
    return name() + QStringLiteral(".desktop");
}

} // namespace tivren::ApplicationId
