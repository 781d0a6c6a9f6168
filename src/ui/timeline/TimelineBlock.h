// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/Project.h"
#include "core/records/TimeEntry.h"

#include <QPalette>
#include <QRectF>

#include <optional>

class QPainter;

namespace tivren {

class AppModel;
class BlockShapeCache;

// One entry as the day and week timelines draw it: a rounded block in the project's colour
// (grey when the project is gone), stronger when selected, with the project's name from 36
// points of height and the time span from 52.
struct TimelineBlock
{
    TimeEntry entry;
    std::optional<Project> project;
    bool isSelected = false;
    qreal height = 0;
    qreal width = 0;

    [[nodiscard]] QColor color() const;
    // "Acme: 9:00 – 10:30", for screen readers and tooltips.
    [[nodiscard]] QString accessibleLabel(const AppModel& model) const;
    // With a cache, the shape comes from it.
    void paint(QPainter& painter,
        QPointF topLeft,
        const AppModel& model,
        const QPalette& palette,
        BlockShapeCache* shapes = nullptr) const;
};

// The running timer's block: dashed, lighter, growing with the clock. The name shows from
// nameHeight, "Recording..." from recordingHeight.
struct RunningBlockStyle
{
    qreal horizontalPadding = 6;
    qreal verticalPadding = 6;
    qreal nameHeight = 0;
    qreal recordingHeight = 0;
};
void paintRunningBlock(QPainter& painter,
    const QRectF& rect,
    const std::optional<Project>& project,
    const AppModel& model,
    const QPalette& palette,
    const RunningBlockStyle& style);

// Short local time without a date, in the model's language ("9:00 AM", "09:00").
[[nodiscard]] QString shortTime(Instant instant, const AppModel& model);
// "9:00 AM – 10:30 AM".
[[nodiscard]] QString timeSpan(const TimeEntry& entry, const AppModel& model);

} // namespace tivren
