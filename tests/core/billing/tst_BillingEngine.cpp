// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/billing/BillingEngine.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;
using S = BillingRoundingStrategy;

namespace {

constexpr Instant kBase = 1772352000; // 2026-03-01T08:00:00Z
const InstantRange everything { -1e12, 1e12 };

Project project(const QString& name, std::optional<double> rate, int increment = 15, S strategy = S::roundUpPerEntry)
{
    return Project(QUuid::createUuid(), name, rate, increment, strategy, u"blue"_s, false, 0);
}

TimeEntry entry(const Project& p, Instant start, Seconds duration, const QString& notes = QString())
{
    return TimeEntry { QUuid::createUuid(), p.id, start, start + duration, notes };
}

} // namespace

class tst_BillingEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rounding_data()
    {
        QTest::addColumn<S>("strategy");
        QTest::addColumn<int>("increment");
        QTest::addColumn<QList<double>>("minutes"); // latest start first
        QTest::addColumn<QList<double>>("billed"); // seconds, same order
        using L = QList<double>;
        QTest::newRow("up per entry") << S::roundUpPerEntry << 15 << L { 10, 20, 15 } << L { 900, 1800, 900 };
        QTest::newRow("nearest per entry") << S::roundNearestPerEntry << 15 << L { 10, 20, 15 } << L { 900, 900, 900 };
        QTest::newRow("nearest below half") << S::roundNearestPerEntry << 15 << L { 7 } << L { 0 };
        QTest::newRow("nearest exactly half") << S::roundNearestPerEntry << 15 << L { 7.5 } << L { 900 };
        QTest::newRow("total rounds up, newest gets it")
            << S::roundProjectTotal << 15 << L { 10, 20, 8 } << L { 1020, 1200, 480 };
        QTest::newRow("total rounds down, newest gives")
            << S::roundProjectTotal << 30 << L { 10, 20, 8 } << L { 120, 1200, 480 };
        QTest::newRow("total cut spans entries") << S::roundProjectTotal << 60 << L { 5, 10, 56 } << L { 0, 240, 3360 };
        QTest::newRow("total below half bills 0") << S::roundProjectTotal << 15 << L { 5 } << L { 0 };
        QTest::newRow("total already a multiple") << S::roundProjectTotal << 15 << L { 15, 30 } << L { 900, 1800 };
        QTest::newRow("increment below a minute counts as one") << S::roundUpPerEntry << 0 << L { 0.5 } << L { 60 };
    }

    void rounding()
    {
        QFETCH(S, strategy);
        QFETCH(int, increment);
        QFETCH(QList<double>, minutes);
        QFETCH(QList<double>, billed);
        Project p = project(u"P"_s, 80, increment, strategy);
        p.billingIncrementMinutes = increment; // bypass the constructor's clamp, as a hand-edited file could
        QList<TimeEntry> entries;
        double billedTotal = 0, actualTotal = 0;
        for (qsizetype i = 0; i < minutes.size(); ++i) {
            entries.append(entry(p, kBase - i * 7200, minutes[i] * 60));
            billedTotal += billed[i];
            actualTotal += minutes[i] * 60;
        }
        const auto map = BillingEngine::billedDurations(entries, { p }, everything);
        QCOMPARE(map.size(), entries.size());
        for (qsizetype i = 0; i < entries.size(); ++i)
            QCOMPARE(map.value(entries[i].id), billed[i]);
        const auto summaries = BillingEngine::summaries(entries, { p }, everything);
        QCOMPARE(summaries.size(), 1);
        QCOMPARE(summaries[0].duration, billedTotal);
        QCOMPARE(summaries[0].actualDuration, actualTotal);
        QCOMPARE(summaries[0].amount, billedTotal / 3600 * 80);
        QCOMPARE(BillingEngine::totalBillableDuration(entries, { p }, everything), billedTotal);
        QCOMPARE(BillingEngine::totalAmount(entries, { p }, everything), billedTotal / 3600 * 80);
    }

    // Also: the latest start comes first, equal starts in stored order.
    void rangeBoundaries()
    {
        const Project p = project(u"P"_s, 100, 60);
        const Instant nine = kBase + 3600, five = kBase + 9 * 3600;
        const InstantRange day { nine, five };
        const TimeEntry endsAtLower = entry(p, nine - 1800, 1800);
        const TimeEntry startsAtUpper = entry(p, five, 600);
        const TimeEntry crossesUpper = entry(p, five - 1800, 4500); // 16:30-17:45
        const TimeEntry spansRange = entry(p, nine - 60, 9 * 3600);
        const TimeEntry sameStart = entry(p, nine - 60, 120);
        const QList<TimeEntry> entries = { endsAtLower, spansRange, startsAtUpper, crossesUpper, sameStart };
        QCOMPARE(
            BillingEngine::filteredEntries(entries, day), (QList<TimeEntry> { crossesUpper, spansRange, sameStart }));
        QCOMPARE(BillingEngine::inRangeDuration(crossesUpper, day), 1800.0);
        QCOMPARE(BillingEngine::inRangeDuration(spansRange, day), 8 * 3600.0);
        const auto billed = BillingEngine::billedDurations(entries, { p }, day);
        QCOMPARE(billed.size(), 3);
        QCOMPARE(billed.value(crossesUpper.id), 3600.0);
        QCOMPARE(BillingEngine::totalDuration(entries, day), 8.5 * 3600 + 60);
        // A range of a single instant holds the entries spanning it, each billing nothing.
        const InstantRange instant { nine + 60, nine + 60 };
        QCOMPARE(BillingEngine::filteredEntries(entries, instant), QList<TimeEntry> { spansRange });
        QCOMPARE(BillingEngine::billedDurations(entries, { p }, instant).value(spansRange.id, -1), 0.0);
        QCOMPARE(BillingEngine::totalDuration(entries, instant), 0.0);
    }

    void projectsAndTotals()
    {
        const Project paid = project(u"Paid"_s, 50, 60), unpaid = project(u"Unpaid"_s, std::nullopt, 15);
        const Project tiny = project(u"Tiny"_s, 100, 60, S::roundNearestPerEntry);
        Project archived = project(u"Archived"_s, 50, 60);
        archived.isArchived = true;
        const TimeEntry ofDeleted { QUuid::createUuid(), QUuid::createUuid(), kBase + 12000, kBase + 15600, {} };
        const QList<TimeEntry> entries = { entry(paid, kBase, 3600),
            entry(unpaid, kBase + 4000, 1000),
            entry(tiny, kBase + 8000, 600),
            entry(archived, kBase + 9000, 7200),
            ofDeleted };
        const QList<Project> projects = { paid, unpaid, tiny, archived };
        // Highest amount first; at equal amounts (0) more billed time first.
        QCOMPARE(BillingEngine::summaries(entries, projects, everything),
            (QList<ProjectBillingSummary> { { archived, 7200, 7200, 100 },
                { paid, 3600, 3600, 50 },
                { unpaid, 1800, 1000, 0 },
                { tiny, 0, 600, 0 } }));
        QCOMPARE(BillingEngine::totalAmount(entries, projects, everything), 150.0);
        QCOMPARE(BillingEngine::totalBillableDuration(entries, projects, everything), 3600.0 + 1800 + 0 + 7200);
        QCOMPARE(BillingEngine::totalDuration(entries, everything), 3600.0 + 1000 + 600 + 7200 + 3600);
        QVERIFY(!BillingEngine::billedDurations(entries, projects, everything).contains(ofDeleted.id));
        QVERIFY(BillingEngine::summaries(entries, projects, { kBase - 10000, kBase - 5000 }).isEmpty());
    }

    void duplicateIdsDoNotCrash()
    {
        const Project p = project(u"P"_s, 10);
        Project twin = p;
        twin.name = u"Twin"_s;
        const TimeEntry e = entry(p, kBase, 600);
        QCOMPARE(BillingEngine::summaries({ e, e }, { p, twin }, everything).size(), 1);
        QCOMPARE(BillingEngine::exportCSV({ e, e }, { p, twin }, everything).count(u'\n'), 2);
    }

    void csv()
    {
        const QString header = u"Project,Start,End,Hours,Hourly Rate,Billable Amount,Notes"_s;
        const Project acme = project(u"Acme, \"Inc\""_s, 85, 20), free = project(u"Pro bono"_s, std::nullopt, 15);
        const TimeEntry orphan { QUuid::createUuid(), QUuid::createUuid(), kBase + 9000, kBase + 9600, {} };
        const QList<TimeEntry> entries { entry(acme, kBase + 3600, 4700, u"Design \"v2\"\nand review"_s),
            entry(acme, kBase - 1800, 3600), // starts before the range
            entry(free, kBase + 7200, 600, u"call"_s),
            orphan };
        const InstantRange range { kBase, kBase + 86400 };
        QCOMPARE(BillingEngine::exportCSV({}, { acme }, range), header);
        QCOMPARE(BillingEngine::exportCSV(entries, { acme, free }, range), header + uR"(
"Pro bono","2026-03-01T10:00:00Z","2026-03-01T10:10:00Z",0.25,,,"call"
"Acme, ""Inc""","2026-03-01T09:00:00Z","2026-03-01T10:18:20Z",1.33,85.00,113.33,"Design ""v2""
and review"
"Acme, ""Inc""","2026-03-01T07:30:00Z","2026-03-01T08:30:00Z",0.67,85.00,56.67,"")"_s);
    }
};

QTEST_GUILESS_MAIN(tst_BillingEngine)
#include "tst_BillingEngine.moc"
