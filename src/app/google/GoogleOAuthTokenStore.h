// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/google/GoogleCalendarServicing.h"
#include "app/google/GoogleOAuth.h"
#include "app/services/SecretStore.h"
#include "app/services/SerialQueue.h"

#include <QString>
#include <QStringView>
#include <qcoro/qcorotask.h>

#include <optional>

namespace tivren {

// The Google sign-in's token in the user's keyring: one item, service "Tivren.GoogleCalendar",
// account "oauth-token", holding the token as JSON. One operation at a time.
class GoogleOAuthTokenStore
{
public:
    static constexpr QStringView serviceName = u"Tivren.GoogleCalendar";
    static constexpr QStringView accountName = u"oauth-token";
    // A throw-away item beside the token, written and deleted to see that the keyring takes writes.
    static constexpr QStringView probeAccountName = u"write-check";

    explicit GoogleOAuthTokenStore(SecretStore& secrets);

    // The stored token, or nothing when none is stored. A stored item that is not a token counts
    // as an expired sign-in: connecting again replaces it.
    [[nodiscard]] QCoro::Task<Expected<std::optional<GoogleOAuthToken>, GoogleCalendarServiceError>> load();
    [[nodiscard]] QCoro::Task<Expected<Done, GoogleCalendarServiceError>> save(GoogleOAuthToken token);
    // Whether a token could be saved now: writes and deletes a probe item, leaving the token as it is.
    [[nodiscard]] QCoro::Task<Expected<Done, GoogleCalendarServiceError>> checkWritable();
    // Afterwards no token is stored; deleting when none is stored succeeds.
    [[nodiscard]] QCoro::Task<Expected<Done, GoogleCalendarServiceError>> remove();

    // The user-facing text of a keyring failure, in the system language.
    [[nodiscard]] static GoogleCalendarServiceError keyringError(const SecretStoreError& error);

private:
    SecretStore& m_secrets;
    SerialQueue m_queue;
};

} // namespace tivren
