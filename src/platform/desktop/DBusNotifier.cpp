// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/DBusNotifier.h"

#include "app/services/PomodoroSkipBroadcaster.h"
#include "app/services/SoundPlayer.h"
#include "app/text/AwayTexts.h"
#include "app/text/NotificationTexts.h"
#include "core/ApplicationId.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QLoggingCategory>
#include <QStringList>
#include <QVariantMap>

#include <utility>

using namespace Qt::StringLiterals;

namespace tivren {

namespace {

Q_LOGGING_CATEGORY(lcNotifier, "PomodoroNotifier")

const QString notificationsService = u"org.freedesktop.Notifications"_s;
const QString notificationsPath = u"/org/freedesktop/Notifications"_s;
const QString notificationsInterface = u"org.freedesktop.Notifications"_s;
const QString busService = u"org.freedesktop.DBus"_s;
const QString busPath = u"/org/freedesktop/DBus"_s;
const QString busInterface = u"org.freedesktop.DBus"_s;
const QString skipActionKey = u"POMODORO_SKIP"_s;
// The away question's buttons: the prefix, then the answer's raw value.
const QString awayActionPrefix = u"AWAY_"_s;

// The sound theme's event for a finished phase; CanberraSoundPlayer plays the same one.
const QString phaseSoundName = u"complete"_s;

enum class Urgency : quint8
{
    normal = 1,
    critical = 2,
};

// soundName: the sound the server plays with it; none (empty) keeps the server silent, since
// Tivren then plays its own sound, or none.
QDBusMessage notifyCall(const QString& category,
    Urgency urgency,
    const QString& title,
    const QString& body,
    const QStringList& actions,
    const QString& soundName = {})
{
    QVariantMap hints {
        { u"category"_s, category },
        { u"desktop-entry"_s, ApplicationId::name() },
        { u"urgency"_s, QVariant::fromValue(quint8(urgency)) }, // the protocol wants a byte, not an int
    };
    if (soundName.isEmpty())
        hints.insert(u"suppress-sound"_s, true);
    else
        hints.insert(u"sound-name"_s, soundName);
    QDBusMessage call =
        QDBusMessage::createMethodCall(notificationsService, notificationsPath, notificationsInterface, u"Notify"_s);
    // replaces_id 0: every notification is a new one instead of replacing the last.
    call << u"Tivren"_s << 0u << ApplicationId::name() << title << body << actions << hints << -1;
    return call;
}

} // namespace

DBusNotifier::DBusNotifier(QDBusConnection bus,
    SoundPlayer& soundPlayer,
    PomodoroSkipBroadcaster& skipBroadcaster,
    LocaleProvider systemLocale,
    QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus))
    , m_soundPlayer(soundPlayer)
    , m_skipBroadcaster(skipBroadcaster)
    , m_systemLocale(std::move(systemLocale))
{
    // No sender name: matching on the well-known name would make Qt look its owner up with a
    // blocking call. The sender is checked against the server that answered Notify instead.
    // QDBusConnection::connect only takes the SLOT() form.
    m_bus.connect(QString(),
        notificationsPath,
        notificationsInterface,
        u"ActionInvoked"_s,
        this,
        SLOT(onActionInvoked(uint, QString, QDBusMessage)));
    m_bus.connect(QString(),
        notificationsPath,
        notificationsInterface,
        u"NotificationClosed"_s,
        this,
        SLOT(onNotificationClosed(uint, uint, QDBusMessage)));
    fetchCapabilities();
}

DBusNotifier::~DBusNotifier() = default;

void DBusNotifier::requestAuthorizationIfNeeded()
{
    if (m_didRequestAuth)
        return;
    m_didRequestAuth = true;

    // A desktop often starts its notification daemon after the apps of the session, or stops
    // and restarts it; follow it instead of deciding once.
    auto* watcher = new QDBusServiceWatcher(notificationsService,
        m_bus,
        QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration,
        this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, [this] {
        ++m_serverGeneration;
        setServer(Server::available);
    });
    connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
        ++m_serverGeneration;
        probeServer(); // it may still be activatable
    });
    probeServer();
}

void DBusNotifier::probeServer()
{
    const quint64 generation = m_serverGeneration;
    auto* call = new QDBusPendingCallWatcher(
        m_bus.asyncCall(QDBusMessage::createMethodCall(busService, busPath, busInterface, u"NameHasOwner"_s)
            << notificationsService),
        this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, generation](QDBusPendingCallWatcher* self) {
        self->deleteLater();
        const QDBusPendingReply<bool> owned = *self;
        if (generation != m_serverGeneration)
            return;
        if (owned.isValid() && owned.value()) {
            setServer(Server::available);
            return;
        }
        // Many daemons (dunst, mako, xfce4-notifyd) are started by the bus on the first Notify,
        // so an unowned name that is activatable is as good as a running server.
        auto* activatable = new QDBusPendingCallWatcher(
            m_bus.asyncCall(
                QDBusMessage::createMethodCall(busService, busPath, busInterface, u"ListActivatableNames"_s)),
            this);
        connect(activatable,
            &QDBusPendingCallWatcher::finished,
            this,
            [this, generation](QDBusPendingCallWatcher* listCall) {
                listCall->deleteLater();
                const QDBusPendingReply<QStringList> names = *listCall;
                if (generation != m_serverGeneration)
                    return;
                const bool canStart = names.isValid() && names.value().contains(notificationsService);
                setServer(canStart ? Server::available : Server::absent);
            });
    });
}

void DBusNotifier::setServer(Server server)
{
    if (m_server == server)
        return;
    m_server = server;
    Q_EMIT serverAvailabilityChanged(server == Server::available);
}

void DBusNotifier::notify(PomodoroPhase phase, bool soundEnabled)
{
    // The previous phase is over: its notification, and its Skip button, go.
    closeCurrentPhase();
    const NotificationText text = NotificationTexts::phaseBegan(phase, m_systemLocale());
    post(Kind::phase, text.title, text.body, soundEnabled);
}

void DBusNotifier::notifyWorkReminder(Seconds elapsed, bool soundEnabled)
{
    const NotificationText text = NotificationTexts::workReminder(elapsed, m_systemLocale());
    post(Kind::reminder, text.title, text.body, soundEnabled);
}

bool DBusNotifier::serverPlaysSound(bool soundEnabled)
{
    if (!soundEnabled)
        return false;
    const bool server = m_serverHasSound && m_server != Server::absent;
    if (!server)
        m_soundPlayer.playPhaseSound(); // at once, whatever the server does
    return server;
}

void DBusNotifier::fetchCapabilities()
{
    const quint64 generation = m_serverGeneration;
    auto* call = new QDBusPendingCallWatcher(
        m_bus.asyncCall(QDBusMessage::createMethodCall(
            notificationsService, notificationsPath, notificationsInterface, u"GetCapabilities"_s)),
        this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, generation](QDBusPendingCallWatcher* self) {
        self->deleteLater();
        const QDBusPendingReply<QStringList> capabilities = *self;
        if (generation == m_serverGeneration)
            m_serverHasSound = capabilities.isValid() && capabilities.value().contains(u"sound"_s);
    });
}

void DBusNotifier::post(Kind kind, const QString& title, const QString& body, bool soundEnabled)
{
    const bool serverSound = serverPlaysSound(soundEnabled);
    // Until the bus has answered, try anyway: a missing server only makes the call fail.
    if (m_server == Server::absent)
        return;

    const QStringList actions = kind == Kind::phase
        ? QStringList { skipActionKey, NotificationTexts::skipAction(m_systemLocale()) }
        : QStringList {};
    const QDBusMessage call = notifyCall(kind == Kind::phase ? u"x-tivren.pomodoro"_s : u"x-tivren.reminder"_s,
        Urgency::normal,
        title,
        body,
        actions,
        serverSound ? phaseSoundName : QString());
    if (kind == Kind::phase) {
        // Another phase may begin before the server answers: then this one is closed at once.
        const quint64 serial = ++m_phaseSerial;
        sendNotify(call, "Pomodoro notification", [this, serial](const Posted& posted) {
            keepIfCurrent(posted, m_currentPhase, serial == m_phaseSerial);
        });
    } else {
        sendNotify(call, "work reminder notification", nullptr);
    }
    // The server may have been replaced since; the next notification uses what it says now.
    fetchCapabilities();
}

void DBusNotifier::askAway(const AwayQuestion& question, Answered answered)
{
    withdrawAway();
    if (m_server == Server::absent)
        return;
    m_awayAnswered = std::move(answered);
    const AwayQuestionText text = AwayTexts::question(question, m_systemLocale());
    QStringList actions;
    for (AwayAnswer answer : { AwayAnswer::keep, AwayAnswer::discard, AwayAnswer::stop })
        actions << awayActionPrefix + rawValue(answer) << AwayTexts::answerLabel(text, answer);
    const QDBusMessage call = notifyCall(u"x-tivren.away"_s, Urgency::normal, text.title, text.body, actions);
    // Answered or withdrawn before the server answers: then it is closed at once.
    const quint64 serial = m_awaySerial;
    sendNotify(call, "the question about time away", [this, serial](const Posted& posted) {
        keepIfCurrent(posted, m_away, serial == m_awaySerial);
    });
}

void DBusNotifier::sendNotify(const QDBusMessage& call, const char* what, std::function<void(const Posted&)> whenPosted)
{
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher,
        &QDBusPendingCallWatcher::finished,
        this,
        [what, whenPosted = std::move(whenPosted)](QDBusPendingCallWatcher* self) {
            self->deleteLater();
            const QDBusPendingReply<uint> reply = *self;
            if (reply.isError()) {
                qCCritical(lcNotifier, "Failed to schedule %s: %s", what, qPrintable(reply.error().message()));
                return;
            }
            if (whenPosted)
                whenPosted(Posted { reply.reply().service(), reply.value() });
        });
}

void DBusNotifier::keepIfCurrent(const Posted& posted, std::optional<Posted>& slot, bool current)
{
    if (current)
        slot = posted;
    else
        close(posted);
}

void DBusNotifier::withdrawAway()
{
    ++m_awaySerial;
    m_awayAnswered = nullptr;
    if (const auto posted = std::exchange(m_away, std::nullopt))
        close(*posted);
}

void DBusNotifier::closeCurrentPhase()
{
    if (const auto current = std::exchange(m_currentPhase, std::nullopt))
        close(*current);
}

void DBusNotifier::close(const Posted& notification)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        notification.server, notificationsPath, notificationsInterface, u"CloseNotification"_s);
    call << notification.id;
    // No reply wanted: one already closed by the user answers with an error nobody needs.
    call.setAutoStartService(false);
    m_bus.send(call);
}

bool DBusNotifier::notifyOnce(const QString& title, const QString& body, int msecs)
{
    const QDBusMessage reply =
        m_bus.call(notifyCall(u"x-tivren.error"_s, Urgency::critical, title, body, {}), QDBus::Block, msecs);
    return reply.type() == QDBusMessage::ReplyMessage;
}

bool DBusNotifier::isCurrentPhase(const QString& server, uint id) const
{
    return m_currentPhase && m_currentPhase->id == id && m_currentPhase->server == server;
}

void DBusNotifier::onActionInvoked(uint id, const QString& action, const QDBusMessage& message)
{
    if (action.startsWith(awayActionPrefix)) {
        const auto answer = awayAnswerFromRawValue(QStringView(action).mid(awayActionPrefix.size()));
        if (!answer || !m_away || m_away->id != id || m_away->server != message.service())
            return;
        Answered answered = std::exchange(m_awayAnswered, nullptr);
        m_away.reset(); // the server closes it after the click
        if (answered)
            answered(*answer);
        return;
    }
    // An older phase's Skip must not skip the phase that followed it.
    if (action != skipActionKey || !isCurrentPhase(message.service(), id))
        return;
    m_skipBroadcaster.post();
}

void DBusNotifier::onNotificationClosed(uint id, uint /*reason*/, const QDBusMessage& message)
{
    if (isCurrentPhase(message.service(), id))
        m_currentPhase.reset();
    if (m_away && m_away->id == id && m_away->server == message.service())
        m_away.reset();
}

} // namespace tivren
