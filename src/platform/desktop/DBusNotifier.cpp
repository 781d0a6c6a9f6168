#include "platform/desktop/DBusNotifier.h"

#include "app/services/PomodoroSkipBroadcaster.h"
#include "app/services/SoundPlayer.h"
#include "app/text/NotificationTexts.h"

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

// Enough for every phase notification a server could still be showing; older ones are forgotten
// even when the server never reports them closed.
constexpr qsizetype maxRememberedPhases = 16;

enum class Urgency : quint8
{
    normal = 1,
    critical = 2,
};

QDBusMessage notifyCall(
    const QString& category, Urgency urgency, const QString& title, const QString& body, const QStringList& actions)
{
    const QVariantMap hints {
        { u"category"_s, category },
        { u"desktop-entry"_s, u"tivren"_s },
        { u"urgency"_s, QVariant::fromValue(quint8(urgency)) }, // the protocol wants a byte, not an int
        // Tivren plays its own sound when the user wants one; the server must not add a second.
        { u"suppress-sound"_s, true },
    };
    QDBusMessage call =
        QDBusMessage::createMethodCall(notificationsService, notificationsPath, notificationsInterface, u"Notify"_s);
    // replaces_id 0: every notification is a new one instead of replacing the last.
    call << u"Tivren"_s << 0u << u"tivren"_s << title << body << actions << hints << -1;
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
    if (soundEnabled)
        m_soundPlayer.playPhaseSound();
    const NotificationText text = NotificationTexts::phaseBegan(phase, m_systemLocale());
    post(Kind::phase, text.title, text.body);
}

void DBusNotifier::notifyWorkReminder(Seconds elapsed, bool soundEnabled)
{
    if (soundEnabled)
        m_soundPlayer.playPhaseSound();
    const NotificationText text = NotificationTexts::workReminder(elapsed, m_systemLocale());
    post(Kind::reminder, text.title, text.body);
}

void DBusNotifier::post(Kind kind, const QString& title, const QString& body)
{
    // Until the bus has answered, try anyway: a missing server only makes the call fail.
    if (m_server == Server::absent)
        return;

    const QStringList actions = kind == Kind::phase
        ? QStringList { skipActionKey, NotificationTexts::skipAction(m_systemLocale()) }
        : QStringList {};
    const QDBusMessage call = notifyCall(
        kind == Kind::phase ? u"x-tivren.pomodoro"_s : u"x-tivren.reminder"_s, Urgency::normal, title, body, actions);
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, kind](QDBusPendingCallWatcher* self) {
        self->deleteLater();
        const QDBusPendingReply<uint> reply = *self;
        if (reply.isError()) {
            const QByteArray message = reply.error().message().toUtf8();
            if (kind == Kind::phase)
                qCCritical(lcNotifier, "Failed to schedule Pomodoro notification: %s", message.constData());
            else
                qCCritical(lcNotifier, "Failed to schedule work reminder notification: %s", message.constData());
            return;
        }
        if (kind == Kind::phase)
            remember(reply.reply().service(), reply.value());
    });
}

bool DBusNotifier::notifyOnce(const QString& title, const QString& body, int msecs)
{
    const QDBusMessage reply =
        m_bus.call(notifyCall(u"x-tivren.error"_s, Urgency::critical, title, body, {}), QDBus::Block, msecs);
    return reply.type() == QDBusMessage::ReplyMessage;
}

void DBusNotifier::remember(const QString& server, uint id)
{
    if (indexOfPosted(server, id) >= 0)
        return;
    if (m_postedPhases.size() >= maxRememberedPhases)
        m_postedPhases.removeFirst();
    m_postedPhases.append({ server, id });
}

qsizetype DBusNotifier::indexOfPosted(const QString& server, uint id) const
{
    for (qsizetype i = 0; i < m_postedPhases.size(); ++i) {
        if (m_postedPhases[i].id == id && m_postedPhases[i].server == server)
            return i;
    }
    return -1;
}

void DBusNotifier::onActionInvoked(uint id, const QString& action, const QDBusMessage& message)
{
    if (action != skipActionKey || indexOfPosted(message.service(), id) < 0)
        return;
    m_skipBroadcaster.post();
}

void DBusNotifier::onNotificationClosed(uint id, uint /*reason*/, const QDBusMessage& message)
{
    const qsizetype index = indexOfPosted(message.service(), id);
    if (index >= 0)
        m_postedPhases.removeAt(index);
}

} // namespace tivren
