// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/timeline/HourLabelGutter.h"

#include <algorithm>
#include <cmath>

namespace tivren::HourLabelGutter {

qreal width(const QList<qreal>& labelWidths, qreal minimum, qreal gap)
{
    const qreal widest = labelWidths.isEmpty() ? 0 : *std::max_element(labelWidths.begin(), labelWidths.end());
    return std::max(minimum, std::ceil(widest) + gap);
}

} // namespace tivren::HourLabelGutter
