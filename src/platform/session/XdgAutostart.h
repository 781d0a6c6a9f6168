// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/services/LoginItemService.h"

#include <QFuture>
#include <QString>

namespace tivren {

// What became of an autostart entry an earlier Tivren wrote under its old name.
enum class AutostartMigration
{
    none, // there is no such file
    leftAlone, // the file is the user's own, not Tivren's
    moved, // the entry is under the new name, on or off as it was; the old file is gone
    removed, // an entry under the new name was there already: only the old file went
};

// Launch at login the freedesktop way: a desktop entry in $XDG_CONFIG_HOME/autostart/, which
// GNOME, KDE, Xfce and the other desktops read at login. The file is the state: nothing else is
// stored. All file work runs off the user-interface thread.
class XdgAutostart final : public LoginItemService
{
public:
    // executable: what the entry starts (the running program by default).
    explicit XdgAutostart(QString executable = QString());

    // $XDG_CONFIG_HOME/autostart/org.tivren.Tivren.desktop
    [[nodiscard]] static QString entryPath();
    // Where earlier versions kept it: $XDG_CONFIG_HOME/autostart/tivren.desktop
    [[nodiscard]] static QString earlierEntryPath();

    // Once at start: moves an earlier version's entry to the new name in the background. The
    // other operations wait for it, so they never see the state half moved.
    void migrateEarlierEntry();

    [[nodiscard]] QCoro::Task<Expected<Done, LoginItemError>> setEnabled(bool enabled) override;
    [[nodiscard]] QCoro::Task<bool> isEnabled() override;

    // Synchronous forms of the operations, for the worker and for tests.
    [[nodiscard]] static Expected<Done, LoginItemError> write(
        const QString& path, const QString& executable, bool enabled);
    [[nodiscard]] static bool read(const QString& path);
    // The old file goes only once the new one is written, so a failure loses no choice.
    [[nodiscard]] static Expected<AutostartMigration, LoginItemError> migrate(
        const QString& earlierPath, const QString& path, const QString& executable);

private:
    QCoro::Task<> migrationFinished();

    QString m_executable;
    QFuture<Expected<AutostartMigration, LoginItemError>> m_migration;
};

} // namespace tivren
