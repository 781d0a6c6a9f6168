// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ModelHarness.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

constexpr Seconds minute = 60;

// A Pomodoro cycle whose work lasts an hour, the question about time away after 10 minutes as
// `asking` says, stopping at the screen lock as `stopOnLock` says, and project "A".
Project askingAfterTenMinutes(ModelHarness& h, bool asking, bool stopOnLock = false)
{
    changeSettings(*h.model, [asking, stopOnLock](AppSettings& s) {
        s.awayQuestionEnabled = asking;
        s.awayThresholdMinutes = 10;
        s.pomodoroEnabled = true;
        s.pomodoroWorkMinutes = 60;
        s.stopOnScreenLock = stopOnLock;
    });
    return h.addProject(u"A"_s);
}

} // namespace

class tst_AppModelSleep : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A: the timer runs from the start; the computer sleeps from 30 minutes after it for `slept`
    // minutes (or only the wake-up is heard of). Asked: since when, in minutes after the start.
    void sleep_data()
    {
        QTest::addColumn<bool>("timer");
        QTest::addColumn<bool>("asking");
        QTest::addColumn<bool>("sleepHeard");
        QTest::addColumn<double>("slept");
        QTest::addColumn<double>("idleSince"); // < 0: not idle before the sleep
        QTest::addColumn<bool>("alreadyAsked"); // about idleness from 1 to 15 minutes after the start
        QTest::addColumn<double>("askedSince"); // < 0: nothing (more) asked

        QTest::newRow("short sleep") << true << true << true << 10.0 << -1.0 << false << -1.0;
        QTest::newRow("long sleep") << true << true << true << 20.0 << -1.0 << false << 30.0;
        QTest::newRow("no timer") << false << true << true << 20.0 << -1.0 << false << -1.0;
        QTest::newRow("not asking") << true << false << true << 20.0 << -1.0 << false << -1.0;
        QTest::newRow("already asked") << true << true << true << 20.0 << -1.0 << true << -1.0;
        QTest::newRow("woke without sleeping") << true << true << false << 20.0 << -1.0 << false << -1.0;
        // Idle for long when the computer went to sleep: away since idleness began, however short the sleep.
        QTest::newRow("idle before") << true << true << true << 20.0 << 18.0 << false << 18.0;
        QTest::newRow("short sleep, idle before") << true << true << true << 1.0 << 18.0 << false << 18.0;
    }

    void sleep()
    {
        QFETCH(bool, timer);
        QFETCH(bool, asking);
        QFETCH(bool, sleepHeard);
        QFETCH(double, slept);
        QFETCH(double, idleSince);
        QFETCH(bool, alreadyAsked);
        QFETCH(double, askedSince);
        ModelHarness h;
        // The idle detector only where a row needs it: sleep is heard of without one.
        h.idleMonitor.available = idleSince >= 0 || alreadyAsked;
        const Instant start = h.clock.time;
        const Project a = askingAfterTenMinutes(h, asking);
        if (timer)
            h.model->startTracking(a);
        std::optional<AwayQuestion> expected;
        if (alreadyAsked) {
            h.advance(16 * minute);
            h.idleMonitor.away(start + minute, start + 15 * minute);
            expected = h.model->awayQuestion();
            QVERIFY(expected);
        }
        h.advance(start + 30 * minute - h.clock.time);
        if (idleSince >= 0)
            Q_EMIT h.idleMonitor.becameIdle(start + idleSince * minute);
        const Instant woke = start + (30 + slept) * minute;
        h.clock.time = woke;
        if (sleepHeard)
            h.sessionEvents.sleep(start + 30 * minute, woke);
        else
            Q_EMIT h.sessionEvents.resumed(woke);
        if (askedSince >= 0)
            expected = AwayQuestion { start + askedSince * minute, woke };

        QCOMPARE(h.model->awayQuestion(), expected);
        // Nothing else changes: the timer went on counting, the cycle goes on, nothing is recorded.
        const std::optional<ActiveTimerSession> session =
            timer ? std::optional(ActiveTimerSession { a.id, start }) : std::nullopt;
        QCOMPARE(h.model->activeSession(), session);
        QCOMPARE(h.model->pomodoroPhase().has_value(), timer);
        QCOMPARE(h.model->entries().size(), 0);
        const AppSnapshot saved = h.saved();
        QCOMPARE(saved.awayQuestion, expected);
        QCOMPARE(saved.activeSession, session);
    }

    // Each sleep is asked about once: a second wake-up without a new sleep asks nothing.
    void aSleepIsAskedAboutOnce()
    {
        ModelHarness h;
        const Instant start = h.clock.time;
        const Project a = askingAfterTenMinutes(h, true);
        h.model->startTracking(a);
        h.sessionEvents.sleep(start + minute, start + 30 * minute);
        QVERIFY(h.model->answerAway(AwayAnswer::keep));
        Q_EMIT h.sessionEvents.resumed(start + 60 * minute);
        QCOMPARE(h.model->awayQuestion(), std::nullopt);
    }

    // The screen locks 30 minutes after the start; the clock has moved on a little since.
    void lock_data()
    {
        QTest::addColumn<bool>("stopOnLock");
        QTest::addColumn<bool>("timer");
        QTest::addColumn<bool>("stops");
        QTest::newRow("stop on lock") << true << true << true;
        QTest::newRow("keep running") << false << true << false;
        QTest::newRow("no timer") << true << false << false;
    }

    void lock()
    {
        QFETCH(bool, stopOnLock);
        QFETCH(bool, timer);
        QFETCH(bool, stops);
        ModelHarness h;
        const Instant start = h.clock.time;
        const Project a = askingAfterTenMinutes(h, true, stopOnLock);
        if (timer)
            h.model->startTracking(a);
        h.advance(30 * minute + 2);
        h.sessionEvents.lock(start + 30 * minute);
        Q_EMIT h.sessionEvents.unlocked(start + 40 * minute); // changes nothing either way

        QList<std::pair<Instant, Instant>> expected;
        if (stops)
            expected.append({ start, start + 30 * minute });
        QList<std::pair<Instant, Instant>> entries;
        for (const TimeEntry& entry : h.model->entries())
            entries.append({ entry.startDate, entry.endDate });
        QCOMPARE(entries, expected);
        const std::optional<ActiveTimerSession> session =
            timer && !stops ? std::optional(ActiveTimerSession { a.id, start }) : std::nullopt;
        QCOMPARE(h.model->activeSession(), session);
        QCOMPARE(h.model->pomodoroPhase().has_value(), timer && !stops); // stopping ends the cycle
        QCOMPARE(h.errorText(), QString());
        const AppSnapshot saved = h.saved();
        QCOMPARE(saved.entries, h.model->entries());
        QCOMPARE(saved.activeSession, session);
    }
};

QTEST_GUILESS_MAIN(tst_AppModelSleep)
#include "tst_AppModelSleep.moc"
