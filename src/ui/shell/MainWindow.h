// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/model/MainSection.h"

#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>

class QButtonGroup;
class QKeyEvent;
class QMessageBox;
class QStackedWidget;

namespace tivren {

class AppModel;

// The main window: the section switcher on top and the selected section's screen below, plus
// the two app-wide alerts for the model's error and success messages. It holds the app-wide
// shortcuts: Ctrl+Q quits as the tray's Quit does, Ctrl+W closes the window, Ctrl+N opens the New
// Project window, Ctrl+1 to Ctrl+4 pick a section, and on the overview Space and Ctrl+Enter start
// or stop the timer.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    // openNewProjectWindow: how the projects screen's "Add Project" reaches the shell's window.
    explicit MainWindow(AppModel& model, std::function<void()> openNewProjectWindow = {}, QWidget* parent = nullptr);

    // Shows, raises and activates the window.
    void bringForward();

    // Small enough for a 1280 x 720 screen at 125 % and a 1600 x 1000 screen at 200 % with a
    // desktop's panels and title bar around it; every screen scrolls what does not fit.
    static constexpr QSize minimumWindowSize { 720, 400 };

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void addShortcuts();
    [[nodiscard]] QWidget* makeScreen(MainSection section);
    void buildScreen(int index);
    void nameScreen(int index);
    void retranslate();
    void showSection();
    void showMessages();

    AppModel& m_model;
    std::function<void()> m_openNewProjectWindow;
    QButtonGroup* m_sections = nullptr;
    QStackedWidget* m_content = nullptr;
    QList<bool> m_built; // per section: whether its screen replaced the empty page yet
    QPointer<QMessageBox> m_errorAlert;
    QPointer<QMessageBox> m_successAlert;
};

} // namespace tivren
