// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the day and week timeline tests share: local times, projects of any rate, drawn blocks.
#include "core/records/Project.h"
#include "core/time/Instant.h"

#include <QDateTime>
#include <QList>
#include <QRectF>
#include <QUuid>

#include <optional>
#include <utility>

namespace tivren::testing {

// Local wall-clock time (the tests pin Europe/Amsterdam) as an instant.
inline Instant localAt(QDate date, int hour, int minute = 0)
{
    return Instant(QDateTime(date, QTime(hour, minute)).toSecsSinceEpoch());
}

// A project of any rate (none: not billed), rounded up to 15 minutes.
inline Project ratedProject(
    const QString& name, std::optional<double> rate, const QString& color = QStringLiteral("blue"))
{
    return Project(QUuid::createUuid(), name, rate, 15, BillingRoundingStrategy::roundUpPerEntry, color, false, 0);
}

// The rectangle drawn for an entry, or a null one when it is not drawn.
inline QRectF rectFor(const QList<std::pair<QUuid, QRectF>>& rects, const QUuid& id)
{
    for (const auto& [entryID, rect] : rects) {
        if (entryID == id)
            return rect;
    }
    return {};
}

} // namespace tivren::testing
