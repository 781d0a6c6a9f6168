// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QtGlobal>

// The column left of a timeline that holds its hour labels.
namespace tivren::HourLabelGutter {

// Wide enough for the widest label plus the gap to the plot, never narrower than the minimum: a
// twelve-hour clock in a large font needs more than the usual column, and a label is never cut.
[[nodiscard]] qreal width(const QList<qreal>& labelWidths, qreal minimum, qreal gap);

} // namespace tivren::HourLabelGutter
