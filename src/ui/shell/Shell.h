// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/model/MainSection.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class QMessageBox;
class QSystemTrayIcon;

namespace tivren {

class AppModel;
class Clock;
class LoginItemService;
class MainWindow;
class TrayMenu;

// The windows and the tray icon of the running program. With a tray (StatusNotifierItem or
// XEmbed), Tivren lives there and closing the main window keeps it running; without one (GNOME
// without the AppIndicator extension, say) the main window opens at start and closing it quits,
// so nobody is left with an invisible program.
class Shell : public QObject
{
    Q_OBJECT

public:
    Shell(AppModel& model, LoginItemService& loginItems, const Clock& clock, QObject* parent = nullptr);
    ~Shell() override;

    // Shows the tray icon, or the main window when there is no tray.
    void start();
    // Calls work once the main window shown at start has drawn its first frame (or at once when
    // only the tray icon shows): what would hold up that frame, such as reading a large data file,
    // comes after it.
    void afterFirstFrame(std::function<void()> work);
    [[nodiscard]] bool hasTray() const { return m_tray != nullptr; }

    // Shows, raises and activates the main window ("main"), creating it when needed.
    void bringMainWindowForward();
    void openSection(MainSection section);
    // The "New Project" window; opening it again raises the one that is open.
    void openNewProjectWindow();
    [[nodiscard]] MainWindow* mainWindow();
    [[nodiscard]] TrayMenu* trayMenu() const { return m_menu; }

    // Whether a window can reach the user: a real display, not the offscreen or minimal platform.
    [[nodiscard]] static bool canShowWindows();
    // For the very end, after the event loop has finished: a dialog with the line saying what could
    // not be saved. Returns when the user closes it or dismissQuitMessage() is called.
    void showUnsavedAtQuit(const QString& line);
    // Closes that dialog (another termination signal: the session will not wait).
    void dismissQuitMessage();

private:
    void updateTrayIcon();
    void updateToolTip();
    // A tray click: the main window comes forward, or goes away when it already is in front.
    void toggleMainWindow();

    AppModel& m_model;
    LoginItemService& m_loginItems;
    const Clock& m_clock;
    QPointer<MainWindow> m_main;
    QPointer<QWidget> m_newProject;
    QPointer<QMessageBox> m_quitMessage;
    QSystemTrayIcon* m_tray = nullptr;
    TrayMenu* m_menu = nullptr;
    // Ticks the tooltip's clock, only while a session or Pomodoro phase runs.
    QTimer m_toolTipTimer;
};

} // namespace tivren
