// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/calendar/EdsCalendarStore.h"

#include "app/text/AppStrings.h"
#include "platform/calendar/EdsEventMapping.h"
#include "platform/calendar/EdsNotInstalled.h"
#include "platform/calendar/GLibHandles.h"

#include <QCoroFuture>
#include <QDateTime>
#include <QHash>
#include <QLoggingCategory>

#include <libecal/libecal.h>
#include <libedataserver/libedataserver.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

Q_LOGGING_CATEGORY(lcStore, "CalendarStore")

CalendarStoreError notResponding()
{
    return { CalendarStoreError::Kind::unavailable,
        AppStrings::text(QLocale::system(),
            Text::en("The desktop calendar (Evolution Data Server) is not responding. Try again in a moment.")) };
}

CalendarStoreError failed(const QString& what, const GErrorSlot& error)
{
    qCWarning(lcStore, "%s: %s", qPrintable(what), qPrintable(error.text()));
    return { CalendarStoreError::Kind::failed, what + u": "_s + error.text() };
}

// Calendars made from other data (birthdays from the address book, the weather) that can hold
// no event: never offered for an export, and an exported event can never have moved there.
bool isGeneratedCalendar(ESource* source)
{
    auto* extension = static_cast<ESourceBackend*>(e_source_get_extension(source, E_SOURCE_EXTENSION_CALENDAR));
    const gchar* backend = e_source_backend_get_backend_name(extension);
    return g_strcmp0(backend, "contacts") == 0 || g_strcmp0(backend, "weather") == 0;
}

} // namespace

// The store's objects. Made, used and released on the worker thread only: the registry delivers
// its updates to the main context of the thread that made it, which the worker's event loop serves.
class EdsCalendarStore::Backend
{
public:
    explicit Backend(QString registryService)
        : m_registryService(std::move(registryService))
    {
    }

    Expected<CalendarAuthorizationStatus, CalendarStoreError> status(GCancellable* cancellable)
    {
        const auto running = busNames("ListNames", cancellable);
        if (!running)
            return Unexpected(running.error());
        if (!registryName(*running).isEmpty())
            return CalendarAuthorizationStatus::fullAccess;
        const auto activatable = busNames("ListActivatableNames", cancellable);
        if (!activatable)
            return Unexpected(activatable.error());
        if (!registryName(*activatable).isEmpty())
            return CalendarAuthorizationStatus::notDetermined;
        return Unexpected(edsNotInstalled());
    }

    // Starts the registry through D-Bus activation; the calendars start on first use the same way.
    Expected<bool, CalendarStoreError> start(GCancellable* cancellable)
    {
        const auto activatable = busNames("ListActivatableNames", cancellable);
        if (!activatable)
            return Unexpected(activatable.error());
        const QString name = registryName(*activatable);
        if (name.isEmpty())
            return Unexpected(edsNotInstalled());
        GErrorSlot error;
        GVariant* answer = g_dbus_connection_call_sync(m_bus,
            "org.freedesktop.DBus",
            "/org/freedesktop/DBus",
            "org.freedesktop.DBus",
            "StartServiceByName",
            g_variant_new("(su)", name.toUtf8().constData(), 0u),
            G_VARIANT_TYPE("(u)"),
            G_DBUS_CALL_FLAGS_NONE,
            -1,
            cancellable,
            error.out());
        if (!answer) {
            qCWarning(lcStore, "Could not start %s: %s", qPrintable(name), qPrintable(error.text()));
            return Unexpected(notResponding());
        }
        g_variant_unref(answer);
        return true;
    }

    Expected<QList<CalendarStoreCalendar>, CalendarStoreError> calendars(GCancellable* cancellable)
    {
        ESourceRegistry* sources = registry(cancellable);
        if (!sources)
            return Unexpected(notResponding());
        QList<CalendarStoreCalendar> result;
        GList* list = e_source_registry_list_enabled(sources, E_SOURCE_EXTENSION_CALENDAR);
        for (GList* item = list; item; item = item->next) {
            auto* source = static_cast<ESource*>(item->data);
            if (isGeneratedCalendar(source))
                continue;
            CalendarStoreCalendar calendar;
            calendar.identifier = fromUtf8(e_source_get_uid(source));
            const GCharPtr title(e_source_dup_display_name(source));
            calendar.title = fromUtf8(title.get());
            if (const gchar* parentUID = e_source_get_parent(source)) {
                GObjectPtr<ESource> parent(e_source_registry_ref_source(sources, parentUID));
                if (parent) {
                    const GCharPtr parentTitle(e_source_dup_display_name(parent.get()));
                    calendar.sourceTitle = fromUtf8(parentTitle.get());
                }
            }
            result.append(calendar);
        }
        g_list_free_full(list, g_object_unref);
        return result;
    }

    // Looks in the likely calendar first and then in every other one: the user may have moved the
    // event. A calendar that cannot be opened now cannot be searched, and is passed over.
    Expected<std::optional<CalendarStoreEvent>, CalendarStoreError> find(
        const QString& identifier, const QString& likelyCalendarID, GCancellable* cancellable)
    {
        ESourceRegistry* sources = registry(cancellable);
        if (!sources)
            return Unexpected(notResponding());
        std::vector<GObjectPtr<ESource>> order;
        GList* list = e_source_registry_list_enabled(sources, E_SOURCE_EXTENSION_CALENDAR);
        for (GList* item = list; item; item = item->next) {
            auto* source = static_cast<ESource*>(g_object_ref(item->data));
            if (fromUtf8(e_source_get_uid(source)) == likelyCalendarID)
                order.insert(order.begin(), GObjectPtr<ESource>(source));
            else if (!isGeneratedCalendar(source))
                order.emplace_back(source);
            else
                g_object_unref(source);
        }
        g_list_free_full(list, g_object_unref);

        const QByteArray uid = identifier.toUtf8();
        for (const auto& source : order) {
            if (g_cancellable_is_cancelled(cancellable))
                return Unexpected(notResponding());
            const QString calendarID = fromUtf8(e_source_get_uid(source.get()));
            ECalClient* calendar = client(source.get(), cancellable);
            if (!calendar)
                continue;
            GErrorSlot error;
            ICalComponent* found = nullptr;
            if (e_cal_client_get_object_sync(calendar, uid.constData(), nullptr, &found, cancellable, error.out())) {
                const GObjectPtr<ICalComponent> component(found);
                return std::optional<CalendarStoreEvent>(EdsEventMapping::eventFrom(component.get(), calendarID));
            }
            if (!error.matches(E_CAL_CLIENT_ERROR, E_CAL_CLIENT_ERROR_OBJECT_NOT_FOUND)) {
                qCWarning(
                    lcStore, "Could not search calendar %s: %s", qPrintable(calendarID), qPrintable(error.text()));
                forgetClient(calendarID);
            }
        }
        return std::optional<CalendarStoreEvent>();
    }

    // Modifies the event where it is or creates it; an event that is to change calendars is put
    // into the new one and then removed from the old one (the store has no move).
    Expected<QString, CalendarStoreError> save(const CalendarStoreEvent& event, GCancellable* cancellable)
    {
        ESourceRegistry* sources = registry(cancellable);
        if (!sources)
            return Unexpected(notResponding());
        GObjectPtr<ESource> target(e_source_registry_ref_source(sources, event.calendarID.toUtf8().constData()));
        if (!target || !e_source_has_extension(target.get(), E_SOURCE_EXTENSION_CALENDAR)) {
            qCWarning(lcStore, "No calendar %s to save into", qPrintable(event.calendarID));
            return Unexpected(CalendarStoreError { CalendarStoreError::Kind::failed, u"no such calendar"_s });
        }
        ECalClient* calendar = client(target.get(), cancellable);
        if (!calendar)
            return Unexpected(CalendarStoreError { CalendarStoreError::Kind::failed, u"cannot open calendar"_s });

        const GObjectPtr<ICalComponent> component = EdsEventMapping::componentToSave(event);
        QString uid = fromUtf8(i_cal_component_get_uid(component.get()));
        GErrorSlot error;
        const bool stored = !event.storedCalendarID.isEmpty();
        bool saved = stored
            && e_cal_client_modify_object_sync(
                calendar, component.get(), E_CAL_OBJ_MOD_THIS, E_CAL_OPERATION_FLAG_NONE, cancellable, error.out());
        if (!saved) {
            // New, moved here, or deleted since it was read: create it (with the same identifier).
            gchar* createdUID = nullptr;
            saved = e_cal_client_create_object_sync(
                calendar, component.get(), E_CAL_OPERATION_FLAG_NONE, &createdUID, cancellable, error.out());
            if (createdUID)
                uid = QString::fromUtf8(createdUID);
            g_free(createdUID);
        }
        if (!saved) {
            forgetClient(event.calendarID);
            return Unexpected(failed(u"Could not save event in "_s + event.calendarID, error));
        }
        if (stored && event.storedCalendarID != event.calendarID) {
            // An origin calendar that is gone took the event with it.
            GObjectPtr<ESource> origin(
                e_source_registry_ref_source(sources, event.storedCalendarID.toUtf8().constData()));
            ECalClient* originCalendar = origin ? client(origin.get(), cancellable) : nullptr;
            if (origin && !originCalendar)
                return Unexpected(CalendarStoreError { CalendarStoreError::Kind::failed, u"cannot open calendar"_s });
            if (originCalendar
                && !e_cal_client_remove_object_sync(originCalendar,
                    event.identifier.toUtf8().constData(),
                    nullptr,
                    E_CAL_OBJ_MOD_ALL,
                    E_CAL_OPERATION_FLAG_NONE,
                    cancellable,
                    error.out())
                && !error.matches(E_CAL_CLIENT_ERROR, E_CAL_CLIENT_ERROR_OBJECT_NOT_FOUND)) {
                forgetClient(event.storedCalendarID);
                return Unexpected(failed(u"Could not remove moved event from "_s + event.storedCalendarID, error));
            }
        }
        return uid;
    }

    void close()
    {
        for (ECalClient* calendar : std::as_const(m_clients))
            g_object_unref(calendar);
        m_clients.clear();
        g_clear_object(&m_registry);
        g_clear_object(&m_bus);
    }

private:
    Expected<QStringList, CalendarStoreError> busNames(const char* method, GCancellable* cancellable)
    {
        GErrorSlot error;
        if (!m_bus) {
            m_bus = g_bus_get_sync(G_BUS_TYPE_SESSION, cancellable, error.out());
            if (!m_bus) {
                qCWarning(lcStore, "No session bus: %s", qPrintable(error.text()));
                return Unexpected(notResponding());
            }
            // Losing the bus is no reason for Tivren to quit.
            g_dbus_connection_set_exit_on_close(m_bus, FALSE);
        }
        GVariant* answer = g_dbus_connection_call_sync(m_bus,
            "org.freedesktop.DBus",
            "/org/freedesktop/DBus",
            "org.freedesktop.DBus",
            method,
            nullptr,
            G_VARIANT_TYPE("(as)"),
            G_DBUS_CALL_FLAGS_NONE,
            -1,
            cancellable,
            error.out());
        if (!answer) {
            qCWarning(lcStore, "%s failed: %s", method, qPrintable(error.text()));
            return Unexpected(notResponding());
        }
        QStringList names;
        GVariantIter* iter = nullptr;
        const gchar* name = nullptr;
        g_variant_get(answer, "(as)", &iter);
        while (g_variant_iter_loop(iter, "&s", &name))
            names.append(QString::fromUtf8(name));
        g_variant_iter_free(iter);
        g_variant_unref(answer);
        return names;
    }

    // The registry's name among these, whatever interface version the installed store has.
    QString registryName(const QStringList& names) const
    {
        for (const QString& name : names) {
            if (name.startsWith(m_registryService))
                return name;
        }
        return {};
    }

    ESourceRegistry* registry(GCancellable* cancellable)
    {
        if (!m_registry) {
            GErrorSlot error;
            m_registry = e_source_registry_new_sync(cancellable, error.out());
            if (!m_registry)
                qCWarning(lcStore, "Could not reach the source registry: %s", qPrintable(error.text()));
        }
        return m_registry;
    }

    ECalClient* client(ESource* source, GCancellable* cancellable)
    {
        const QString uid = fromUtf8(e_source_get_uid(source));
        if (ECalClient* known = m_clients.value(uid))
            return known;
        GErrorSlot error;
        // (guint32)-1: do not wait for a remote calendar to come online (it works offline and syncs
        // later); for local calendars any other value waits needlessly or for ever.
        EClient* opened =
            e_cal_client_connect_sync(source, E_CAL_CLIENT_SOURCE_TYPE_EVENTS, guint32(-1), cancellable, error.out());
        if (!opened) {
            qCWarning(lcStore, "Could not open calendar %s: %s", qPrintable(uid), qPrintable(error.text()));
            return nullptr;
        }
        auto* calendar = E_CAL_CLIENT(opened);
        m_clients.insert(uid, calendar);
        return calendar;
    }

    void forgetClient(const QString& uid)
    {
        if (ECalClient* calendar = m_clients.take(uid))
            g_object_unref(calendar);
    }

    const QString m_registryService;
    GDBusConnection* m_bus = nullptr;
    ESourceRegistry* m_registry = nullptr;
    QHash<QString, ECalClient*> m_clients; // opened calendars by source UID
};

namespace {

// Runs a backend call on the worker with a cancellable that the time limit cancels.
template <typename T, typename Call>
QCoro::Task<Expected<T, CalendarStoreError>> runLimited(
    SerialWorker& worker, std::chrono::milliseconds limit, Call call)
{
    std::shared_ptr<GCancellable> cancellable(g_cancellable_new(), g_object_unref);
    QFuture<std::optional<Expected<T, CalendarStoreError>>> running = worker.run(
        limit,
        [call = std::move(call), cancellable]() mutable {
            return call(cancellable.get());
        },
        [cancellable] {
            g_cancellable_cancel(cancellable.get());
        });
    const std::optional<Expected<T, CalendarStoreError>> result = co_await running;
    if (!result) {
        qCWarning(lcStore, "The calendar store did not answer within %lld ms", qlonglong(limit.count()));
        co_return Unexpected(notResponding());
    }
    co_return *result;
}

} // namespace

EdsCalendarStore::EdsCalendarStore()
    : EdsCalendarStore(QString::fromLatin1(defaultRegistryService), Limits {})
{
}

EdsCalendarStore::EdsCalendarStore(QString registryService, Limits limits)
    : m_backend(std::make_shared<Backend>(std::move(registryService)))
    , m_limits(limits)
    , m_worker(u"EdsCalendarStore"_s)
{
    m_worker.setFinalJob([backend = m_backend] {
        backend->close();
    });
}

EdsCalendarStore::~EdsCalendarStore() = default;

QCoro::Task<Expected<CalendarAuthorizationStatus, CalendarStoreError>> EdsCalendarStore::authorizationStatus()
{
    auto running = runLimited<CalendarAuthorizationStatus>(
        m_worker, m_limits.status, [backend = m_backend](GCancellable* cancellable) {
            return backend->status(cancellable);
        });
    co_return co_await std::move(running);
}

QCoro::Task<Expected<bool, CalendarStoreError>> EdsCalendarStore::requestFullAccess()
{
    auto running = runLimited<bool>(m_worker, m_limits.start, [backend = m_backend](GCancellable* cancellable) {
        return backend->start(cancellable);
    });
    co_return co_await std::move(running);
}

QCoro::Task<Expected<QList<CalendarStoreCalendar>, CalendarStoreError>> EdsCalendarStore::eventCalendars()
{
    auto running = runLimited<QList<CalendarStoreCalendar>>(
        m_worker, m_limits.read, [backend = m_backend](GCancellable* cancellable) {
            return backend->calendars(cancellable);
        });
    co_return co_await std::move(running);
}

QCoro::Task<Expected<std::optional<CalendarStoreEvent>, CalendarStoreError>> EdsCalendarStore::event(
    QString identifier, QString likelyCalendarID)
{
    auto running = runLimited<std::optional<CalendarStoreEvent>>(
        m_worker, m_limits.read, [backend = m_backend, identifier, likelyCalendarID](GCancellable* cancellable) {
            return backend->find(identifier, likelyCalendarID, cancellable);
        });
    co_return co_await std::move(running);
}

QCoro::Task<Expected<QString, CalendarStoreError>> EdsCalendarStore::save(CalendarStoreEvent event)
{
    auto running =
        runLimited<QString>(m_worker, m_limits.write, [backend = m_backend, event](GCancellable* cancellable) {
            return backend->save(event, cancellable);
        });
    co_return co_await std::move(running);
}

} // namespace tivren
