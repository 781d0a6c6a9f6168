// SPDX-License-Identifier: GPL-3.0-or-later
// Tivren: the shell. Builds the services and the one model, wires the platform to them, keeps
// to one instance per user and finishes every save before the process ends.
#include "app/calendar/AppleCalendarService.h"
#include "app/model/AppModel.h"
#include "app/model/Clock.h"
#include "app/services/PomodoroSkipBroadcaster.h"
#include "app/text/AppStrings.h"
#include "core/ApplicationId.h"
#include "core/datafile/TivrenRepository.h"
#include "platform/desktop/CanberraSoundPlayer.h"
#include "platform/desktop/DBusNotifier.h"
#include "platform/desktop/DesktopBrowser.h"
#include "platform/idle/DesktopIdleMonitor.h"
#include "platform/ondemand/OnDemandCalendarStore.h"
#include "platform/ondemand/OnDemandGoogleCalendarService.h"
#include "platform/overlay/BreakOverlayManager.h"
#include "platform/session/ControlService.h"
#include "platform/session/LogindSessionEvents.h"
#include "platform/session/SingleInstance.h"
#include "platform/session/TerminationSignals.h"
#include "platform/session/XdgAutostart.h"
#include "ui/away/AwayPrompt.h"
#include "ui/export/DialogFileChooser.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/Shell.h"
#include "ui/style/Glyphs.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;
using namespace tivren;

namespace {

// How long quitting may wait for the last save, and for the notification server to take the
// message about a save that failed.
constexpr int quitSaveMsecs = 10000;
constexpr int quitNotificationMsecs = 2000;

// Without a display Qt's xcb plugin aborts with four lines about reinstalling; one clear line instead.
bool hasGraphicalSession(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "-platform") == 0)
            return true; // the user's choice
    }
    // Platforms that need no display server (offscreen, vnc, eglfs) are fine without one.
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith(u"xcb"_s) && !platform.startsWith(u"wayland"_s))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// What a launch asks for: the desktop entry's actions name one; a plain launch shows the window.
enum class LaunchAction
{
    show,
    newProject,
    stopTimer,
};

struct LaunchOption
{
    const char* option;
    LaunchAction action;
    const char* handOverMethod; // the running Tivren's control method that does the same
};

constexpr std::array<LaunchOption, 3> launchOptions { {
    { "", LaunchAction::show, "Show" },
    { "--new-project", LaunchAction::newProject, "NewProject" },
    { "--stop-timer", LaunchAction::stopTimer, "Stop" },
} };

const LaunchOption& launchOption(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        for (const LaunchOption& option : launchOptions) {
            if (*option.option && qstrcmp(argv[i], option.option) == 0)
                return option;
        }
    }
    return launchOptions[0];
}

// The arguments for Qt. Its X11 windows take the instance part of WM_CLASS from -name (the class
// part is the application's name): the application id, which the desktop entry's StartupWMClass
// names.
struct QtArguments
{
    QtArguments(int argc, char* argv[])
        : values(argv, argv + argc)
    {
        if (std::none_of(values.cbegin(), values.cend(), [](const char* value) {
                return qstrcmp(value, "-name") == 0;
            })) {
            values.insert(values.begin() + 1, { nameOption.data(), instanceName.data() });
        }
        count = int(values.size());
        values.push_back(nullptr);
    }

    QByteArray nameOption = QByteArrayLiteral("-name");
    QByteArray instanceName = ApplicationId::name().toLatin1();
    std::vector<char*> values;
    int count = 0; // QApplication keeps a reference to it
};

void printLine(const QString& line)
{
    std::fprintf(stderr, "%s\n", qPrintable(QString(line).replace(u'\n', u' ')));
}

// --version, --help, and no display to show a window on: answered before Qt starts.
std::optional<int> answerWithoutStarting(int argc, char* argv[])
{
    const QByteArray option = argc == 2 ? QByteArray(argv[1]) : QByteArray();
    if (option == "--version") {
        std::printf("tivren %s\n", TIVREN_VERSION);
        return 0;
    }
    if (option == "--help") {
        std::printf("Usage: tivren [--new-project | --stop-timer | --version | --help]\n"
                    "Starts Tivren, the time tracker, in the tray (or shows the running one's window).\n"
                    "  --new-project  open the New Project window\n"
                    "  --stop-timer   stop the running timer\n"
                    "Either acts on the running Tivren, or starts it and acts once its data is read.\n"
                    "tivrenctl controls it from a terminal and reports without a desktop session.\n");
        return 0;
    }
    if (!hasGraphicalSession(argc, argv)) {
        printLine(u"Tivren needs a desktop session, but neither DISPLAY nor WAYLAND_DISPLAY is set; "
                  "`tivrenctl report` works without one."_s);
        return 1;
    }
    return std::nullopt;
}

// After the event loop: the bus name goes first, so a launch made now can take over; then the last
// save. What could not be saved is said on stderr and to the user, and the exit status is 1.
int finishQuitting(SingleInstance& instance, AppModel& model, Shell& shell, DBusNotifier& notifier)
{
    instance.releaseBusName();
    const std::optional<QString> unsaved = model.saveBeforeQuit(quitSaveMsecs);
    if (!unsaved)
        return 0;
    printLine(*unsaved);
    // Nothing is left to write: a new launch need not wait until the user has read the message.
    if (model.finishPendingSaves(0))
        instance.unlockDataFolder();
    if (Shell::canShowWindows()) {
        shell.showUnsavedAtQuit(*unsaved);
    } else if (!notifier.notifyOnce(AppStrings::text(QLocale::system(), Text::en("Changes not saved")),
                   *unsaved,
                   quitNotificationMsecs)) {
        printLine(u"Tivren could not show a notification about it either."_s);
    }
    return 1;
}

void nameTheApplication()
{
    QApplication::setApplicationName(u"Tivren"_s);
    QApplication::setApplicationDisplayName(u"Tivren"_s);
    // The Wayland app_id: how the desktop matches windows to the desktop entry (X11: QtArguments).
    QApplication::setDesktopFileName(ApplicationId::name());
}

// The first look into the icon theme reads its index (some milliseconds): kept out of the way of
// the first frame.
void giveTheApplicationItsIcon()
{
    QApplication::setWindowIcon(QIcon::fromTheme(ApplicationId::name(), idleTrayIcon()));
}

// A desktop entry's action that started Tivren acts on the data it was started for: the timer
// restored from the file is stopped, a new project joins the projects read.
QCoro::Task<> loadThenAct(AppModel& model, Shell& shell, LaunchAction action)
{
    co_await model.load();
    if (action == LaunchAction::stopTimer && model.activeSession())
        model.stopTimer();
    else if (action == LaunchAction::newProject)
        shell.openNewProjectWindow();
}

// What the control bus may ask of the windows.
ControlService::WindowActions windowActionsOf(Shell& shell)
{
    return { [&shell] {
                shell.bringMainWindowForward();
            },
        [&shell] {
            shell.openNewProjectWindow();
        } };
}

} // namespace

int main(int argc, char* argv[])
{
    if (const std::optional<int> status = answerWithoutStarting(argc, argv))
        return *status;
    QtArguments arguments(argc, argv);
    QApplication app(arguments.count, arguments.values.data());
    nameTheApplication();
    // From the start: a signal during the waits below is kept until the program can quit cleanly.
    TerminationSignals termination;

    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString dataFolder = QFileInfo(TivrenRepository::defaultFileURL()).absolutePath();
    SingleInstance instance(bus, dataFolder);
    const LaunchOption& launch = launchOption(argc, argv);
    const auto role = instance.claimBusName(QString::fromLatin1(launch.handOverMethod));
    if (!role) {
        printLine(role.error());
        return 1;
    }
    if (*role == SingleInstance::Role::handedOver)
        return 0;
    const auto locked = instance.lockDataFolder();
    if (!locked && locked.error().kind == DataFolderError::Kind::held) {
        printLine(locked.error().reason);
        return 1;
    }

    TivrenRepository repository;
    SystemClock clock;
    // The calendar stores, the keyring and the network stack come with their first use.
    ServicesModuleLoader servicesModule(ServicesModuleLoader::defaultPath());
    DesktopBrowser browser;
    OnDemandGoogleCalendarService googleCalendar(servicesModule, browser, clock);
    AppleCalendarService appleCalendar(std::make_unique<OnDemandCalendarStore>(servicesModule), clock);
    PomodoroSkipBroadcaster skipBroadcaster;
    CanberraSoundPlayer sound;
    DBusNotifier notifier(bus, sound, skipBroadcaster);
    BreakOverlayManager overlay;
    XdgAutostart autostart;
    autostart.migrateEarlierEntry();
    DialogFileChooser fileChooser;
    DesktopIdleMonitor idleMonitor(bus, clock);
    LogindSessionEvents sessionEvents(QDBusConnection::systemBus(), clock);
    AppModel model(AppServices { repository,
                       googleCalendar,
                       appleCalendar,
                       notifier,
                       overlay,
                       autostart,
                       fileChooser,
                       skipBroadcaster,
                       idleMonitor,
                       sessionEvents,
                       clock },
        AppModel::Options { true, false });
    if (!locked) {
        model.setReadOnly(
            model.localized(Text::en("Changes are not saved: Tivren cannot write to its data folder %@ (%@)."),
                { locked.error().folder, locked.error().reason }));
    }

    Shell shell(model, autostart, clock);
    fileChooser.setParentWindow([&shell]() -> QWidget* {
        return shell.mainWindow();
    });
    AwayPrompt awayPrompt(model, notifier, [&shell]() -> QWidget* {
        return shell.mainWindow();
    });
    ControlService control(model, windowActionsOf(shell));
    control.registerOn(bus);
    QObject::connect(&termination, &TerminationSignals::received, &app, &QCoreApplication::quit);
    QObject::connect(&termination, &TerminationSignals::received, &shell, &Shell::dismissQuitMessage);
    shell.start();
    shell.afterFirstFrame([&model, &shell, action = launch.action] {
        (void)loadThenAct(model, shell, action); // runs to its end on its own
        giveTheApplicationItsIcon();
    });
    if (!locked)
        shell.bringMainWindowForward(); // its banner says why nothing is saved
    QApplication::exec();
    return finishQuitting(instance, model, shell, notifier);
}
