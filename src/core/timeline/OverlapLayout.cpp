// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/timeline/OverlapLayout.h"

#include <algorithm>
#include <map>
#include <vector>

namespace tivren {

QList<LayoutEntry> computeOverlapLayout(const QList<TimeEntry>& entries)
{
    if (entries.isEmpty())
        return {};
    std::vector<const TimeEntry*> sorted;
    sorted.reserve(size_t(entries.size()));
    for (const TimeEntry& entry : entries)
        sorted.push_back(&entry);
    std::stable_sort(sorted.begin(), sorted.end(), [](const TimeEntry* a, const TimeEntry* b) {
        return a->startDate < b->startDate;
    });

    struct Lane
    {
        std::vector<const TimeEntry*> entries;
        Instant end = 0; // the latest end among them
    };
    std::vector<Lane> lanes;
    for (const TimeEntry* entry : sorted) {
        auto lane = std::find_if(lanes.begin(), lanes.end(), [entry](const Lane& l) {
            return entry->startDate >= l.end;
        });
        if (lane == lanes.end()) {
            lanes.push_back({ { entry }, entry->endDate });
        } else {
            lane->entries.push_back(entry);
            lane->end = std::max(lane->end, entry->endDate);
        }
    }

    struct Member
    {
        const TimeEntry* entry;
        int lane;
    };
    std::vector<std::vector<Member>> clusters;
    for (size_t lane = 0; lane < lanes.size(); ++lane) {
        for (const TimeEntry* entry : lanes[lane].entries) {
            auto overlaps = [entry](const Member& m) {
                return entry->startDate < m.entry->endDate && entry->endDate > m.entry->startDate;
            };
            auto cluster = std::find_if(clusters.begin(), clusters.end(), [&](const std::vector<Member>& c) {
                return std::any_of(c.begin(), c.end(), overlaps);
            });
            if (cluster == clusters.end())
                clusters.push_back({ { entry, int(lane) } });
            else
                cluster->push_back({ entry, int(lane) });
        }
    }

    QList<LayoutEntry> result;
    result.reserve(entries.size());
    for (const std::vector<Member>& cluster : clusters) {
        // Lanes present in the cluster, in order; a member's column is its lane's position.
        std::map<int, int> columns;
        for (const Member& m : cluster)
            columns.emplace(m.lane, 0);
        int column = 0;
        for (auto& [lane, position] : columns)
            position = column++;
        for (const Member& m : cluster)
            result.append({ *m.entry, columns.at(m.lane), int(columns.size()) });
    }
    return result;
}

} // namespace tivren
