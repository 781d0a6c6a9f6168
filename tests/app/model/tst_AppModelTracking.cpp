// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/time/DurationFormat.h"
#include "support/ModelHarness.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

// Ticks once a second until the model's clock reaches `until`.
inline void tickUntil(ModelHarness& h, Instant until)
{
    while (h.clock.time < until)
        h.advance(1);
}

// Entries as their start and end, in seconds after the fake clock's first time.
using Spans = QList<std::pair<Seconds, Seconds>>;

inline Spans spans(const QList<TimeEntry>& entries)
{
    const Instant start = FakeClock().time;
    Spans recorded;
    for (const TimeEntry& entry : entries)
        recorded.append({ entry.startDate - start, entry.endDate - start });
    return recorded;
}

// The Pomodoro cycle: phase, work intervals done, and its project.
struct Cycle
{
    std::optional<PomodoroPhase> phase;
    int done = 0;
    std::optional<QUuid> project;
    bool operator==(const Cycle&) const = default;
};

inline Cycle cycle(const ModelHarness& h)
{
    return { h.model->pomodoroPhase(), h.model->pomodoroCompletedWorkIntervals(), h.model->pomodoroProjectID() };
}

// Pomodoro on (25-minute work, 5 and 15-minute breaks) and tracking a fresh project "A".
inline Project trackWithPomodoro(ModelHarness& h, bool breaksBillable = false)
{
    changeSettings(*h.model, [breaksBillable](AppSettings& s) {
        s.pomodoroEnabled = true;
        s.pomodoroBreaksAreBillable = breaksBillable;
    });
    const Project a = h.addProject(QStringLiteral("A"));
    h.model->startTracking(a);
    return a;
}

inline void enableReminders(ModelHarness& h, int minutes, bool sound = true)
{
    changeSettings(*h.model, [minutes, sound](AppSettings& s) {
        s.workReminderEnabled = true;
        s.workReminderIntervalMinutes = minutes;
        s.pomodoroSoundEnabled = sound;
    });
}

const Instant kStart = FakeClock().time; // when every test starts

using P = PomodoroPhase;

} // namespace

class tst_AppModelTracking : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startAndStop()
    {
        ModelHarness h;
        const Project a = h.addProject(u"A"_s);
        h.clock.time += 30; // the system clock moved, the model's clock did not: nothing to record
        h.model->startTracking(a);
        h.model->stopTracking(false);
        QVERIFY(h.model->entries().isEmpty());
        h.model->startTracking(a);
        h.advance(600);
        h.model->startTracking(a); // the start control toggles
        QCOMPARE(h.model->activeSession(), std::nullopt);
        QCOMPARE(spans(h.model->entries()), (Spans { { 30, 630 } }));
        QCOMPARE(h.saved().entries, h.model->entries());
        QCOMPARE(h.saved().activeSession, std::nullopt);
    }

    void startingAnotherProjectTakesOverTheCycle()
    {
        ModelHarness h;
        const Project a = trackWithPomodoro(h);
        const Project b = h.addProject(u"B"_s);
        h.model->skipPomodoroPhase(); // one work interval done, short break, timer stopped
        h.clock.time += 0.7; // ahead of the last tick: the new timer must not read "00:00:-1"
        h.model->startTracking(b); // during a break: the cycle goes on with B
        QCOMPARE(cycle(h), (Cycle { P::work, 1, b.id }));
        QCOMPARE(h.model->activeSession(), (ActiveTimerSession { b.id, h.model->now() }));
        h.advance(300);
        h.model->startTracking(a); // during work: a fresh cycle
        QCOMPARE(cycle(h), (Cycle { P::work, 0, a.id }));
        QCOMPARE(h.model->entries().last().projectID, b.id);
        h.model->stopTimer();
        QCOMPARE(cycle(h), Cycle {});
    }

    // Long break after every 4th work phase, breaks not billable.
    void defaultCycle()
    {
        ModelHarness h;
        const Project a = trackWithPomodoro(h);
        QCOMPARE(h.model->pomodoroPhaseDuration(), 1500.0);
        tickUntil(h, kStart + 1499);
        QCOMPARE(h.model->pomodoroPhase(), PomodoroPhase::work);
        QCOMPARE(h.model->pomodoroRemaining(), 1.0);
        h.advance(1); // 25 minutes in
        QCOMPARE(spans(h.model->entries()), (Spans { { 0, 1500 } }));
        QCOMPARE(h.model->activeSession(), std::nullopt);
        QCOMPARE(h.notifier.phases.last(), std::pair(PomodoroPhase::shortBreak, true));
        QCOMPARE(h.overlay.showing, OverlayColor::green);

        tickUntil(h, kStart + 1800); // half an hour in: back to work on A
        QCOMPARE(h.model->activeSession(), (ActiveTimerSession { a.id, kStart + 1800 }));
        QCOMPARE(h.notifier.phases.last(), std::pair(PomodoroPhase::work, true));
        QCOMPARE(h.overlay.showing, std::nullopt);

        for (int i = 0; i < 5; ++i) // the ends of work phases 2 to 4 and the breaks between them
            h.model->skipPomodoroPhase();
        QCOMPARE(cycle(h), (Cycle { P::longBreak, 4, a.id }));
        QCOMPARE(h.overlay.showing, OverlayColor::blue);
        h.model->updatePomodoroOverlayEnabled(false); // hidden at once, and at the next break not shown
        QCOMPARE(h.overlay.showing, std::nullopt);
        h.model->skipPomodoroPhase();
        h.model->skipPomodoroPhase();
        QCOMPARE(cycle(h), (Cycle { P::shortBreak, 5, a.id }));
        QCOMPARE(h.overlay.showing, std::nullopt);
    }

    // Whether breaks are billed may change during a break. Its end follows the timer, not the
    // setting: a timer that ran through the break keeps running, a stopped one starts again, and
    // the next work phase's end follows the new setting. Stopped one minute into the second break.
    void billingChangedDuringABreak()
    {
        const std::tuple<bool, bool, Spans> rows[] = { { true, true, { { 0, 3360 } } },
            { true, false, { { 0, 3300 } } },
            { false, true, { { 0, 1500 }, { 1800, 3360 } } },
            { false, false, { { 0, 1500 }, { 1800, 3300 } } } };
        for (const auto& [billableAtWorkEnd, billableAtBreakEnd, entries] : rows) {
            ModelHarness h;
            const Project a = trackWithPomodoro(h, billableAtWorkEnd);
            tickUntil(h, kStart + 1560); // 25 minutes of work, one minute of the break
            changeSettings(*h.model, [&](AppSettings& s) {
                s.pomodoroBreaksAreBillable = billableAtBreakEnd;
            });
            tickUntil(h, kStart + 1800);
            QCOMPARE(
                h.model->activeSession(), (ActiveTimerSession { a.id, billableAtWorkEnd ? kStart : kStart + 1800 }));
            tickUntil(h, kStart + 3360);
            QCOMPARE(h.model->pomodoroPhase(), PomodoroPhase::shortBreak);
            QCOMPARE(h.model->activeSession().has_value(), billableAtBreakEnd);
            h.model->stopTimer();
            QCOMPARE(spans(h.model->entries()), entries);
            QCOMPARE(h.saved().entries, h.model->entries());
        }
    }

    // The wall clock moved while a timer ran, an hour in; stopped ten minutes later. Set back, the
    // entry keeps the time that really passed and the user is told; moved forward, the wall clock
    // is believed (it was probably wrong before).
    void wallClockMovedDuringASession()
    {
        const std::tuple<Seconds, Seconds, bool> rows[] = {
            { 0, 4200, false }, { -3 * 3600, 4200, true }, { -1, 4199, false }, { 7200, 11400, false }
        };
        for (const auto& [jump, recorded, told] : rows) {
            ModelHarness h;
            h.model->startTracking(h.addProject(u"A"_s));
            h.advance(3600);
            h.clock.jumpWallClock(jump);
            h.model->tick();
            h.advance(600);
            h.model->stopTracking(false);
            QCOMPARE(spans(h.model->entries()), (Spans { { 0, recorded } }));
            QCOMPARE(h.model->errorMessage().has_value(), told);
            QCOMPARE(h.saved().entries, h.model->entries());
        }
    }

    // A timer stored by a clock that ran ahead (another system on the same machine) counts from the
    // program's start, and the user is told once; one stored by this clock counts from its stored
    // start, also when the clock is set back afterwards.
    void restoredSession()
    {
        for (const bool ranAhead : { true, false }) {
            ModelHarness h;
            h.model->startTracking(h.addProject(u"A"_s));
            h.clock.jumpWallClock(ranAhead ? -3 * 3600 : 0);
            h.clock.time += ranAhead ? 0 : 3600; // Tivren was not running for an hour
            h.rebuild();
            const Seconds start = ranAhead ? -3 * 3600 : 0;
            QCOMPARE(h.model->activeSession()->startDate, kStart + start);
            QCOMPARE(h.saved().activeSession->startDate, kStart + start);
            QCOMPARE(h.model->errorMessage().has_value(), ranAhead);
            h.model->clearError();
            h.advance(600);
            h.clock.jumpWallClock(ranAhead ? 0 : -2 * 3600);
            h.advance(ranAhead ? 0 : 1);
            h.model->stopTracking(false);
            QCOMPARE(spans(h.model->entries()), (Spans { { start, ranAhead ? start + 600 : 4201 } }));
            QCOMPARE(h.model->errorMessage().has_value(), !ranAhead);
        }
    }

    void skippingAndSwitchingOff()
    {
        ModelHarness h;
        const Project a = h.addProject(u"A"_s);
        const int asked = h.notifier.authorizationRequests;
        h.model->updatePomodoroEnabled(true);
        QCOMPARE(h.notifier.authorizationRequests, asked + 1);
        h.broadcaster.post(); // no phase: nothing happens
        QCOMPARE(cycle(h), Cycle {});
        h.model->startTracking(a);
        h.advance(60);
        h.broadcaster.post(); // the notification's Skip: ends the work phase as if it had expired
        QCOMPARE(cycle(h), (Cycle { P::shortBreak, 1, a.id }));
        QCOMPARE(h.notifier.phases.size(), 1);
        QCOMPARE(h.model->entries().size(), 1);
        h.advance(10);
        h.model->skipPomodoroPhase(); // a break skipped: work starts at once
        QCOMPARE(h.model->activeSession()->startDate, h.clock.time);
        QCOMPARE(cycle(h), (Cycle { P::work, 1, a.id }));

        h.model->updatePomodoroEnabled(false); // the cycle is cleared, the timer keeps running
        QCOMPARE(cycle(h), Cycle {});
        h.model->skipPomodoroPhase();
        QCOMPARE(h.notifier.phases.size(), 2);
        h.advance(100);
        h.model->updatePomodoroEnabled(true); // on while tracking: work starts now
        QCOMPARE(cycle(h), (Cycle { P::work, 0, a.id }));
        QCOMPARE(h.model->pomodoroPhaseStart(), h.clock.time);
    }

    void missedTicksChangeOnePhaseAtATime()
    {
        ModelHarness h;
        trackWithPomodoro(h);
        h.advance(3 * 3600); // the computer slept
        QCOMPARE(h.model->pomodoroPhase(), PomodoroPhase::shortBreak);
        QCOMPARE(h.model->pomodoroRemaining(), 300.0);
        h.clock.time += 3600; // no tick yet: remaining never goes below zero
        h.model->tick();
        QCOMPARE(h.model->pomodoroPhase(), PomodoroPhase::work);
        h.clock.time += 7200;
        QCOMPARE(h.model->pomodoroRemaining(), 1500.0); // now not refreshed yet
        h.model->tick();
        QCOMPARE(h.model->pomodoroPhase(), PomodoroPhase::shortBreak);
    }

    void remindersAtEachInterval()
    {
        ModelHarness h;
        enableReminders(h, 30);
        h.model->startTracking(h.addProject(u"A"_s));
        tickUntil(h, kStart + 1799);
        QVERIFY(h.notifier.reminders.isEmpty());
        tickUntil(h, kStart + 3600);
        QCOMPARE(h.notifier.reminders, (QList<FakeNotifier::Reminder> { { 1800, true }, { 3600, true } }));
        QCOMPARE(h.overlay.flashes, (QList<OverlayColor> { OverlayColor::orange, OverlayColor::orange }));

        h.advance(60); // a new interval counts from the session start again: 5 minutes, 61 minutes in
        h.model->updateWorkReminderIntervalMinutes(5);
        h.advance(1);
        QCOMPARE(h.notifier.reminders.size(), 3);

        changeSettings(*h.model, [](AppSettings& s) {
            s.workReminderEnabled = false;
        });
        h.advance(4 * 3600);
        QCOMPARE(h.notifier.reminders.size(), 3);
    }

    void remindersWaitDuringBreaks()
    {
        ModelHarness h;
        enableReminders(h, 7, false);
        trackWithPomodoro(h, true);
        tickUntil(h, kStart + 1500); // reminders at 7, 14 and 21 minutes; the one due at 28 falls in the break
        const qsizetype duringWork = h.notifier.reminders.size();
        tickUntil(h, kStart + 1799);
        QCOMPARE(h.notifier.reminders.size(), duringWork);
        h.advance(1); // the first tick of the next work phase catches up, once
        QCOMPARE(h.notifier.reminders.size(), duringWork + 1);
        QVERIFY(!h.notifier.reminders.last().sound);
        h.advance(1);
        QCOMPARE(h.notifier.reminders.size(), duringWork + 1);
    }

    // A hand-edited interval of 0 counts as 5 minutes; it would otherwise remind on every tick.
    void storedTimerRemindsOnceAfterRestart()
    {
        ModelHarness h;
        enableReminders(h, 0);
        trackWithPomodoro(h);
        h.clock.time = kStart + 3 * 3600; // Tivren was not running for three hours
        h.rebuild();
        QCOMPARE(cycle(h), Cycle {}); // the cycle is never stored
        h.model->tick();
        h.model->tick();
        QCOMPARE(h.notifier.reminders, (QList<FakeNotifier::Reminder> { { 3 * 3600, true } }));
        tickUntil(h, kStart + 3 * 3600 + 299);
        QCOMPARE(h.notifier.reminders.size(), 1);
        h.advance(1);
        QCOMPARE(h.notifier.reminders.size(), 2);
    }
};

QTEST_GUILESS_MAIN(tst_AppModelTracking)
#include "tst_AppModelTracking.moc"
