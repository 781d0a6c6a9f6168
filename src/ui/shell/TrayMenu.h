// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/model/MainSection.h"

#include <QMenu>
#include <QPointer>
#include <QTimer>

#include <functional>

namespace tivren {

class AppModel;
class Clock;
class LoginItemService;

// The tray icon's menu: what runs now, the projects to start, the way into the main window,
// launch at login and quit. Rebuilt whenever a field it shows changes; the elapsed and remaining
// times tick once a second while the menu is open.
class TrayMenu : public QMenu
{
    Q_OBJECT

public:
    struct Actions
    {
        std::function<void(MainSection)> openSection; // opens the main window on a section
        std::function<void()> createFirstProject;
        std::function<void()> quit;
    };

    TrayMenu(
        AppModel& model, LoginItemService& loginItems, const Clock& clock, Actions actions, QWidget* parent = nullptr);

    // Reads the launch-at-login state again (the menu does so each time it opens).
    void refreshLaunchAtLogin();

private:
    void scheduleRebuild();
    void rebuild();
    // What runs now: the session or break, its clock and how to stop or skip it.
    void addTimerPart();
    // The projects to start, or a way to make the first one.
    void addProjectsPart();
    // The main window's sections, starting at login and quitting.
    void addAppPart();
    void refreshLiveTexts();
    QAction* addLine(const QString& text, bool headline = false);
    QString phaseLabel() const;

    AppModel& m_model;
    LoginItemService& m_loginItems;
    const Clock& m_clock;
    Actions m_actions;
    QTimer m_liveTimer;
    QPointer<QAction> m_elapsedLine;
    QPointer<QAction> m_phaseLine;
    QString m_phasePrefix;
    bool m_launchAtLogin = false;
    bool m_rebuildPending = false;
};

} // namespace tivren
