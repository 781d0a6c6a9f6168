// SPDX-License-Identifier: GPL-3.0-or-later
// The services module: built as tivren-services.so, loaded by ServicesModuleLoader. Everything the
// project itself defines is taken from the executable, so nothing here holds a second copy of it.
#include "app/google/GoogleCalendarService.h"
#include "platform/calendar/EdsCalendarStore.h"
#include "platform/desktop/KeychainSecretStore.h"
#include "platform/ondemand/ServicesModule.h"

#include <QNetworkAccessManager>

namespace tivren {
namespace {

// Google's service with the network access and keyring that only it uses.
struct GoogleStack
{
    GoogleStack(Browser& browser, const Clock& clock)
        : service(network, keychain, browser, clock, GoogleCalendarConfiguration::fromBuild())
    {
    }

    QNetworkAccessManager network;
    KeychainSecretStore keychain;
    GoogleCalendarService service;
};

class LoadedServices final : public ServicesModule
{
public:
    std::unique_ptr<CalendarStore> makeCalendarStore() override { return std::make_unique<EdsCalendarStore>(); }

    std::shared_ptr<GoogleCalendarServicing> makeGoogleCalendarService(Browser& browser, const Clock& clock) override
    {
        auto stack = std::make_shared<GoogleStack>(browser, clock);
        return std::shared_ptr<GoogleCalendarServicing>(stack, &stack->service);
    }
};

} // namespace
} // namespace tivren

extern "C" Q_DECL_EXPORT tivren::ServicesModule* tivrenServicesModule()
{
    return new tivren::LoadedServices;
}
