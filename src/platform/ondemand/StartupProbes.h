// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/calendar/CalendarStore.h"

#include <QString>
#include <qcoro/qcorotask.h>

#include <optional>

namespace tivren {

// What the program asks at every start (is the desktop calendar there, is a Google token stored),
// answered over the session bus the program has open anyway, so the services module is loaded
// only when the answer needs it. No answer means: ask the real service.
namespace StartupProbes {

// The answer EdsCalendarStore gives, read from the bus's names.
[[nodiscard]] QCoro::Task<std::optional<Expected<CalendarAuthorizationStatus, CalendarStoreError>>>
desktopCalendarStatus();

// False only when the keyring QtKeychain would read from surely holds no item under these names.
[[nodiscard]] QCoro::Task<bool> mayHoldSecret(QString service, QString account);

} // namespace StartupProbes
} // namespace tivren
