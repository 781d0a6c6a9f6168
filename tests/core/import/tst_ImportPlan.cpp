// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/ImportPlan.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;

namespace {

constexpr Instant t0 = 1'773'478'800; // 2026-03-14T09:00:00Z

Project project(const QString& name, bool archived = false)
{
    Project p(QUuid::createUuid(), name, 80.0, 15, BillingRoundingStrategy::roundUpPerEntry, u"blue"_s, archived, 0);
    return p;
}

ImportedEntry imported(const QString& project, Instant start, const QString& notes = QString())
{
    return ImportedEntry { 2, project, start, start + 3600, notes };
}

} // namespace

class tst_ImportPlan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void projectsMatchedByNameOrCreated()
    {
        const Project acme = project(u"Acme"_s);
        const Project oldGlobex = project(u"Globex"_s, true);
        const Project globex = project(u"globex"_s);
        ImportReading reading;
        reading.entries = { imported(u"  ACME "_s, t0),
            imported(u"Globex"_s, t0),
            imported(u"Initech"_s, t0),
            imported(u"initech"_s, t0 + 3600),
            imported(QString(), t0, u"untitled"_s) };
        reading.rejected = { ImportRejection { 7, ImportReason { "why", {} } } };
        const ImportPlan plan = planImport(reading, { acme, oldGlobex, globex }, {}, t0 + 99);
        QCOMPARE(plan.newProjects.size(), 2);
        const Project& initech = plan.newProjects.at(0);
        QCOMPARE(initech.name, u"Initech"_s);
        QVERIFY(!initech.hourlyRate);
        QCOMPARE(initech.billingIncrementMinutes, Project().billingIncrementMinutes);
        QCOMPARE(initech.billingRoundingStrategy, Project().billingRoundingStrategy);
        QCOMPARE(initech.createdAt, t0 + 99);
        QCOMPARE(initech.colorName, projectColorNames().at(3 % projectColorNames().size()));
        QCOMPARE(plan.newProjects.at(1).name, noProjectName());
        QCOMPARE(plan.newProjects.at(1).colorName, projectColorNames().at(4 % projectColorNames().size()));
        const QList<QUuid> owners { acme.id, globex.id, initech.id, initech.id, plan.newProjects.at(1).id };
        QCOMPARE(plan.newEntries.size(), owners.size());
        for (qsizetype i = 0; i < owners.size(); ++i) {
            QCOMPARE(plan.newEntries.at(i).projectID, owners.at(i));
            QVERIFY(!plan.newEntries.at(i).id.isNull());
        }
        QCOMPARE(plan.newEntries.last().notes, u"untitled"_s);
        QCOMPARE(plan.rejected, reading.rejected);
    }

    // Importing the same file again adds nothing; a copy within one file is added once.
    void exactDuplicatesLeftOut()
    {
        const Project acme = project(u"Acme"_s);
        ImportReading reading;
        reading.entries = { imported(u"Acme"_s, t0),
            imported(u"Acme"_s, t0 + 3600),
            imported(u"Acme"_s, t0),
            imported(u"New"_s, t0),
            imported(u"new"_s, t0) };
        const ImportPlan first = planImport(reading, { acme }, {}, t0);
        QCOMPARE(first.newEntries.size(), 3);
        QCOMPARE(first.duplicates, 2);
        QList<Project> projects { acme };
        projects += first.newProjects;
        const ImportPlan again = planImport(reading, projects, first.newEntries, t0);
        QVERIFY(again.newProjects.isEmpty());
        QVERIFY(again.newEntries.isEmpty());
        QCOMPARE(again.duplicates, 5);
        // Same times on another project are not duplicates.
        TimeEntry other = first.newEntries.first();
        other.projectID = QUuid::createUuid();
        QCOMPARE(planImport(reading, projects, { other }, t0).newEntries.size(), 3);
    }
};

QTEST_GUILESS_MAIN(tst_ImportPlan)
#include "tst_ImportPlan.moc"
