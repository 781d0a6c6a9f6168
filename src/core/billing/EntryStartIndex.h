#pragma once

#include "core/records/TimeEntry.h"
#include "core/time/Instant.h"

#include <QList>

#include <vector>

namespace tivren {

// Positions of a list of entries ordered by start, so a range query looks only at entries that
// started shortly before or inside the range instead of every entry. The longest duration bounds how
// far back an overlapping entry can have started. Rebuild it (or call it again) whenever the list
// changes: it keeps positions, not entries.
class EntryStartIndex
{
public:
    EntryStartIndex() = default;
    explicit EntryStartIndex(const QList<TimeEntry>& entries);

    // Entries overlapping the range (strictly, as BillingEngine counts them), latest start first,
    // equal starts in list order. `entries` must be the list the index was built from.
    [[nodiscard]] std::vector<const TimeEntry*> overlapping(
        const QList<TimeEntry>& entries, const InstantRange& range) const;

    [[nodiscard]] qsizetype size() const { return static_cast<qsizetype>(m_order.size()); }

private:
    std::vector<qsizetype> m_order; // by start, then position; entries with a NaN start never overlap
    std::vector<Instant> m_starts; // m_starts[i] is the start of m_order[i], for a cache-friendly search
    Seconds m_longest = 0;
};

} // namespace tivren
