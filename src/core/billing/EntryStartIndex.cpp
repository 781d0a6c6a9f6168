// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/billing/EntryStartIndex.h"

#include <QtGlobal>

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

void EntryStartIndex::appended(const QList<TimeEntry>& entries)
{
    const qsizetype position = entries.size() - 1;
    const TimeEntry& entry = entries[position];
    if (std::isnan(entry.startDate))
        return;
    m_longest = std::max(m_longest, entry.duration());
    // The new entry has the highest position, so it goes after every entry with its start.
    insert(slotFor(entry.startDate, position), entry.startDate, position);
}

void EntryStartIndex::changed(const QList<TimeEntry>& entries, qsizetype position, Instant previousStart)
{
    const TimeEntry& entry = entries[position];
    const Instant start = entry.startDate;
    m_longest = std::max(m_longest, entry.duration());
    if (std::isnan(previousStart)) {
        if (!std::isnan(start))
            insert(slotFor(start, position), start, position);
        return;
    }
    const size_t from = slotOf(previousStart, position);
    if (std::isnan(start)) {
        erase(from);
        return;
    }
    // Rotate the entry to its new slot: only the positions between the two slots move, which for the
    // usual small edit is a handful.
    const size_t to = slotFor(start, position);
    const auto order = m_order.begin();
    const auto starts = m_starts.begin();
    if (to > from) {
        std::rotate(order + from, order + from + 1, order + to);
        std::rotate(starts + from, starts + from + 1, starts + to);
        m_starts[to - 1] = start;
    } else {
        std::rotate(order + to, order + from, order + from + 1);
        std::rotate(starts + to, starts + from, starts + from + 1);
        m_starts[to] = start;
    }
}

void EntryStartIndex::removed(qsizetype position, Instant start)
{
    if (!std::isnan(start))
        erase(slotOf(start, position));
    for (qsizetype& later : m_order) {
        if (later > position)
            --later;
    }
    if (m_order.empty())
        m_longest = 0;
}

size_t EntryStartIndex::slotFor(Instant start, qsizetype position) const
{
    const auto first = std::lower_bound(m_starts.begin(), m_starts.end(), start);
    const auto last = std::upper_bound(first, m_starts.end(), start);
    // Within a run of equal starts the positions ascend.
    const auto order = m_order.begin();
    return static_cast<size_t>(
        std::lower_bound(order + (first - m_starts.begin()), order + (last - m_starts.begin()), position) - order);
}

size_t EntryStartIndex::slotOf(Instant start, qsizetype position) const
{
    const size_t slot = slotFor(start, position);
    Q_ASSERT(slot < m_order.size() && m_order[slot] == position);
    return slot;
}

void EntryStartIndex::insert(size_t slot, Instant start, qsizetype position)
{
    m_order.insert(m_order.begin() + static_cast<std::ptrdiff_t>(slot), position);
    m_starts.insert(m_starts.begin() + static_cast<std::ptrdiff_t>(slot), start);
}

void EntryStartIndex::erase(size_t slot)
{
    m_order.erase(m_order.begin() + static_cast<std::ptrdiff_t>(slot));
    m_starts.erase(m_starts.begin() + static_cast<std::ptrdiff_t>(slot));
}

} // namespace tivren
