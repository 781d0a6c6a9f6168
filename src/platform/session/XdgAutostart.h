// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/services/LoginItemService.h"

#include <QString>

namespace tivren {

// Launch at login the freedesktop way: a desktop entry in $XDG_CONFIG_HOME/autostart/, which
// GNOME, KDE, Xfce and the other desktops read at login. The file is the state: nothing else is
// stored. All file work runs off the user-interface thread.
class XdgAutostart final : public LoginItemService
{
public:
    // executable: what the entry starts (the running program by default).
    explicit XdgAutostart(QString executable = QString());

    // $XDG_CONFIG_HOME/autostart/tivren.desktop
    [[nodiscard]] static QString entryPath();

    [[nodiscard]] QCoro::Task<Expected<Done, LoginItemError>> setEnabled(bool enabled) override;
    [[nodiscard]] QCoro::Task<bool> isEnabled() override;

    // Synchronous forms of the two operations, for the worker and for tests.
    [[nodiscard]] static Expected<Done, LoginItemError> write(
        const QString& path, const QString& executable, bool enabled);
    [[nodiscard]] static bool read(const QString& path);

private:
    QString m_executable;
};

} // namespace tivren
