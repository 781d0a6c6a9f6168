// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/services/OverlayColor.h"

namespace tivren {

// The coloured screen-edge bands shown during Pomodoro breaks and flashed by work reminders.
class BreakOverlayPresenting
{
public:
    virtual ~BreakOverlayPresenting() = default;
    virtual void showBreakOverlay(OverlayColor color) = 0;
    virtual void hideBreakOverlay() = 0;
    // A brief flash that fades away by itself.
    virtual void flashOverlay(OverlayColor color) = 0;
};

} // namespace tivren
