// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/TimeEntry.h"

#include <QList>

namespace tivren {

// Where an entry sits among the entries it overlaps: column slotIndex of totalSlots.
struct LayoutEntry
{
    TimeEntry entry;
    int slotIndex = 0;
    int totalSlots = 1;

    bool operator==(const LayoutEntry&) const = default;
};

// Columns for entries that overlap in time, as the timelines draw them. Entries are first
// packed into lanes (an entry that starts when another ends shares its lane), then gathered into
// clusters of overlapping entries, lane by lane; a cluster gets one column per lane among its
// members. Clusters are never merged, so an entry overlapping two clusters joins the first and
// the second keeps its own columns. The result is cluster by cluster, not in time order.
[[nodiscard]] QList<LayoutEntry> computeOverlapLayout(const QList<TimeEntry>& entries);

} // namespace tivren
