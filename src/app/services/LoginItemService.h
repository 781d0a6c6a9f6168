// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Expected.h"

#include <QString>
#include <qcoro/qcorotask.h>

namespace tivren {

struct LoginItemError
{
    QString description;
};

// Starting Tivren when the user logs in (an XDG autostart entry on Linux).
class LoginItemService
{
public:
    virtual ~LoginItemService() = default;
    [[nodiscard]] virtual QCoro::Task<Expected<Done, LoginItemError>> setEnabled(bool enabled) = 0;
    [[nodiscard]] virtual QCoro::Task<bool> isEnabled() = 0;
};

} // namespace tivren
