// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/calendar/EdsNotInstalled.h"

#include "app/text/AppStrings.h"

#include <QLocale>

namespace tivren {

CalendarStoreError edsNotInstalled()
{
    return { CalendarStoreError::Kind::unavailable,
        AppStrings::text(QLocale::system(),
            Text::en("The desktop calendar needs Evolution Data Server. Install the evolution-data-server package, "
                     "then connect again.")) };
}

} // namespace tivren
