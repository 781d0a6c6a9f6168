// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/ImportPlan.h"

#include <QHash>

#include <cmath>
#include <set>
#include <tuple>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

using EntryKey = std::tuple<QUuid, qint64, qint64>;

EntryKey keyOf(const QUuid& project, Instant start, Instant end)
{
    return { project, qint64(std::llround(start)), qint64(std::llround(end)) };
}

QString nameKey(const QString& name)
{
    return name.trimmed().toCaseFolded();
}

} // namespace

QString noProjectName()
{
    return u"No Project"_s;
}

ImportPlan planImport(
    const ImportReading& reading, const QList<Project>& projects, const QList<TimeEntry>& entries, Instant now)
{
    ImportPlan plan;
    plan.rejected = reading.rejected;
    // Archived projects first, so an active one of the same name takes their place.
    QHash<QString, QUuid> byName;
    for (const bool archived : { true, false }) {
        for (const Project& project : projects) {
            if (project.isArchived == archived)
                byName.insert(nameKey(project.name), project.id);
        }
    }
    std::set<EntryKey> known;
    for (const TimeEntry& entry : entries)
        known.insert(keyOf(entry.projectID, entry.startDate, entry.endDate));
    const QStringList palette = projectColorNames();
    for (const ImportedEntry& imported : reading.entries) {
        const QString name =
            imported.projectName.trimmed().isEmpty() ? noProjectName() : imported.projectName.trimmed();
        auto id = byName.constFind(nameKey(name));
        if (id == byName.constEnd()) {
            const qsizetype colour = (projects.size() + plan.newProjects.size()) % palette.size();
            const Project created(QUuid::createUuid(),
                name,
                std::nullopt,
                Project().billingIncrementMinutes,
                Project().billingRoundingStrategy,
                palette.at(colour),
                false,
                now);
            plan.newProjects << created;
            id = byName.insert(nameKey(name), created.id);
        }
        const EntryKey key = keyOf(*id, imported.start, imported.end);
        if (known.count(key) > 0) {
            ++plan.duplicates;
            continue;
        }
        known.insert(key);
        TimeEntry entry;
        entry.id = QUuid::createUuid();
        entry.projectID = *id;
        entry.startDate = imported.start;
        entry.endDate = imported.end;
        entry.notes = imported.notes;
        plan.newEntries << entry;
    }
    return plan;
}

} // namespace tivren
