// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/services/AwayNotifying.h"
#include "app/services/PomodoroNotifying.h"

#include <QDBusConnection>
#include <QList>
#include <QLocale>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QDBusMessage;

namespace tivren {

class PomodoroSkipBroadcaster;
class SoundPlayer;

// Pomodoro and work reminder notifications through the desktop's notification server
// (org.freedesktop.Notifications on the session bus). Phase notifications carry a "Skip" button
// whose click is posted on the app-wide skip channel; only the current phase's one counts, and it
// is closed when the next phase begins. The sound goes through the server where it can play one
// (so Do Not Disturb silences it), else through the sound player. Every bus call is asynchronous:
// the user-interface thread never waits on the server. The question about time away comes with a
// button per answer. Lives on the user-interface thread.
class DBusNotifier : public QObject, public PomodoroNotifying, public AwayNotifying
{
    Q_OBJECT

public:
    using LocaleProvider = std::function<QLocale()>;

    DBusNotifier(QDBusConnection bus,
        SoundPlayer& soundPlayer,
        PomodoroSkipBroadcaster& skipBroadcaster,
        LocaleProvider systemLocale = &QLocale::system,
        QObject* parent = nullptr);
    ~DBusNotifier() override;

    void requestAuthorizationIfNeeded() override;
    void notify(PomodoroPhase phase, bool soundEnabled) override;
    void notifyWorkReminder(Seconds elapsed, bool soundEnabled) override;
    void askAway(const AwayQuestion& question, Answered answered) override;
    void withdrawAway() override;

    // One plain notification (no buttons, no sound) for a moment when no event loop runs any more,
    // such as quitting: blocks until the server has taken it, at most msecs. False when it did not.
    [[nodiscard]] bool notifyOnce(const QString& title, const QString& body, int msecs);

Q_SIGNALS:
    // Whether a notification server is running or can be started on demand; emitted when the
    // answer first arrives after requestAuthorizationIfNeeded() and whenever it changes later.
    void serverAvailabilityChanged(bool available);

private Q_SLOTS:
    void onActionInvoked(uint id, const QString& action, const QDBusMessage& message);
    void onNotificationClosed(uint id, uint reason, const QDBusMessage& message);

private:
    enum class Kind
    {
        phase,
        reminder,
    };
    enum class Server
    {
        unknown,
        available,
        absent,
    };
    // A notification is named by the server that posted it as well as by its id: ids are only
    // unique per server, and the bus delivers every sender's ActionInvoked to us.
    struct Posted
    {
        QString server;
        uint id = 0;
    };

    void post(Kind kind, const QString& title, const QString& body, bool soundEnabled);
    // Sends a Notify call; whenPosted gets the server's name and id, a failure is logged as `what`.
    void sendNotify(const QDBusMessage& call, const char* what, std::function<void(const Posted&)> whenPosted);
    // A notification whose server answered: kept in slot while still current, else closed.
    void keepIfCurrent(const Posted& posted, std::optional<Posted>& slot, bool current);
    // Whether the server plays the sound (it lists "sound"); plays it here otherwise.
    [[nodiscard]] bool serverPlaysSound(bool soundEnabled);
    void fetchCapabilities();
    void closeCurrentPhase();
    void close(const Posted& notification);
    void probeServer();
    void setServer(Server server);
    [[nodiscard]] bool isCurrentPhase(const QString& server, uint id) const;

    QDBusConnection m_bus;
    SoundPlayer& m_soundPlayer;
    PomodoroSkipBroadcaster& m_skipBroadcaster;
    LocaleProvider m_systemLocale;
    bool m_didRequestAuth = false;
    Server m_server = Server::unknown;
    // Bumped whenever the server's presence changes, so an answer to an older probe is dropped.
    quint64 m_serverGeneration = 0;
    // The notification of the phase that runs now, once the server has answered.
    std::optional<Posted> m_currentPhase;
    // Bumped by every phase notification: an answer for an older one is closed, not kept.
    quint64 m_phaseSerial = 0;
    // The question about time away, once the server has answered; its serial and answer handler.
    std::optional<Posted> m_away;
    quint64 m_awaySerial = 0;
    Answered m_awayAnswered;
    // The last answer to GetCapabilities; nothing known plays the sound here.
    bool m_serverHasSound = false;
};

} // namespace tivren
