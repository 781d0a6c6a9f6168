// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/away/IdleSampling.h"

#include <QStringList>
#include <QTest>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

constexpr Instant base = 1772352000; // 2026-03-01T08:00:00Z
constexpr Seconds threshold = 300;

} // namespace

class tst_IdleSampling : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Samples "when:idle" in seconds (when after base), and what they report: "idle@S" (idle since
    // base + S) and "back@S", in order.
    void sample_data()
    {
        QTest::addColumn<QString>("samples");
        QTest::addColumn<QString>("reported");
        QTest::newRow("idle grows past the threshold and comes back")
            << u"0:0 100:100 299:299 305:305 600:600 605:3"_s << u"idle@0 back@602"_s;
        QTest::newRow("exactly the threshold is idle") << u"300:300"_s << u"idle@0"_s;
        QTest::newRow("idle drops without crossing") << u"0:200 5:205 10:1 15:6 20:11"_s << u""_s;
        QTest::newRow("first sample already idle") << u"0:1200 5:1205 10:2"_s << u"idle@-1200 back@8"_s;
        QTest::newRow("whole seconds wander a little") << u"0:400 5:404 10:410 15:414"_s << u"idle@-400"_s;
        QTest::newRow("clock set forward while idle")
            << u"0:400 3605:405 3610:1"_s << u"idle@-400 idle@3200 back@3609"_s;
        QTest::newRow("clock set back while idle")
            << u"0:400 -3595:405 -3590:2"_s << u"idle@-400 idle@-4000 back@-3592"_s;
        QTest::newRow("clock set while active") << u"0:100 3605:105 -50:110 -45:1"_s << u""_s;
        QTest::newRow("back and idle again between samples") << u"0:400 1000:350"_s << u"idle@-400 back@650 idle@650"_s;
        QTest::newRow("idle twice") << u"0:300 5:2 400:301 405:0"_s << u"idle@-300 back@3 idle@99 back@405"_s;
        QTest::newRow("a desktop that always answers 0") << u"0:0 5:0 400:0"_s << u""_s;
        QTest::newRow("a negative answer counts as 0") << u"0:-5 5:400"_s << u"idle@-395"_s;
    }

    void sample()
    {
        QFETCH(QString, samples);
        QFETCH(QString, reported);
        IdleSampling sampling(threshold);
        QStringList seen;
        for (const QString& sample : samples.split(u' ', Qt::SkipEmptyParts)) {
            const QStringList parts = sample.split(u':');
            const IdleChanges changes = sampling.sample(base + parts[0].toDouble(), parts[1].toDouble());
            if (changes.cameBack)
                seen << u"back@"_s + QString::number(*changes.cameBack - base);
            if (changes.wentIdle)
                seen << u"idle@"_s + QString::number(*changes.wentIdle - base);
        }
        QCOMPARE(seen.join(u' '), reported);
    }

    // The wait for the next sample after idle times sampled so far, with a regular interval.
    void nextSampleIn_data()
    {
        QTest::addColumn<QString>("samples");
        QTest::addColumn<double>("regular");
        QTest::addColumn<double>("wait");
        QTest::newRow("nothing sampled yet") << u""_s << 5.0 << 5.0;
        QTest::newRow("far from the threshold") << u"0:100"_s << 5.0 << 5.0;
        QTest::newRow("two seconds before it") << u"0:298"_s << 5.0 << 2.0;
        QTest::newRow("right before it, not too often") << u"0:299.99"_s << 5.0 << 0.5;
        QTest::newRow("idle: the regular interval") << u"0:400"_s << 5.0 << 5.0;
        QTest::newRow("a shorter regular interval wins") << u"0:299.99"_s << 0.2 << 0.2;
    }

    void nextSampleIn()
    {
        QFETCH(QString, samples);
        QFETCH(double, regular);
        QFETCH(double, wait);
        IdleSampling sampling(threshold);
        for (const QString& sample : samples.split(u' ', Qt::SkipEmptyParts)) {
            const QStringList parts = sample.split(u':');
            (void)sampling.sample(base + parts[0].toDouble(), parts[1].toDouble());
        }
        QCOMPARE(sampling.nextSampleIn(regular), wait);
    }

    // Growth of GetSessionIdleTime's answer over seconds elapsed; the unit it shows ("" for none).
    void idleTimeUnit_data()
    {
        QTest::addColumn<double>("growth");
        QTest::addColumn<double>("elapsed");
        QTest::addColumn<QString>("unit");
        QTest::newRow("milliseconds") << 5003.0 << 5.0 << u"ms"_s;
        QTest::newRow("seconds") << 5.0 << 5.0 << u"s"_s;
        QTest::newRow("seconds in whole steps") << 4.0 << 5.0 << u"s"_s;
        QTest::newRow("not grown: always 0, or active") << 0.0 << 5.0 << u""_s;
        QTest::newRow("dropped: the user came back") << -4000.0 << 5.0 << u""_s;
        QTest::newRow("too short a wait to tell") << 1.0 << 1.0 << u""_s;
        QTest::newRow("active some of the wait") << 100.0 << 5.0 << u""_s;
    }

    void idleTimeUnit()
    {
        QFETCH(double, growth);
        QFETCH(double, elapsed);
        QFETCH(QString, unit);
        const auto found = idleTimeUnitOf(growth, elapsed);
        QCOMPARE(!found ? u""_s : *found == IdleTimeUnit::seconds ? u"s"_s : u"ms"_s, unit);
    }
};

} // namespace tivren

QTEST_GUILESS_MAIN(tivren::tst_IdleSampling)
#include "tst_IdleSampling.moc"
