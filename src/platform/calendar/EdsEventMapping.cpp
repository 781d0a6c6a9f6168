// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/calendar/EdsEventMapping.h"

#include <QDateTime>

#include <cmath>
#include <libedataserver/libedataserver.h>

namespace tivren::EdsEventMapping {
namespace {

Instant instantOf(ICalTime* time)
{
    if (!time)
        return 0;
    ICalTimezone* zone = i_cal_time_get_timezone(time);
    return Instant(i_cal_time_as_timet_with_zone(time, zone ? zone : i_cal_timezone_get_utc_timezone()));
}

GObjectPtr<ICalTime> utcTime(Instant instant)
{
    return GObjectPtr<ICalTime>(
        i_cal_time_new_from_timet_with_zone(time_t(std::floor(instant)), FALSE, i_cal_timezone_get_utc_timezone()));
}

void removeProperties(ICalComponent* component, ICalPropertyKind kind)
{
    while (ICalProperty* property = i_cal_component_get_first_property(component, kind)) {
        i_cal_component_remove_property(component, property);
        g_object_unref(property);
    }
}

} // namespace

GObjectPtr<ICalComponent> componentToSave(const CalendarStoreEvent& event)
{
    GObjectPtr<ICalComponent> component;
    if (!event.storeData.isEmpty()) {
        component.reset(i_cal_component_new_from_string(event.storeData.constData()));
        if (component && i_cal_component_isa(component.get()) == I_CAL_VCALENDAR_COMPONENT)
            component.reset(i_cal_component_get_first_component(component.get(), I_CAL_VEVENT_COMPONENT));
        if (component && i_cal_component_isa(component.get()) != I_CAL_VEVENT_COMPONENT)
            component.reset();
    }
    if (!component) {
        component.reset(i_cal_component_new_vevent());
        const QByteArray uid = event.identifier.toUtf8();
        if (uid.isEmpty()) {
            const GCharPtr generated(e_util_generate_uid());
            i_cal_component_set_uid(component.get(), generated.get());
        } else {
            i_cal_component_set_uid(component.get(), uid.constData());
        }
    }
    i_cal_component_set_summary(component.get(), event.title.toUtf8().constData());
    i_cal_component_set_description(component.get(), event.notes.toUtf8().constData());
    removeProperties(component.get(), I_CAL_DTSTART_PROPERTY);
    removeProperties(component.get(), I_CAL_DTEND_PROPERTY);
    removeProperties(component.get(), I_CAL_DURATION_PROPERTY);
    removeProperties(component.get(), I_CAL_DTSTAMP_PROPERTY);
    i_cal_component_take_property(component.get(), i_cal_property_new_dtstart(utcTime(event.start).get()));
    i_cal_component_take_property(component.get(), i_cal_property_new_dtend(utcTime(event.end).get()));
    i_cal_component_take_property(
        component.get(), i_cal_property_new_dtstamp(utcTime(double(QDateTime::currentSecsSinceEpoch())).get()));
    return component;
}

CalendarStoreEvent eventFrom(ICalComponent* component, const QString& calendarID)
{
    CalendarStoreEvent event;
    event.identifier = fromUtf8(i_cal_component_get_uid(component));
    event.calendarID = calendarID;
    event.storedCalendarID = calendarID;
    event.title = fromUtf8(i_cal_component_get_summary(component));
    event.notes = fromUtf8(i_cal_component_get_description(component));
    GObjectPtr<ICalTime> start(i_cal_component_get_dtstart(component));
    GObjectPtr<ICalTime> end(i_cal_component_get_dtend(component));
    event.start = instantOf(start.get());
    event.end = instantOf(end.get());
    const GCharPtr text(i_cal_component_as_ical_string(component));
    event.storeData = QByteArray(text.get());
    return event;
}

} // namespace tivren::EdsEventMapping
