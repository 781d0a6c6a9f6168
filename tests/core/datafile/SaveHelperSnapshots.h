#pragma once

#include "core/records/AppSnapshot.h"

#include <QString>

namespace tivren::testing {

// Snapshot number n, the same in every process: its size varies with n (up to a few hundred KB,
// so a kill often lands mid-write) and n is stored in the settings to tell snapshots apart.
inline AppSnapshot numberedSnapshot(int n)
{
    const QUuid ns = QUuid::fromString(QStringLiteral("6f2d2c36-9c1e-4c52-9a53-6f7b1d7d2a10"));
    AppSnapshot s;
    Project p(QUuid::createUuidV5(ns, QStringLiteral("project")),
        QStringLiteral("Project"),
        75,
        15,
        BillingRoundingStrategy::roundUpPerEntry,
        QStringLiteral("blue"),
        false,
        1700000000);
    s.projects.append(p);
    const int count = (n % 23) * 60;
    s.entries.reserve(count);
    for (int i = 0; i < count; ++i) {
        s.entries.append(TimeEntry { QUuid::createUuidV5(ns, QString::number(i)),
            p.id,
            1700000000.0 + i * 3600,
            1700001800.0 + i * 3600,
            QStringLiteral("snapshot %1 entry %2").arg(n).arg(i) });
    }
    s.settings.currencyCode = QStringLiteral("EUR");
    s.settings.workReminderIntervalMinutes = n;
    return s;
}

} // namespace tivren::testing
