// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/idle/PollingIdleDetector.h"

using Display = struct _XDisplay;

namespace tivren {

// X11: the X server's own count of the time since the last input (the XScreenSaver extension),
// on Qt's connection to it. Only when Qt runs on xcb.
class XScreenSaverIdleDetector final : public PollingIdleDetector
{
    Q_OBJECT

public:
    XScreenSaverIdleDetector(const Clock& clock, std::chrono::milliseconds interval, QObject* parent = nullptr);

    void probe() override;
    [[nodiscard]] QString mechanism() const override;

protected:
    void requestIdleTime() override;

private:
    Display* m_display = nullptr;
};

} // namespace tivren
