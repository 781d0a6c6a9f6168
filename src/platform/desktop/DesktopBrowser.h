// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/services/Browser.h"

namespace tivren {

// The desktop's default browser (xdg-open through Qt).
class DesktopBrowser final : public Browser
{
public:
    bool openUrl(const QUrl& url) override;
};

} // namespace tivren
