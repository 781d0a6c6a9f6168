// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/import/ImportReading.h"
#include "core/records/Project.h"
#include "core/records/TimeEntry.h"

namespace tivren {

// What importing a file would change: shown as a preview, then applied in one save.
struct ImportPlan
{
    QList<Project> newProjects;
    QList<TimeEntry> newEntries;
    int duplicates = 0; // same project, start and end as an entry already there (or earlier in the file)
    QList<ImportRejection> rejected;
};

// The project name entries without one are imported into.
[[nodiscard]] QString noProjectName();

// Matches the entries' projects by name (ignoring case and surrounding spaces; an active project
// before an archived one) or plans new ones (no rate, default billing, the next palette colour),
// and leaves out exact duplicates. New entries and projects get new ids; `now` dates new projects.
[[nodiscard]] ImportPlan planImport(
    const ImportReading& reading, const QList<Project>& projects, const QList<TimeEntry>& entries, Instant now);

} // namespace tivren
