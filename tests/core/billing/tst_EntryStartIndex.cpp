// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/billing/BillingEngine.h"
#include "core/billing/EntryStartIndex.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QTest>
#include <QTimeZone>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

using namespace Qt::StringLiterals;
using namespace tivren;
using S = BillingRoundingStrategy;

namespace {

constexpr Instant kBase = 1772352000; // 2026-03-01T08:00:00Z
constexpr Seconds kHour = 3600;

struct Data
{
    QList<Project> projects;
    QList<TimeEntry> entries;
};

Data projects()
{
    Data d;
    d.projects = { Project(QUuid::createUuid(), u"Up"_s, 80.0, 15, S::roundUpPerEntry, u"blue"_s, false, 0),
        Project(QUuid::createUuid(), u"Nearest"_s, 55.5, 30, S::roundNearestPerEntry, u"red"_s, false, 0),
        Project(QUuid::createUuid(), u"Total"_s, 120.0, 60, S::roundProjectTotal, u"green"_s, false, 0),
        Project(QUuid::createUuid(), u"Unbilled"_s, std::nullopt, 15, S::roundUpPerEntry, u"gray"_s, false, 0) };
    return d;
}

void add(Data& d, int project, Instant start, Seconds duration)
{
    // Project index -1 stands for a deleted project.
    const QUuid projectID = project < 0 ? QUuid::createUuid() : d.projects[project].id;
    d.entries.append(TimeEntry { QUuid::createUuid(), projectID, start, start + duration, {} });
}

// Many entries in no particular order: short ones, some sharing starts, a few spanning days. Near the
// epoch, instants keep enough fraction bits that sums depend on their order.
Data shuffled(quint32 seed, int count, Instant base = kBase)
{
    Data d = projects();
    QRandomGenerator random(seed);
    for (int i = 0; i < count; ++i) {
        const Instant start = base + random.bounded(40 * 24) * 900.0 - 10 * 24 * kHour;
        const Seconds duration = random.bounded(10) == 0 ? random.bounded(72) * kHour
                                                         : random.bounded(240) * 60.0 + random.bounded(1000) / 7.0;
        add(d, static_cast<int>(random.bounded(5)) - 1, start, duration);
    }
    return d;
}

// Entries ending or starting exactly on the bounds, equal starts, an entry ending before it starts,
// and one long entry that started far before the range.
Data edges(const InstantRange& range)
{
    Data d = projects();
    add(d, 0, range.lower - kHour, kHour); // ends on the lower bound: outside
    add(d, 0, range.upper, kHour); // starts on the upper bound: outside
    add(d, 1, range.lower - kHour, 2 * kHour); // reaches in
    add(d, 2, range.upper - 60, kHour); // reaches out
    for (int i = 0; i < 3; ++i)
        add(d, i % 3, range.lower + kHour, (i + 1) * 600.0); // equal starts keep list order
    add(d, 0, range.lower + 2 * kHour, -kHour); // ends before it starts, inside
    add(d, 2, range.lower - 200 * 24 * kHour, 400 * 24 * kHour); // long, started long before
    add(d, 1, range.lower + kHour, 0); // empty
    add(d, 3, std::numeric_limits<double>::quiet_NaN(), kHour);
    add(d, 0, range.lower + 3 * kHour, 45 * 60.0);
    return d;
}

// One change of the list, told to the index as the model tells it.
struct Edit
{
    enum class Kind
    {
        append,
        change,
        remove
    } kind;
    qsizetype position = 0; // for change and remove
    Instant start = 0; // for append and change
    Seconds duration = 0;
};

void apply(QList<TimeEntry>& entries, EntryStartIndex& index, const Edit& edit)
{
    switch (edit.kind) {
    case Edit::Kind::append:
        entries.append(
            TimeEntry { QUuid::createUuid(), entries.value(0).projectID, edit.start, edit.start + edit.duration, {} });
        index.appended(entries);
        break;
    case Edit::Kind::change: {
        const Instant previousStart = entries[edit.position].startDate;
        entries[edit.position].startDate = edit.start;
        entries[edit.position].endDate = edit.start + edit.duration;
        index.changed(entries, edit.position, previousStart);
        break;
    }
    case Edit::Kind::remove: {
        const Instant start = entries[edit.position].startDate;
        entries.removeAt(edit.position);
        index.removed(edit.position, start);
        break;
    }
    }
}

// Edits that land on starts the data already has, move entries both ways and remove anywhere.
QList<Edit> randomEdits(quint32 seed, qsizetype size, int count)
{
    QRandomGenerator random(seed);
    QList<Edit> edits;
    for (int i = 0; i < count; ++i) {
        const auto kind = size == 0 ? Edit::Kind::append : static_cast<Edit::Kind>(random.bounded(3));
        const Instant start = random.bounded(20) == 0 ? std::numeric_limits<double>::quiet_NaN()
                                                      : kBase + random.bounded(40 * 24) * 900.0 - 10 * 24 * kHour;
        const Seconds duration = random.bounded(8) == 0 ? random.bounded(96) * kHour : random.bounded(240) * 60.0;
        edits.append({ kind, random.bounded(qMax(size, qsizetype(1))), start, duration });
        size += kind == Edit::Kind::append ? 1 : kind == Edit::Kind::remove ? -1 : 0;
    }
    return edits;
}

InstantRange localDay(const char* zone, QDate day)
{
    const QTimeZone tz(zone);
    return { Instant(day.startOfDay(tz).toSecsSinceEpoch()),
        Instant(day.addDays(1).startOfDay(tz).toSecsSinceEpoch()) };
}

} // namespace

Q_DECLARE_METATYPE(Data)
Q_DECLARE_METATYPE(QList<Edit>)

class tst_EntryStartIndex : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The indexed query must give exactly what the plain scan gives: same entries in the same order,
    // same summaries to the last bit.
    void matchesScan_data()
    {
        QTest::addColumn<Data>("data");
        QTest::addColumn<InstantRange>("range");
        const InstantRange march { kBase, kBase + 31 * 24 * kHour };
        const InstantRange day { kBase + 5 * 24 * kHour, kBase + 6 * 24 * kHour };
        QTest::newRow("shuffled, a month") << shuffled(1, 2000) << march;
        QTest::newRow("shuffled, a day") << shuffled(2, 2000) << day;
        QTest::newRow("shuffled, before everything") << shuffled(3, 500) << InstantRange { 0, kHour };
        QTest::newRow("shuffled, near the epoch")
            << shuffled(5, 2000, 10 * 24 * kHour) << InstantRange { 0, 31 * 24 * kHour };
        QTest::newRow("shuffled, everything") << shuffled(4, 500) << InstantRange { -1e12, 1e12 };
        QTest::newRow("edges, a month") << edges(march) << march;
        QTest::newRow("edges, a day") << edges(day) << day;
        QTest::newRow("edges, empty range") << edges(day) << InstantRange { day.lower, day.lower };
        const InstantRange springForward = localDay("Europe/Amsterdam", QDate(2026, 3, 29)); // 23 hours
        const InstantRange fallBack = localDay("Europe/Amsterdam", QDate(2026, 10, 25)); // 25 hours
        QTest::newRow("edges, short DST day") << edges(springForward) << springForward;
        QTest::newRow("edges, long DST day") << edges(fallBack) << fallBack;
        QTest::newRow("no entries") << projects() << march;
        Data infinite = edges(day);
        add(infinite, 0, -std::numeric_limits<double>::infinity(), kHour);
        QTest::newRow("entry with an infinite start") << infinite << day;
    }

    void matchesScan()
    {
        QFETCH(Data, data);
        QFETCH(InstantRange, range);
        const EntryStartIndex index(data.entries);

        const QList<TimeEntry> scanned = BillingEngine::filteredEntries(data.entries, range);
        QList<TimeEntry> found;
        for (const TimeEntry* entry : index.overlapping(data.entries, range))
            found.append(*entry);
        QCOMPARE(found.size(), scanned.size());
        for (qsizetype i = 0; i < found.size(); ++i)
            QCOMPARE(found[i].id, scanned[i].id);

        QCOMPARE(BillingEngine::filteredEntries(data.entries, index, range), scanned);
        const QList<Project>& projects = data.projects;
        QCOMPARE(BillingEngine::summaries(data.entries, index, projects, range),
            BillingEngine::summaries(data.entries, projects, range));
        QCOMPARE(BillingEngine::billedDurations(data.entries, index, projects, range),
            BillingEngine::billedDurations(data.entries, projects, range));
        // Exact comparisons: the sums must agree to the last bit, not nearly.
        QVERIFY(BillingEngine::totalAmount(data.entries, index, projects, range)
            == BillingEngine::totalAmount(data.entries, projects, range));
        QVERIFY(BillingEngine::totalBillableDuration(data.entries, index, projects, range)
            == BillingEngine::totalBillableDuration(data.entries, projects, range));
        QVERIFY(BillingEngine::totalDuration(data.entries, index, range)
            == BillingEngine::totalDuration(data.entries, range));
        QCOMPARE(BillingEngine::exportCSV(data.entries, index, projects, range),
            BillingEngine::exportCSV(data.entries, projects, range));
    }

    // An index told of each change must answer every query as one built from the changed list does.
    void followsEdits_data()
    {
        QTest::addColumn<Data>("data");
        QTest::addColumn<QList<Edit>>("edits");
        using K = Edit::Kind;
        const InstantRange day { kBase, kBase + 24 * kHour };
        const Instant nan = std::numeric_limits<double>::quiet_NaN();
        const Data base = edges(day); // 4-6 and 9 share a start, 8 is the longest, 10 starts at NaN
        const Instant shared = day.lower + kHour;
        QTest::newRow("append, latest start") << base << QList<Edit> { { K::append, 0, day.upper + kHour, kHour } };
        QTest::newRow("append, earlier start")
            << base << QList<Edit> { { K::append, 0, day.lower - kHour, 2 * kHour } };
        QTest::newRow("append, equal start goes last")
            << base << QList<Edit> { { K::append, 0, shared, 60 }, { K::append, 0, shared, 120 } };
        QTest::newRow("append, NaN start") << base << QList<Edit> { { K::append, 0, nan, kHour } };
        QTest::newRow("change into a run of equal starts") << base << QList<Edit> { { K::change, 0, shared, 60 } };
        QTest::newRow("change out of a run, forward and back")
            << base << QList<Edit> { { K::change, 5, day.upper - 60, 30 }, { K::change, 5, shared, 30 } };
        QTest::newRow("change to and from NaN")
            << base << QList<Edit> { { K::change, 2, nan, kHour }, { K::change, 10, day.lower, kHour } };
        QTest::newRow("change, longest shortened") << base << QList<Edit> { { K::change, 8, day.lower - kHour, 60 } };
        QTest::newRow("remove the longest") << base << QList<Edit> { { K::remove, 8 } };
        QTest::newRow("remove the first, later positions shift")
            << base << QList<Edit> { { K::remove, 0 }, { K::remove, 3 }, { K::change, 3, day.lower, kHour } };
        QTest::newRow("remove a NaN start") << base << QList<Edit> { { K::remove, 10 } };
        QList<Edit> all;
        for (int i = 0; i < base.entries.size(); ++i)
            all.append({ K::remove, 0 });
        all.append({ K::append, 0, day.lower, kHour });
        QTest::newRow("remove all, then append") << base << all;
        const Data many = shuffled(6, 200);
        QTest::newRow("random edits") << many << randomEdits(7, many.entries.size(), 300);
    }

    void followsEdits()
    {
        QFETCH(Data, data);
        QFETCH(QList<Edit>, edits);
        QList<TimeEntry> entries = data.entries;
        EntryStartIndex index(entries);
        for (const Edit& edit : edits) {
            apply(entries, index, edit);
            QCOMPARE(index.size(), EntryStartIndex(entries).size());
            std::vector<qsizetype> byStart;
            for (qsizetype i = 0; i < entries.size(); ++i) {
                if (!std::isnan(entries[i].startDate))
                    byStart.push_back(i);
            }
            std::stable_sort(byStart.begin(), byStart.end(), [&entries](qsizetype a, qsizetype b) {
                return entries[a].startDate > entries[b].startDate;
            });
            std::vector<qsizetype> visited;
            index.latestFirst([&visited](qsizetype position) {
                visited.push_back(position);
                return true;
            });
            QCOMPARE(visited, byStart);
            // Everything at once shows the whole order; the short ranges lean on the look-back bound.
            QList<InstantRange> ranges { { -1e12, 1e12 } };
            for (qsizetype i = 0; i < entries.size(); i += 3) {
                if (!std::isnan(entries[i].startDate))
                    ranges.append({ entries[i].startDate + 1, entries[i].startDate + 2 });
            }
            for (const InstantRange& range : ranges) {
                const QList<TimeEntry> found = BillingEngine::filteredEntries(entries, index, range);
                if (found != BillingEngine::filteredEntries(entries, range))
                    QFAIL(qPrintable(u"differs from a scan over [%1, %2]"_s.arg(range.lower).arg(range.upper)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(tst_EntryStartIndex)
#include "tst_EntryStartIndex.moc"
