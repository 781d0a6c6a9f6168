// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/TimeEntry.h"
#include "core/time/Instant.h"

#include <QList>

#include <vector>

namespace tivren {

// Positions of a list of entries ordered by start, so a range query looks only at entries that
// started shortly before or inside the range instead of every entry. The longest duration bounds how
// far back an overlapping entry can have started. It keeps positions, not entries: build it again for
// a new list, or tell it of each single change (appended, changed, removed) as it happens, which costs
// a binary search and a move of positions instead of a sort.
class EntryStartIndex
{
public:
    EntryStartIndex() = default;
    explicit EntryStartIndex(const QList<TimeEntry>& entries);

    // Entries overlapping the range (strictly, as BillingEngine counts them), latest start first,
    // equal starts in list order. `entries` must be the list the index was built from.
    [[nodiscard]] std::vector<const TimeEntry*> overlapping(
        const QList<TimeEntry>& entries, const InstantRange& range) const;

    // Calls visit(position) latest start first, equal starts in list order (entries with a NaN start
    // left out), for as long as it returns true.
    template <typename Visit> void latestFirst(Visit&& visit) const
    {
        for (size_t end = m_order.size(); end > 0;) {
            size_t begin = end - 1;
            while (begin > 0 && m_starts[begin - 1] == m_starts[end - 1])
                --begin;
            for (size_t slot = begin; slot < end; ++slot) {
                if (!visit(m_order[slot]))
                    return;
            }
            end = begin;
        }
    }

    // `entries` is the list after the change in each of these.
    // The last entry of the list is new.
    void appended(const QList<TimeEntry>& entries);
    // The entry at `position` changed; it started at `previousStart` before.
    void changed(const QList<TimeEntry>& entries, qsizetype position, Instant previousStart);
    // The entry at `position`, which started at `start`, was removed; the ones after it moved up one.
    // The look-back bound stays as it was: at worst a query looks a little further back than needed.
    void removed(qsizetype position, Instant start);

    [[nodiscard]] qsizetype size() const { return static_cast<qsizetype>(m_order.size()); }

private:
    // The first slot whose (start, position) is not less than the given pair. `start` is not NaN.
    [[nodiscard]] size_t slotFor(Instant start, qsizetype position) const;
    // The slot holding `position`, which started at `start` (not NaN).
    [[nodiscard]] size_t slotOf(Instant start, qsizetype position) const;
    void insert(size_t slot, Instant start, qsizetype position);
    void erase(size_t slot);

    std::vector<qsizetype> m_order; // by start, then position; entries with a NaN start never overlap
    std::vector<Instant> m_starts; // m_starts[i] is the start of m_order[i], for a cache-friendly search
    Seconds m_longest = 0;
};

} // namespace tivren
