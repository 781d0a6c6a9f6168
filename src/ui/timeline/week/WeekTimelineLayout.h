// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/Project.h"
#include "core/records/TimeEntry.h"
#include "core/timeline/WeekAxis.h"
#include "core/timeline/WeekDays.h"
#include "core/timeline/WeekGeometry.h"
#include "ui/timeline/TimelineBlock.h"

#include <QDate>
#include <QList>
#include <QRectF>
#include <QString>

#include <array>
#include <optional>
#include <utility>
#include <vector>

namespace tivren {

// What the week canvas draws, worked out once per change of the entries, projects, timer, week or
// width. A piece is one entry's block in one day column.
struct WeekTimelineLayout
{
    struct Piece
    {
        TimelineBlock block;
        WeekPlacement placement;
        QRectF rect;
    };
    struct Running
    {
        int day = 0;
        HourSpan hours;
        std::optional<Project> project;
        QRectF rect;
    };

    WeekDays days { 0 };
    QList<TimeEntry> entries; // the week's
    std::array<Seconds, 7> totals {};
    std::vector<Piece> pieces; // day by day, in the keyboard's order
    std::optional<Running> running;
    std::optional<HourSpan> entryExtent;
    HourAxis axis = WeekAxis::officeHours;
    QList<std::pair<int, QString>> hourLabels;
    QDate today;
    int todayColumn = -1;
};

} // namespace tivren
