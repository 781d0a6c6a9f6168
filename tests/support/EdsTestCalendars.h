#pragma once

// The user's side of Evolution Data Server for tests on a private bus (scripts/isolated-run --eds):
// what a calendar app would do to the calendars, through the store's own client library. Needs
// libecal and QT_NO_KEYWORDS (or EDS's `signals` member clashes with Qt's).
#include <QHash>
#include <QMap>
#include <QStringList>

#include <libecal/libecal.h>
#include <libedataserver/libedataserver.h>

namespace tivren::testing {

class EdsTestCalendars
{
public:
    using Events = QMap<QString, QStringList>; // by UID: summary, description, start, end, location

    EdsTestCalendars() = default;
    EdsTestCalendars(const EdsTestCalendars&) = delete;
    EdsTestCalendars& operator=(const EdsTestCalendars&) = delete;
    ~EdsTestCalendars()
    {
        for (ECalClient* calendar : std::as_const(m_clients))
            g_object_unref(calendar);
        g_clear_object(&m_registry);
    }

    // A second local calendar, as the user would add one; its identifier, or empty.
    QString addLocalCalendar(const char* name)
    {
        ESource* source = e_source_new(nullptr, nullptr, nullptr);
        e_source_set_parent(source, "local-stub");
        e_source_set_display_name(source, name);
        auto* backend = static_cast<ESourceBackend*>(e_source_get_extension(source, E_SOURCE_EXTENSION_CALENDAR));
        e_source_backend_set_backend_name(backend, "local");
        const bool added = e_source_registry_commit_source_sync(registry(), source, nullptr, nullptr);
        const QString id = added ? QString::fromUtf8(e_source_get_uid(source)) : QString();
        g_object_unref(source);
        return id;
    }

    ECalClient* client(const QString& calendarID)
    {
        if (!m_clients.contains(calendarID)) {
            ESource* source = e_source_registry_ref_source(registry(), calendarID.toUtf8().constData());
            EClient* opened = e_cal_client_connect_sync(source, E_CAL_CLIENT_SOURCE_TYPE_EVENTS, guint32(-1), {}, {});
            g_object_unref(source);
            m_clients.insert(calendarID, E_CAL_CLIENT(opened));
        }
        return m_clients.value(calendarID);
    }

    Events eventsIn(const QString& calendarID)
    {
        Events events;
        GSList* components = nullptr;
        e_cal_client_get_object_list_sync(client(calendarID), "#t", &components, {}, {});
        for (GSList* item = components; item; item = item->next) {
            auto* c = static_cast<ICalComponent*>(item->data);
            QStringList& event = events[QString::fromUtf8(i_cal_component_get_uid(c))];
            event << QString::fromUtf8(i_cal_component_get_summary(c))
                  << QString::fromUtf8(i_cal_component_get_description(c));
            event << text(i_cal_component_get_dtstart(c)) << text(i_cal_component_get_dtend(c))
                  << QString::fromUtf8(i_cal_component_get_location(c));
        }
        g_slist_free_full(components, g_object_unref);
        return events;
    }

    // The stored event, to change or copy; the caller unrefs it.
    ICalComponent* component(const QString& calendarID, const QString& uid)
    {
        ICalComponent* component = nullptr;
        e_cal_client_get_object_sync(client(calendarID), uid.toUtf8().constData(), {}, &component, {}, {});
        return component;
    }

    bool remove(const QString& calendarID, const QString& uid)
    {
        return e_cal_client_remove_object_sync(
            client(calendarID), uid.toUtf8().constData(), {}, E_CAL_OBJ_MOD_ALL, {}, {}, {});
    }

private:
    ESourceRegistry* registry()
    {
        if (!m_registry)
            m_registry = e_source_registry_new_sync(nullptr, nullptr);
        return m_registry;
    }

    // iCalendar form; UTC times end in Z.
    static QString text(ICalTime* time)
    {
        g_autofree gchar* text = i_cal_time_as_ical_string(time);
        g_object_unref(time);
        return QString::fromUtf8(text);
    }

    ESourceRegistry* m_registry = nullptr;
    QHash<QString, ECalClient*> m_clients;
};

} // namespace tivren::testing
