#pragma once

// The records and settings changes the app tests build over and over.
#include "app/model/AppModel.h"
#include "core/records/Project.h"
#include "core/records/TimeEntry.h"
#include "support/LanguageSwitch.h"

#include <QString>
#include <QUuid>

namespace tivren::testing {

// A billed project: 80 an hour, rounded up to 15 minutes.
inline Project testProject(const QString& name, bool archived = false)
{
    return Project(QUuid::createUuid(),
        name,
        80,
        15,
        BillingRoundingStrategy::roundUpPerEntry,
        QStringLiteral("blue"),
        archived,
        0);
}

inline TimeEntry testEntry(const QUuid& projectID, Instant start, Seconds length, const QString& notes = {})
{
    return { QUuid::createUuid(), projectID, start, start + length, notes };
}

inline TimeEntry testEntry(const Project& project, Instant start, Seconds length, const QString& notes = {})
{
    return testEntry(project.id, start, length, notes);
}

} // namespace tivren::testing
