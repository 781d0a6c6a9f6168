// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFontMetricsF>
#include <QStringList>

// The column of hour labels the day and week timelines share.
namespace tivren::HourLabelColumn {

// Wide enough for every label in the metrics' font and the gap after it, never narrower than the
// minimum ("10:00 AM" at a large font would otherwise lose its first digits).
[[nodiscard]] qreal width(const QFontMetricsF& metrics, const QStringList& labels, qreal minimum, qreal gap);

} // namespace tivren::HourLabelColumn
