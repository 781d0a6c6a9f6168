// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>

// Where a window opens: centred on what it belongs to, and on the screen.
namespace tivren::WindowPlacement {

// The frame of the given size centred on the anchor (the main window's frame, or the screen with
// the pointer), moved as little as needed to lie within the screen's available area; a frame
// larger than that area keeps its top left corner on it.
[[nodiscard]] QRect centred(QSize frame, const QRect& anchor, const QRect& available);

} // namespace tivren::WindowPlacement
