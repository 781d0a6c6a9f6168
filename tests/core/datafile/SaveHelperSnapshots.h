// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/AppSnapshot.h"

namespace tivren::testing {

// Snapshot n, the same in every process: up to a few hundred KB depending on n, so a kill often lands
// mid-write, and n is stored in the settings to tell snapshots apart.
inline AppSnapshot numberedSnapshot(int n)
{
    const QUuid ns = QUuid::fromString(QStringLiteral("6f2d2c36-9c1e-4c52-9a53-6f7b1d7d2a10"));
    const QUuid project = QUuid::createUuidV5(ns, QStringLiteral("project"));
    AppSnapshot s;
    s.projects.append(Project(project, QStringLiteral("P"), 75, 15, {}, QStringLiteral("blue"), false, 1700000000));
    for (int i = 0; i < (n % 23) * 60; ++i) {
        const double start = 1700000000.0 + i * 3600;
        const QString notes = QStringLiteral("snapshot %1 entry %2").arg(n).arg(i);
        s.entries.append(
            TimeEntry { QUuid::createUuidV5(ns, QString::number(i)), project, start, start + 1800, notes });
    }
    s.settings.workReminderIntervalMinutes = n;
    return s;
}

} // namespace tivren::testing
