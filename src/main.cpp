// Tivren: the shell. Builds the services and the one model, wires the platform to them, keeps
// to one instance per user and finishes every save before the process ends.
#include "app/AppModel.h"
#include "app/AppleCalendarService.h"
#include "app/Clock.h"
#include "app/GoogleCalendarService.h"
#include "app/PomodoroSkipBroadcaster.h"
#include "core/TivrenRepository.h"
#include "platform/BreakOverlayManager.h"
#include "platform/CanberraSoundPlayer.h"
#include "platform/ControlService.h"
#include "platform/DBusNotifier.h"
#include "platform/DesktopBrowser.h"
#include "platform/EdsCalendarStore.h"
#include "platform/KeychainSecretStore.h"
#include "platform/XdgAutostart.h"
#include "ui/DialogFileChooser.h"
#include "ui/MainWindow.h"
#include "ui/Shell.h"
#include "ui/TrayIcons.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QNetworkAccessManager>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace tivren;

namespace {

int signalPipe[2] = { -1, -1 };

void onTerminate(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

// SIGTERM and SIGINT quit through the event loop, so pending saves are finished first.
void quitOnTerminationSignals(QObject* owner)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, owner);
    QObject::connect(notifier, &QSocketNotifier::activated, owner, [] {
        char byte;
        [[maybe_unused]] const auto read = ::read(signalPipe[0], &byte, 1);
        QCoreApplication::quit();
    });
    struct sigaction action
    {
    };
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Tivren"_s);
    QApplication::setApplicationDisplayName(u"Tivren"_s);
    QApplication::setDesktopFileName(u"tivren"_s);
    QApplication::setWindowIcon(QIcon::fromTheme(u"tivren"_s, TrayIcons::idle()));

    // One instance per user: the bus name says who runs; a second launch hands over and leaves.
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected() && !bus.registerService(QString::fromLatin1(ControlService::serviceName))) {
        const QDBusMessage show = QDBusMessage::createMethodCall(QString::fromLatin1(ControlService::serviceName),
            QString::fromLatin1(ControlService::objectPath),
            QString::fromLatin1(ControlService::interfaceName),
            u"Show"_s);
        bus.call(show, QDBus::Block, 3000);
        return 0;
    }

    // ... and a lock in the data folder, so two instances (on two buses, or none) never both
    // write the data file.
    const QString dataFile = TivrenRepository::defaultFileURL();
    const QString dataFolder = QFileInfo(dataFile).absolutePath();
    QDir().mkpath(dataFolder);
    QLockFile lock(dataFolder + u"/tivren.lock"_s);
    lock.setStaleLockTime(0);
    if (!lock.tryLock(200)) {
        std::fprintf(stderr, "Tivren is already running for this user (%s is locked).\n", qPrintable(dataFolder));
        return 1;
    }

    TivrenRepository repository;
    SystemClock clock;
    QNetworkAccessManager network;
    KeychainSecretStore keychain;
    DesktopBrowser browser;
    GoogleCalendarService googleCalendar(network, keychain, browser, clock, GoogleCalendarConfiguration::fromBuild());
    AppleCalendarService appleCalendar(std::make_unique<EdsCalendarStore>(), clock);
    PomodoroSkipBroadcaster skipBroadcaster;
    CanberraSoundPlayer sound;
    DBusNotifier notifier(bus, sound, skipBroadcaster);
    BreakOverlayManager overlay;
    XdgAutostart autostart;
    DialogFileChooser fileChooser;
    AppModel model(AppServices { repository,
                       googleCalendar,
                       appleCalendar,
                       notifier,
                       overlay,
                       autostart,
                       fileChooser,
                       skipBroadcaster,
                       clock },
        AppModel::Options { true, true });

    Shell shell(model, autostart, clock);
    fileChooser.setParentWindow(shell.mainWindow());
    ControlService control(model, [&shell] {
        shell.bringMainWindowForward();
    });
    if (bus.isConnected()) {
        bus.registerObject(
            QString::fromLatin1(ControlService::objectPath), &control, QDBusConnection::ExportScriptableSlots);
    }
    quitOnTerminationSignals(&app);
    // Quit from the menu, a signal or the session's end: every handed-over save is written first.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &model, [&model] {
        model.finishPendingSaves(10000);
    });
    shell.start();
    return QApplication::exec();
}
