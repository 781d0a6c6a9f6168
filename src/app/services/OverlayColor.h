// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tivren {

// The system colours the screen-edge overlay uses: green for a short break, blue for a long
// break, orange for a work reminder's flash.
enum class OverlayColor
{
    green,
    blue,
    orange,
};

} // namespace tivren
