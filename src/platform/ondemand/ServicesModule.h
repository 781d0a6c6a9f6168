// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/calendar/CalendarStore.h"
#include "app/google/GoogleCalendarServicing.h"
#include "app/model/Clock.h"
#include "app/services/Browser.h"

#include <memory>

namespace tivren {

// The services that bind large libraries (Evolution Data Server, the keyring, the network stack),
// made by the services module, which the program loads only when one of them is first used.
class ServicesModule
{
public:
    virtual ~ServicesModule() = default;

    [[nodiscard]] virtual std::unique_ptr<CalendarStore> makeCalendarStore() = 0;
    // With the network access and the keyring it signs in with, which live as long as it does.
    [[nodiscard]] virtual std::shared_ptr<GoogleCalendarServicing> makeGoogleCalendarService(
        Browser& browser, const Clock& clock) = 0;
};

// The module's one exported function; the caller owns what it returns. Called on the UI thread.
using ServicesModuleFactory = ServicesModule* (*)();
inline constexpr char servicesModuleFactoryName[] = "tivrenServicesModule";

} // namespace tivren
