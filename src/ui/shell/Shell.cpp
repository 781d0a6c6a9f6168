// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/Shell.h"

#include "app/model/AppModel.h"
#include "app/model/Clock.h"
#include "app/text/AppStrings.h"
#include "ui/editors/ProjectEditor.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/QtTextsTranslator.h"
#include "ui/shell/TrayMenu.h"
#include "ui/shell/TrayTexts.h"
#include "ui/shell/WindowPlacing.h"
#include "ui/style/Glyphs.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QTimer>

#include <memory>
#include <utility>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

// Calls back once when its widget paints, then goes.
class FirstPaintFilter : public QObject
{
public:
    FirstPaintFilter(QWidget* widget, std::function<void()> painted)
        : QObject(widget)
        , m_painted(std::move(painted))
    {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            m_painted();
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_painted;
};

} // namespace

Shell::Shell(AppModel& model, LoginItemService& loginItems, const Clock& clock, QObject* parent)
    : QObject(parent)
    , m_model(model)
    , m_loginItems(loginItems)
    , m_clock(clock)
{
    new QtTextsTranslator(m_model, this);
    // The main window is built when first needed; the alerts it shows may be needed before that.
    for (auto changed : { &AppModel::errorMessageChanged, &AppModel::successMessageChanged }) {
        connect(&m_model, changed, this, [this] {
            if (!m_main && (m_model.errorMessage() || m_model.successMessage()))
                (void)mainWindow();
        });
    }
}

Shell::~Shell()
{
    delete m_main;
    delete m_newProject;
    delete m_menu;
}

void Shell::start()
{
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        QApplication::setQuitOnLastWindowClosed(true);
        bringMainWindowForward();
        return;
    }
    QApplication::setQuitOnLastWindowClosed(false);
    m_menu = new TrayMenu(m_model,
        m_loginItems,
        m_clock,
        { [this](MainSection section) {
             openSection(section);
         },
            [this] {
                m_model.setSelectedSection(MainSection::projects);
                bringMainWindowForward();
                // After the main window is up, so the editor opens in front of it.
                QTimer::singleShot(0, this, &Shell::openNewProjectWindow);
            },
            [] {
                QCoreApplication::quit();
            } });
    m_tray = new QSystemTrayIcon(this);
    // The tray host shows the menu itself (over DBusMenu, or XEmbed's context click): a menu popped
    // up here would be a focused toplevel window on Wayland. A left click (Activate) is for the
    // main window; Qt's item tells hosts ItemIsMenu = false, so they send it.
    m_tray->setContextMenu(m_menu);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        // Not DoubleClick as well: an XEmbed tray sends Trigger first, and the window would toggle twice.
        if (reason == QSystemTrayIcon::Trigger)
            toggleMainWindow();
    });
    m_toolTipTimer.setInterval(1000);
    connect(&m_toolTipTimer, &QTimer::timeout, this, &Shell::updateToolTip);
    for (auto changed : { &AppModel::activeSessionChanged,
             &AppModel::pomodoroPhaseChanged,
             &AppModel::pomodoroPhaseStartChanged,
             &AppModel::projectsChanged,
             &AppModel::settingsChanged })
        connect(&m_model, changed, this, &Shell::updateTrayIcon);
    updateTrayIcon();
    m_tray->show();
}

void Shell::afterFirstFrame(std::function<void()> work)
{
    // A window that never gets to paint (no compositor answers, say) must not keep the work back
    // for long.
    constexpr int longestWaitMsecs = 500;
    auto once = std::make_shared<std::function<void()>>(std::move(work));
    auto run = [once] {
        if (*once)
            std::exchange(*once, {})();
    };
    if (!m_main || !m_main->isVisible()) {
        QTimer::singleShot(0, this, run);
        return;
    }
    auto* firstPaint = new FirstPaintFilter(m_main, [this, run] {
        QTimer::singleShot(0, this, [run] {
            // Once the display server has the frame: work started earlier would compete with it
            // for the processor while it puts the frame on the screen.
            QGuiApplication::sync();
            run();
        });
    });
    QTimer::singleShot(longestWaitMsecs, firstPaint, run);
}

void Shell::updateTrayIcon()
{
    if (!m_tray)
        return;
    m_tray->setIcon(m_model.activeSession() ? runningTrayIcon() : idleTrayIcon());
    const bool running = m_model.activeSession() || m_model.pomodoroPhase();
    if (running && !m_toolTipTimer.isActive())
        m_toolTipTimer.start();
    else if (!running)
        m_toolTipTimer.stop();
    updateToolTip();
}

void Shell::updateToolTip()
{
    m_tray->setToolTip(TrayTexts::toolTip(m_model, m_clock.now()));
}

void Shell::toggleMainWindow()
{
    if (m_main && m_main->isVisible() && m_main->isActiveWindow()) {
        m_main->hide();
        return;
    }
    bringMainWindowForward();
}

MainWindow* Shell::mainWindow()
{
    if (!m_main)
        m_main = new MainWindow(m_model, [this] {
            openNewProjectWindow();
        });
    return m_main;
}

void Shell::bringMainWindowForward()
{
    mainWindow()->bringForward();
}

void Shell::openSection(MainSection section)
{
    (void)mainWindow(); // made now, shown on the next turn with its section already selected
    QTimer::singleShot(0, this, [this, section] {
        m_model.setSelectedSection(section);
        bringMainWindowForward();
    });
}

void Shell::openNewProjectWindow()
{
    if (!m_newProject) {
        // One window, kept: opening it again brings it back with a blank form.
        auto* editor = new ProjectEditor(m_model);
        editor->setWindowFlag(Qt::Window);
        editor->setObjectName(u"new-project"_s);
        connect(editor, &ProjectEditor::saved, editor, &QWidget::close);
        connect(editor, &ProjectEditor::cancelled, editor, &QWidget::close);
        m_newProject = editor;
    }
    // Window managers differ (and with none it would open in the top left corner): it opens where
    // the user is looking, and an open one stays where the user put it.
    if (!m_newProject->isVisible())
        WindowPlacing::centre(*m_newProject, m_main);
    m_newProject->show();
    m_newProject->raise();
    m_newProject->activateWindow();
}

bool Shell::canShowWindows()
{
    const QString platform = QGuiApplication::platformName();
    return platform != u"offscreen"_s && platform != u"minimal"_s;
}

void Shell::showUnsavedAtQuit(const QString& line)
{
    QMessageBox box(QMessageBox::Critical, m_model.localized(Text::en("Changes not saved")), line, QMessageBox::Ok);
    box.setObjectName(u"unsavedAtQuitMessageBox"_s);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_quitMessage = &box;
    // The program's event loop has ended: this is the only one, not one nested inside it.
    box.exec();
}

void Shell::dismissQuitMessage()
{
    if (m_quitMessage)
        m_quitMessage->reject();
}

} // namespace tivren
