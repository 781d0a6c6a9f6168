// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/layout/WindowPlacement.h"

#include <algorithm>

namespace tivren::WindowPlacement {

namespace {

// The start of a span of the given length centred on the anchor's, within the available span.
int place(int length, int anchorStart, int anchorLength, int availableStart, int availableLength)
{
    const int centred = anchorStart + (anchorLength - length) / 2;
    const int last = availableStart + std::max(availableLength - length, 0);
    return std::clamp(centred, availableStart, last);
}

} // namespace

QRect centred(QSize frame, const QRect& anchor, const QRect& available)
{
    const int x = place(frame.width(), anchor.x(), anchor.width(), available.x(), available.width());
    const int y = place(frame.height(), anchor.y(), anchor.height(), available.y(), available.height());
    return { QPoint(x, y), frame };
}

} // namespace tivren::WindowPlacement
