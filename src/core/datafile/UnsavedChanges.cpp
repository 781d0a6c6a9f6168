// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/datafile/UnsavedChanges.h"

#include <QHash>

namespace tivren {
namespace {

// Records that were added, changed or removed, matched by id.
template <typename Record> int changedRecords(const QList<Record>& before, const QList<Record>& after)
{
    if (before == after)
        return 0;
    QHash<QUuid, const Record*> old;
    old.reserve(before.size());
    for (const Record& record : before)
        old.insert(record.id, &record);
    int changed = 0;
    for (const Record& record : after) {
        const auto it = old.constFind(record.id);
        if (it == old.cend())
            ++changed;
        else {
            if (!(**it == record))
                ++changed;
            old.erase(it);
        }
    }
    return changed + int(old.size());
}

} // namespace

UnsavedChanges UnsavedChanges::between(const AppSnapshot& onDisk, const AppSnapshot& inMemory)
{
    UnsavedChanges changes;
    changes.timerChanged = onDisk.activeSession != inMemory.activeSession;
    changes.runningTimer = inMemory.activeSession;
    changes.entries = changedRecords(onDisk.entries, inMemory.entries);
    changes.projects = changedRecords(onDisk.projects, inMemory.projects);
    changes.settings = !(onDisk.settings == inMemory.settings);
    changes.calendarLinks = onDisk.googleCalendarEventLinks != inMemory.googleCalendarEventLinks
        || onDisk.appleCalendarEventLinks != inMemory.appleCalendarEventLinks;
    return changes;
}

} // namespace tivren
