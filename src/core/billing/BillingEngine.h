// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/billing/EntryStartIndex.h"
#include "core/billing/ProjectBillingSummary.h"
#include "core/records/Project.h"
#include "core/records/TimeEntry.h"
#include "core/time/Instant.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QUuid>

namespace tivren {

// Turns recorded time into billable time and money for a closed range of instants. Only the part
// of an entry inside the range counts; rounding happens per project with its increment and
// strategy; amounts are never rounded (display does that).
namespace BillingEngine {

// Seconds of the entry inside the range, never negative.
[[nodiscard]] Seconds inRangeDuration(const TimeEntry& entry, const InstantRange& range);

// Each query below comes twice: a plain scan of `entries`, and the same query looking only at the
// entries an index built from `entries` finds near the range. Both give the same results, to the bit.

// Entries overlapping the range (strictly: touching a bound is not overlapping), latest start first;
// entries with equal starts keep their input order.
[[nodiscard]] QList<TimeEntry> filteredEntries(const QList<TimeEntry>& entries, const InstantRange& range);
[[nodiscard]] QList<TimeEntry> filteredEntries(
    const QList<TimeEntry>& entries, const EntryStartIndex& index, const InstantRange& range);

// Billed seconds per entry id, for every entry in the range whose project exists.
[[nodiscard]] QHash<QUuid, Seconds> billedDurations(
    const QList<TimeEntry>& entries, const QList<Project>& projects, const InstantRange& range);
[[nodiscard]] QHash<QUuid, Seconds> billedDurations(const QList<TimeEntry>& entries,
    const EntryStartIndex& index,
    const QList<Project>& projects,
    const InstantRange& range);

// One summary per project with entries in the range, highest amount first, then most billed time.
[[nodiscard]] QList<ProjectBillingSummary> summaries(
    const QList<TimeEntry>& entries, const QList<Project>& projects, const InstantRange& range);
[[nodiscard]] QList<ProjectBillingSummary> summaries(const QList<TimeEntry>& entries,
    const EntryStartIndex& index,
    const QList<Project>& projects,
    const InstantRange& range);

[[nodiscard]] double totalAmount(
    const QList<TimeEntry>& entries, const QList<Project>& projects, const InstantRange& range);
[[nodiscard]] double totalAmount(const QList<TimeEntry>& entries,
    const EntryStartIndex& index,
    const QList<Project>& projects,
    const InstantRange& range);
[[nodiscard]] Seconds totalBillableDuration(
    const QList<TimeEntry>& entries, const QList<Project>& projects, const InstantRange& range);
[[nodiscard]] Seconds totalBillableDuration(const QList<TimeEntry>& entries,
    const EntryStartIndex& index,
    const QList<Project>& projects,
    const InstantRange& range);
// Unrounded, whatever the entries' projects (entries of deleted projects count here).
[[nodiscard]] Seconds totalDuration(const QList<TimeEntry>& entries, const InstantRange& range);
[[nodiscard]] Seconds totalDuration(
    const QList<TimeEntry>& entries, const EntryStartIndex& index, const InstantRange& range);

// A number with two decimals, a full stop and no grouping, whatever the locale: printf's "%.2f" for
// any double, however large ("inf", "-inf" and "nan" as printf writes them). The CSV's spelling,
// shared by every place that shows hours or money as plain text.
[[nodiscard]] QString formatFixed2(double value);

// The invoice CSV: header plus one line per entry in the range whose project exists. UTF-8,
// line feeds between lines, none at the end; numbers with a full stop whatever the locale.
[[nodiscard]] QString exportCSV(
    const QList<TimeEntry>& entries, const QList<Project>& projects, const InstantRange& range);
[[nodiscard]] QString exportCSV(const QList<TimeEntry>& entries,
    const EntryStartIndex& index,
    const QList<Project>& projects,
    const InstantRange& range);

} // namespace BillingEngine
} // namespace tivren
