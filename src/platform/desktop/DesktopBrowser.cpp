// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop/DesktopBrowser.h"

#include <QDesktopServices>

namespace tivren {

bool DesktopBrowser::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

} // namespace tivren
