#include "core/billing/EntryStartIndex.h"

#include <algorithm>
#include <cmath>

namespace tivren {

EntryStartIndex::EntryStartIndex(const QList<TimeEntry>& entries)
{
    m_order.reserve(static_cast<size_t>(entries.size()));
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (std::isnan(entries[i].startDate))
            continue;
        m_order.push_back(i);
        m_longest = std::max(m_longest, entries[i].duration());
    }
    std::stable_sort(m_order.begin(), m_order.end(), [&entries](qsizetype a, qsizetype b) {
        return entries[a].startDate < entries[b].startDate;
    });
    m_starts.reserve(m_order.size());
    for (qsizetype position : m_order)
        m_starts.push_back(entries[position].startDate);
}

std::vector<const TimeEntry*> EntryStartIndex::overlapping(
    const QList<TimeEntry>& entries, const InstantRange& range) const
{
    // An entry overlapping the range started before its upper bound and at most m_longest before its
    // lower bound; an entry with an end before its start only overlaps if it started inside.
    const auto first = std::lower_bound(m_starts.begin(), m_starts.end(), range.lower - m_longest);
    const auto last = std::lower_bound(first, m_starts.end(), range.upper);
    std::vector<const TimeEntry*> kept;
    for (auto it = last; it != first;) {
        --it;
        const TimeEntry& entry = entries[m_order[static_cast<size_t>(it - m_starts.begin())]];
        if (entry.startDate < range.upper && entry.endDate > range.lower)
            kept.push_back(&entry);
    }
    // Walking backwards reversed each run of equal starts; put those runs back in list order.
    for (auto run = kept.begin(); run != kept.end();) {
        const auto end = std::find_if(run, kept.end(), [run](const TimeEntry* entry) {
            return entry->startDate != (*run)->startDate;
        });
        std::reverse(run, end);
        run = end;
    }
    return kept;
}

} // namespace tivren
