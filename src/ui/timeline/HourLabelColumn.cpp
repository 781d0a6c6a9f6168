// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/timeline/HourLabelColumn.h"

#include "core/timeline/HourLabelGutter.h"

namespace tivren::HourLabelColumn {

qreal width(const QFontMetricsF& metrics, const QStringList& labels, qreal minimum, qreal gap)
{
    QList<qreal> widths;
    widths.reserve(labels.size());
    for (const QString& label : labels)
        widths.append(metrics.horizontalAdvance(label));
    return HourLabelGutter::width(widths, minimum, gap);
}

} // namespace tivren::HourLabelColumn
