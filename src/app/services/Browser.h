// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>

namespace tivren {

// The user's default web browser.
class Browser
{
public:
    virtual ~Browser() = default;
    // Whether the browser could be asked to open the address (not whether the page loaded).
    [[nodiscard]] virtual bool openUrl(const QUrl& url) = 0;
};

} // namespace tivren
