// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/JsonExtras.h"

#include <QHashFunctions>
#include <QString>

#include <optional>

namespace tivren {

// The calendar chosen as export target in one calendar service. Google and the desktop calendar
// each get their own distinct type of the same shape, so one cannot be passed for the other.
template <typename Service> struct CalendarSettings
{
    std::optional<QString> selectedCalendarID;
    std::optional<QString> selectedCalendarName; // as last seen, shown without asking the service
    JsonExtras extras {}; // keys a newer Tivren wrote, kept as they came

    bool operator==(const CalendarSettings&) const = default;
};

struct GoogleCalendarService_Tag;
struct AppleCalendarService_Tag;
using GoogleCalendarSettings = CalendarSettings<GoogleCalendarService_Tag>;
using AppleCalendarSettings = CalendarSettings<AppleCalendarService_Tag>;

template <typename Service> size_t qHash(const CalendarSettings<Service>& settings, size_t seed = 0) noexcept
{
    return qHashMulti(seed,
        settings.selectedCalendarID.value_or(QString()),
        settings.selectedCalendarID.has_value(),
        settings.selectedCalendarName.value_or(QString()),
        settings.selectedCalendarName.has_value(),
        settings.extras);
}

} // namespace tivren
