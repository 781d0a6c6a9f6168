// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/billing/BillingEngine.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

using namespace Qt::StringLiterals;

namespace tivren::BillingEngine {
namespace {

using EntryRefs = std::vector<const TimeEntry*>;

EntryRefs entriesInRange(const QList<TimeEntry>& entries, const InstantRange& range)
{
    EntryRefs kept;
    for (const TimeEntry& entry : entries) {
        if (entry.startDate < range.upper && entry.endDate > range.lower)
            kept.push_back(&entry);
    }
    std::stable_sort(kept.begin(), kept.end(), [](const TimeEntry* a, const TimeEntry* b) {
        return a->startDate > b->startDate;
    });
    return kept;
}

QHash<QUuid, const Project*> indexProjects(const QList<Project>& projects)
{
    QHash<QUuid, const Project*> index;
    index.reserve(projects.size());
    for (const Project& project : projects)
        index.insert(project.id, &project);
    return index;
}

// Groups keep the order of `inRange` (latest start first) and are listed in order of first appearance.
struct Group
{
    QUuid projectID;
    EntryRefs entries;
};

std::vector<Group> groupByProject(const EntryRefs& inRange)
{
    std::vector<Group> groups;
    QHash<QUuid, size_t> position;
    for (const TimeEntry* entry : inRange) {
        auto it = position.constFind(entry->projectID);
        if (it == position.constEnd()) {
            it = position.insert(entry->projectID, groups.size());
            groups.push_back({ entry->projectID, {} });
        }
        groups[*it].entries.push_back(entry);
    }
    return groups;
}

// Billed seconds of each entry of one project's group, in the group's order.
std::vector<Seconds> billGroup(const Project& project, const EntryRefs& group, const InstantRange& range)
{
    const Seconds increment = std::max(project.billingIncrementMinutes, 1) * 60.0;
    std::vector<Seconds> billed;
    billed.reserve(group.size());
    for (const TimeEntry* entry : group)
        billed.push_back(inRangeDuration(*entry, range));

    switch (project.billingRoundingStrategy) {
    case BillingRoundingStrategy::roundUpPerEntry:
    case BillingRoundingStrategy::roundNearestPerEntry: {
        const bool up = project.billingRoundingStrategy == BillingRoundingStrategy::roundUpPerEntry;
        for (Seconds& seconds : billed) {
            if (seconds <= 0) {
                seconds = 0;
                continue;
            }
            const double q = seconds / increment;
            seconds = (up ? std::ceil(q) : std::round(q)) * increment;
        }
        break;
    }
    case BillingRoundingStrategy::roundProjectTotal: {
        Seconds total = 0;
        for (Seconds seconds : billed)
            total += seconds;
        double diff = total > 0 ? std::round(total / increment) * increment - total : 0;
        if (diff > 0 && !billed.empty()) {
            billed.front() += diff;
        } else {
            // Take the surplus from the newest entries first, none below zero.
            for (Seconds& seconds : billed) {
                if (diff >= 0)
                    break;
                const double cut = std::min(seconds, -diff);
                seconds -= cut;
                diff += cut;
            }
        }
        break;
    }
    }
    return billed;
}

void appendQuoted(QString& out, const QString& value)
{
    out += u'"';
    for (const QChar c : value) {
        if (c == u'"')
            out += u'"';
        out += c;
    }
    out += u'"';
}

} // namespace

QString formatFixed2(double value)
{
    // std::to_chars ignores the C locale, which a Qt application sets from the environment. The largest
    // double has 309 digits before the point: with a sign, the point and two decimals, 313 characters.
    std::array<char, 1 + std::numeric_limits<double>::max_exponent10 + 1 + 1 + 2> buffer {};
    const auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, 2);
    if (error != std::errc())
        return QString::number(value, 'e', 2); // never the buffer's bytes
    return QString::fromLatin1(buffer.data(), end - buffer.data());
}

Seconds inRangeDuration(const TimeEntry& entry, const InstantRange& range)
{
    return std::max(std::min(entry.endDate, range.upper) - std::max(entry.startDate, range.lower), 0.0);
}

namespace {

QList<TimeEntry> copied(const EntryRefs& inRange)
{
    QList<TimeEntry> result;
    result.reserve(static_cast<qsizetype>(inRange.size()));
    for (const TimeEntry* entry : inRange)
        result.append(*entry);
    return result;
}

QHash<QUuid, Seconds> billedDurationsOf(
    const EntryRefs& inRange, const QList<Project>& projects, const InstantRange& range)
{
    const auto projectIndex = indexProjects(projects);
    QHash<QUuid, Seconds> result;
    for (const Group& group : groupByProject(inRange)) {
        const Project* project = projectIndex.value(group.projectID);
        if (!project)
            continue;
        const std::vector<Seconds> billed = billGroup(*project, group.entries, range);
        for (size_t i = 0; i < billed.size(); ++i)
            result.insert(group.entries[i]->id, billed[i]);
    }
    return result;
}

QList<ProjectBillingSummary> summariesOf(
    const EntryRefs& inRange, const QList<Project>& projects, const InstantRange& range)
{
    const auto projectIndex = indexProjects(projects);
    QList<ProjectBillingSummary> result;
    for (const Group& group : groupByProject(inRange)) {
        const Project* project = projectIndex.value(group.projectID);
        if (!project)
            continue;
        ProjectBillingSummary summary { *project, 0, 0, 0 };
        for (Seconds billed : billGroup(*project, group.entries, range))
            summary.duration += billed;
        for (const TimeEntry* entry : group.entries)
            summary.actualDuration += inRangeDuration(*entry, range);
        summary.amount = project->hourlyRate ? summary.duration / 3600.0 * *project->hourlyRate : 0.0;
        result.append(std::move(summary));
    }
    // Ties on amount and billed time fall back to the name, then the id, so the order never flickers.
    std::stable_sort(result.begin(), result.end(), [](const ProjectBillingSummary& a, const ProjectBillingSummary& b) {
        if (a.amount != b.amount)
            return a.amount > b.amount;
        if (a.duration != b.duration)
            return a.duration > b.duration;
        if (a.project.name != b.project.name)
            return a.project.name < b.project.name;
        return a.project.id < b.project.id;
    });
    return result;
}

double totalAmountOf(const QList<ProjectBillingSummary>& summaries)
{
    double total = 0;
    for (const ProjectBillingSummary& summary : summaries)
        total += summary.amount;
    return total;
}

Seconds totalBillableDurationOf(const QHash<QUuid, Seconds>& billed)
{
    Seconds total = 0;
    for (Seconds seconds : billed)
        total += seconds;
    return total;
}

// Sums in list order, as a plain scan over the list does, so the last bits agree whichever way the
// entries were found.
Seconds totalDurationOf(EntryRefs inRange, const InstantRange& range)
{
    std::sort(inRange.begin(), inRange.end());
    Seconds total = 0;
    for (const TimeEntry* entry : inRange)
        total += inRangeDuration(*entry, range);
    return total;
}

QString exportCSVOf(const EntryRefs& inRange, const QList<Project>& projects, const InstantRange& range)
{
    const auto projectIndex = indexProjects(projects);
    const auto billed = billedDurationsOf(inRange, projects, range);
    QString csv = u"Project,Start,End,Hours,Hourly Rate,Billable Amount,Notes"_s;
    for (const TimeEntry* entry : inRange) {
        const Project* project = projectIndex.value(entry->projectID);
        if (!project)
            continue;
        const double hours = billed.value(entry->id, 0.0) / 3600.0;
        csv += u'\n';
        appendQuoted(csv, project->name);
        csv += u',';
        appendQuoted(csv, Iso8601::format(entry->startDate));
        csv += u',';
        appendQuoted(csv, Iso8601::format(entry->endDate));
        csv += u',' + formatFixed2(hours) + u',';
        if (project->hourlyRate)
            csv += formatFixed2(*project->hourlyRate) + u',' + formatFixed2(hours * *project->hourlyRate);
        else
            csv += u',';
        csv += u',';
        appendQuoted(csv, entry->notes);
    }
    return csv;
}

} // namespace

QList<TimeEntry> filteredEntries(const QList<TimeEntry>& entries, const InstantRange& range)
{
    return copied(entriesInRange(entries, range));
}

QList<TimeEntry> filteredEntries(
    const QList<TimeEntry>& entries, const EntryStartIndex& index, const InstantRange& range)
{
    return copied(index.overlapping(entries, range));
}

QHash<QUuid, Seconds> billedDurations(
    const QList<TimeEntry>& entries, const QList<Project>& projects, const InstantRange& range)
{
    return billedDurationsOf(entriesInRange(entries, range), projects, range);
}

QHash<QUuid, Seconds> billedDurations(const QList<TimeEntry>& entries,
    const EntryStartIndex& index,
    const QList<Project>& projects,
    const InstantRange& range)
{
    return billedDurationsOf(index.overlapping(entries, range), projects, range);
}

QList<ProjectBillingSummary> summaries(
    const QList<TimeEntry>& entries, const QList<Project>& projects, const InstantRange& range)
{
    return summariesOf(entriesInRange(entries, range), projects, range);
}

QList<ProjectBillingSummary> summaries(const QList<TimeEntry>& entries,
    const EntryStartIndex& index,
    const QList<Project>& projects,
    const InstantRange& range)
{
    return summariesOf(index.overlapping(entries, range), projects, range);
}

double totalAmount(const QList<TimeEntry>& entries, const QList<Project>& projects, const InstantRange& range)
{
    return totalAmountOf(summaries(entries, projects, range));
}

double totalAmount(const QList<TimeEntry>& entries,
    const EntryStartIndex& index,
    const QList<Project>& projects,
    const InstantRange& range)
{
    return totalAmountOf(summaries(entries, index, projects, range));
}

Seconds totalBillableDuration(
    const QList<TimeEntry>& entries, const QList<Project>& projects, const InstantRange& range)
{
    return totalBillableDurationOf(billedDurations(entries, projects, range));
}

Seconds totalBillableDuration(const QList<TimeEntry>& entries,
    const EntryStartIndex& index,
    const QList<Project>& projects,
    const InstantRange& range)
{
    return totalBillableDurationOf(billedDurations(entries, index, projects, range));
}

Seconds totalDuration(const QList<TimeEntry>& entries, const InstantRange& range)
{
    Seconds total = 0;
    for (const TimeEntry& entry : entries) {
        if (entry.startDate < range.upper && entry.endDate > range.lower)
            total += inRangeDuration(entry, range);
    }
    return total;
}

Seconds totalDuration(const QList<TimeEntry>& entries, const EntryStartIndex& index, const InstantRange& range)
{
    return totalDurationOf(index.overlapping(entries, range), range);
}

QString exportCSV(const QList<TimeEntry>& entries, const QList<Project>& projects, const InstantRange& range)
{
    return exportCSVOf(entriesInRange(entries, range), projects, range);
}

QString exportCSV(const QList<TimeEntry>& entries,
    const EntryStartIndex& index,
    const QList<Project>& projects,
    const InstantRange& range)
{
    return exportCSVOf(index.overlapping(entries, range), projects, range);
}

} // namespace tivren::BillingEngine
