// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/away/AwayRules.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

constexpr Instant start = 1772352000; // 2026-03-01T08:00:00Z
constexpr Seconds minute = 60;

} // namespace

class tst_AwayRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Idle from, back at (minutes after the session's start), threshold minutes; the span asked
    // about, or none (since < 0).
    void question_data()
    {
        QTest::addColumn<double>("idle");
        QTest::addColumn<double>("back");
        QTest::addColumn<int>("thresholdMinutes");
        QTest::addColumn<double>("since");
        QTest::newRow("longer than the threshold") << 30.0 << 55.0 << 10 << 30.0;
        QTest::newRow("exactly the threshold asks nothing") << 30.0 << 40.0 << 10 << -1.0;
        QTest::newRow("a second more asks") << 30.0 << 40.0 + 1 / 60.0 << 10 << 30.0;
        QTest::newRow("idle before the session: from its start") << -50.0 << 15.0 << 10 << 0.0;
        QTest::newRow("idle before the session, short since its start") << -50.0 << 8.0 << 10 << -1.0;
        QTest::newRow("back before idle (clock set back)") << 30.0 << 20.0 << 10 << -1.0;
        QTest::newRow("threshold below 5 counts as 5") << 30.0 << 36.0 << 0 << 30.0;
        QTest::newRow("threshold above 120 counts as 120") << 0.0 << 121.0 << 500 << 0.0;
        QTest::newRow("threshold 120 not reached") << 0.0 << 119.0 << 500 << -1.0;
    }

    void question()
    {
        QFETCH(double, idle);
        QFETCH(double, back);
        QFETCH(int, thresholdMinutes);
        QFETCH(double, since);
        const auto asked = AwayRules::question(
            start, start + idle * minute, start + back * minute, AwayRules::threshold(thresholdMinutes));
        if (since < 0) {
            QCOMPARE(asked, std::nullopt);
            return;
        }
        QCOMPARE(asked, (AwayQuestion { start + since * minute, start + back * minute }));
    }

    // What each answer leaves: the entry recorded, the session afterwards, the Pomodoro cycle.
    void outcome_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<double>("since"); // minutes after the session's start
        QTest::addColumn<bool>("recorded");
        QTest::addColumn<bool>("running"); // a session afterwards, and which: the old (keep) or one from now
        QTest::addColumn<bool>("endsCycle");
        QTest::newRow("keep") << u"keep"_s << 30.0 << false << true << false;
        QTest::newRow("discard") << u"discard"_s << 30.0 << true << true << true;
        QTest::newRow("stop") << u"stop"_s << 30.0 << true << false << true;
        QTest::newRow("discard, idle from the start") << u"discard"_s << 0.0 << false << true << true;
        QTest::newRow("stop, idle from the start") << u"stop"_s << 0.0 << false << false << true;
    }

    void outcome()
    {
        QFETCH(QString, answer);
        QFETCH(double, since);
        QFETCH(bool, recorded);
        QFETCH(bool, running);
        QFETCH(bool, endsCycle);
        const ActiveTimerSession session { QUuid::createUuid(), start };
        const AwayQuestion question { start + since * minute, start + 60 * minute };
        const Instant now = start + 62 * minute;
        const auto parsed = awayAnswerFromRawValue(answer);
        QVERIFY(parsed);
        QCOMPARE(rawValue(*parsed), answer);
        const AwayOutcome result = AwayRules::outcome(session, question, *parsed, now);
        QCOMPARE(result.recorded.has_value(), recorded);
        if (recorded)
            QCOMPARE(*result.recorded, (InstantRange { start, question.since }));
        QCOMPARE(result.session.has_value(), running);
        if (running) {
            QCOMPARE(result.session->projectID, session.projectID);
            QCOMPARE(result.session->startDate, *parsed == AwayAnswer::keep ? start : now);
        }
        QCOMPARE(result.endsPomodoroCycle, endsCycle);
    }

    void unknownAnswers()
    {
        for (const QString& raw : { u""_s, u"Keep"_s, u"later"_s })
            QCOMPARE(awayAnswerFromRawValue(raw), std::nullopt);
    }

    // A question belongs to the session that ran when the user went away, not to a later one.
    void concerns()
    {
        const AwayQuestion question { start + 30 * minute, start + 60 * minute };
        QVERIFY(AwayRules::concerns(question, ActiveTimerSession { QUuid::createUuid(), start }));
        QVERIFY(!AwayRules::concerns(question, std::nullopt));
        QVERIFY(!AwayRules::concerns(question, ActiveTimerSession { QUuid::createUuid(), start + 61 * minute }));
        QCOMPARE(AwayRules::minutes(question), 30);
        QCOMPARE(AwayRules::minutes({ start, start + 10 * minute + 59 }), 10);
    }
};

} // namespace tivren

QTEST_GUILESS_MAIN(tivren::tst_AwayRules)
#include "tst_AwayRules.moc"
