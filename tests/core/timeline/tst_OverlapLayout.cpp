// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/timeline/OverlapLayout.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;

namespace {

// An entry from hour to hour on one day; its notes name it for the comparisons.
TimeEntry at(const QString& name, double from, double to)
{
    return TimeEntry { QUuid::createUuid(), QUuid(), from * 3600, to * 3600, name };
}

// "name slot/total" per output element, in output order.
QStringList describe(const QList<LayoutEntry>& layout)
{
    QStringList lines;
    for (const LayoutEntry& e : layout)
        lines << u"%1 %2/%3"_s.arg(e.entry.notes).arg(e.slotIndex).arg(e.totalSlots);
    return lines;
}

} // namespace

class tst_OverlapLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void layout_data()
    {
        QTest::addColumn<QList<TimeEntry>>("entries");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty") << QList<TimeEntry> {} << QStringList {};
        QTest::newRow("one") << QList<TimeEntry> { at(u"A"_s, 9, 10) } << QStringList { u"A 0/1"_s };
        // C overlaps B but not A; lane 0 is visited first, so C starts its own cluster.
        QTest::newRow("clusters are not merged")
            << QList<TimeEntry> { at(u"A"_s, 9, 10), at(u"B"_s, 9.5, 10.5), at(u"C"_s, 10, 11) }
            << QStringList { u"A 0/2"_s, u"B 1/2"_s, u"C 0/1"_s };
        QTest::newRow("touching entries share a lane")
            << QList<TimeEntry> { at(u"B"_s, 10, 11), at(u"A"_s, 9, 10) } << QStringList { u"A 0/1"_s, u"B 0/1"_s };
        QTest::newRow("equal starts keep input order")
            << QList<TimeEntry> { at(u"long"_s, 9, 12), at(u"early"_s, 9, 10), at(u"late"_s, 11, 12) }
            << QStringList { u"long 0/2"_s, u"early 1/2"_s, u"late 1/2"_s };
        QTest::newRow("three at once") << QList<TimeEntry> { at(u"A"_s, 9, 12), at(u"B"_s, 9, 12), at(u"C"_s, 10, 11) }
                                       << QStringList { u"A 0/3"_s, u"B 1/3"_s, u"C 2/3"_s };
        // Lanes [A, D] and [B, E]. A and D start clusters; B overlaps both and joins A's only;
        // E overlaps D alone.
        QTest::newRow("an entry overlapping two clusters joins the first")
            << QList<TimeEntry> { at(u"A"_s, 9, 10), at(u"B"_s, 9.5, 11), at(u"D"_s, 10.5, 12), at(u"E"_s, 11, 12) }
            << QStringList { u"A 0/2"_s, u"B 1/2"_s, u"D 0/2"_s, u"E 1/2"_s };
    }
    void layout()
    {
        QFETCH(QList<TimeEntry>, entries);
        QTEST(describe(computeOverlapLayout(entries)), "expected");
    }
};

QTEST_GUILESS_MAIN(tst_OverlapLayout)
#include "tst_OverlapLayout.moc"
