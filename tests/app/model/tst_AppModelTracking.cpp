#include "core/time/DurationFormat.h"
#include "support/ModelHarness.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

const Instant kStart = FakeClock().time; // when every test starts

// Entries as their start and end, in seconds after kStart.
using Spans = QList<std::pair<Seconds, Seconds>>;

Spans spans(const QList<TimeEntry>& entries)
{
    Spans recorded;
    for (const TimeEntry& entry : entries)
        recorded.append({ entry.startDate - kStart, entry.endDate - kStart });
    return recorded;
}

void enablePomodoro(AppModel& model, bool breaksBillable = false, int longBreakInterval = 4)
{
    AppSettings settings = model.settings();
    settings.pomodoroEnabled = true;
    settings.pomodoroBreaksAreBillable = breaksBillable;
    settings.pomodoroLongBreakInterval = longBreakInterval;
    model.setSettings(settings);
}

void enableReminders(AppModel& model, int minutes = 30, bool sound = true)
{
    AppSettings settings = model.settings();
    settings.workReminderEnabled = true;
    settings.workReminderIntervalMinutes = minutes;
    settings.pomodoroSoundEnabled = sound;
    model.setSettings(settings);
}

// Ticks once a second until the model's clock reaches `until`.
void tickUntil(ModelHarness& h, Instant until)
{
    while (h.clock.time < until)
        h.advance(1);
}

} // namespace

class tst_AppModelTracking : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startingTheTrackedProjectStopsIt()
    {
        ModelHarness h;
        const Project a = h.addProject(u"A"_s);
        h.model->startTracking(a);
        h.advance(600);
        h.model->startTracking(a);
        QCOMPARE(h.model->activeSession(), std::nullopt);
        QCOMPARE(spans(h.model->entries()), (Spans { { 0, 600 } }));
        QCOMPARE(h.saved().entries, h.model->entries());
    }

    void switchingProjectsStartsAFreshCycle()
    {
        ModelHarness h;
        enablePomodoro(*h.model);
        const Project a = h.addProject(u"A"_s);
        const Project b = h.addProject(u"B"_s);
        h.model->startTracking(a);
        h.model->skipPomodoroPhase(); // one work interval done, short break, timer stopped
        h.model->startTracking(a);
        QCOMPARE(h.model->pomodoroCompletedWorkIntervals(), 1);
        h.advance(300);
        h.model->startTracking(b);
        QCOMPARE(h.model->activeSession()->projectID, b.id);
        QCOMPARE(h.model->pomodoroPhase(), PomodoroPhase::work);
        QCOMPARE(h.model->pomodoroCompletedWorkIntervals(), 0);
        QCOMPARE(h.model->pomodoroProjectID(), b.id);
        QCOMPARE(h.model->entries().last().projectID, a.id);
    }

    void stoppingBeforeTheClockTicksRecordsNothing()
    {
        ModelHarness h;
        const Project a = h.addProject(u"A"_s);
        h.clock.time += 30; // the system clock moved, the model's clock did not
        h.model->startTracking(a);
        h.model->stopTracking(false);
        QVERIFY(h.model->entries().isEmpty());
        QCOMPARE(h.model->activeSession(), std::nullopt);
        QCOMPARE(h.saved().activeSession, std::nullopt);
    }

    // 25-minute work, 5-minute short and 15-minute long breaks, long after every 4th, breaks not billable.
    void defaultCycleTickByTick()
    {
        ModelHarness h;
        enablePomodoro(*h.model);
        const Project a = h.addProject(u"A"_s);
        h.model->startTracking(a);
        QCOMPARE(h.model->pomodoroPhase(), PomodoroPhase::work);
        QCOMPARE(h.model->pomodoroPhaseDuration(), 1500.0);

        tickUntil(h, kStart + 1499);
        QCOMPARE(h.model->pomodoroPhase(), PomodoroPhase::work);
        QCOMPARE(h.model->pomodoroRemaining(), 1.0);
        h.advance(1); // 25 minutes in
        QCOMPARE(spans(h.model->entries()), (Spans { { 0, 1500 } }));
        QCOMPARE(h.model->activeSession(), std::nullopt);
        QCOMPARE(h.model->pomodoroPhase(), PomodoroPhase::shortBreak);
        QCOMPARE(h.notifier.phases.last(), std::pair(PomodoroPhase::shortBreak, true));
        QCOMPARE(h.overlay.showing, OverlayColor::green);

        tickUntil(h, kStart + 1800); // half an hour in: back to work on A
        QCOMPARE(h.model->activeSession()->projectID, a.id);
        QCOMPARE(h.model->activeSession()->startDate, kStart + 1800);
        QCOMPARE(h.model->pomodoroPhase(), PomodoroPhase::work);
        QCOMPARE(h.notifier.phases.last(), std::pair(PomodoroPhase::work, true));
        QCOMPARE(h.overlay.showing, std::nullopt);

        // Breaks after work phases 2, 3 short; after 4 long; 5, 6, 7 short; after 8 long.
        QList<PomodoroPhase> breaks;
        while (breaks.size() < 7) {
            while (h.model->pomodoroPhase() == PomodoroPhase::work)
                h.advance(1);
            breaks.append(*h.model->pomodoroPhase());
            while (h.model->pomodoroPhase() != PomodoroPhase::work)
                h.advance(1);
        }
        using P = PomodoroPhase;
        QCOMPARE(breaks,
            (QList<P> { P::shortBreak,
                P::shortBreak,
                P::longBreak,
                P::shortBreak,
                P::shortBreak,
                P::shortBreak,
                P::longBreak }));
        QCOMPARE(h.model->pomodoroCompletedWorkIntervals(), 8);
        QCOMPARE(h.model->entries().size(), 8);
    }

    void billableBreaksKeepOneSession()
    {
        ModelHarness h;
        enablePomodoro(*h.model, true);
        const Project a = h.addProject(u"A"_s);
        h.model->startTracking(a);
        tickUntil(h, kStart + 1500 + 300 + 600); // work, short break, 10 min of the next work phase
        QCOMPARE(h.model->pomodoroPhase(), PomodoroPhase::work);
        QCOMPARE(h.model->pomodoroCompletedWorkIntervals(), 1);
        QCOMPARE(h.model->activeSession()->startDate, kStart);
        QVERIFY(h.model->entries().isEmpty());
        h.model->stopTracking(false);
        QCOMPARE(spans(h.model->entries()), (Spans { { 0, 2400 } }));
        QCOMPARE(h.model->pomodoroPhase(), std::nullopt);
    }

    // Whether breaks are billed may change during a break. Its end follows the timer, not the
    // setting: a timer that ran through the break keeps running, a stopped one starts again, and
    // the next work phase's end follows the new setting. Stopped one minute into the second break.
    void billingChangedDuringABreak_data()
    {
        QTest::addColumn<bool>("billableAtWorkEnd");
        QTest::addColumn<bool>("billableAtBreakEnd");
        QTest::addColumn<Spans>("entries");
        QTest::newRow("billed, still billed") << true << true << Spans { { 0, 3360 } };
        QTest::newRow("billed, then not") << true << false << Spans { { 0, 3300 } };
        QTest::newRow("not billed, then billed") << false << true << Spans { { 0, 1500 }, { 1800, 3360 } };
        QTest::newRow("not billed, still not") << false << false << Spans { { 0, 1500 }, { 1800, 3300 } };
    }

    void billingChangedDuringABreak()
    {
        QFETCH(bool, billableAtWorkEnd);
        QFETCH(bool, billableAtBreakEnd);
        QFETCH(Spans, entries);
        ModelHarness h;
        enablePomodoro(*h.model, billableAtWorkEnd);
        const Project a = h.addProject(u"A"_s);
        h.model->startTracking(a);
        tickUntil(h, kStart + 1560); // 25 minutes of work, one minute of the break
        QCOMPARE(h.model->pomodoroPhase(), PomodoroPhase::shortBreak);
        AppSettings settings = h.model->settings();
        settings.pomodoroBreaksAreBillable = billableAtBreakEnd;
        h.model->setSettings(settings);

        tickUntil(h, kStart + 1800);
        QCOMPARE(h.model->pomodoroPhase(), PomodoroPhase::work);
        QVERIFY(h.model->activeSession().has_value());
        QCOMPARE(h.model->activeSession()->projectID, a.id);
        QCOMPARE(h.model->activeSession()->startDate, billableAtWorkEnd ? kStart : kStart + 1800);

        tickUntil(h, kStart + 3360);
        QCOMPARE(h.model->pomodoroPhase(), PomodoroPhase::shortBreak);
        QCOMPARE(h.model->activeSession().has_value(), billableAtBreakEnd);
        h.model->stopTimer();
        QCOMPARE(spans(h.model->entries()), entries);
        QCOMPARE(h.saved().entries, h.model->entries());
    }

    // The system clock is ahead of the model's last tick when a timer starts; nothing may read
    // "00:00:-1" until the next tick.
    void aNewTimerNeverShowsNegativeTime()
    {
        ModelHarness h;
        enablePomodoro(*h.model);
        const Project a = h.addProject(u"A"_s);
        h.clock.time += 0.6;
        h.model->startTracking(a);
        QCOMPARE(h.model->now(), h.model->activeSession()->startDate);
        h.model->skipPomodoroPhase();
        h.clock.time += 0.7;
        h.model->skipPomodoroPhase(); // the break ends early: a new timer
        QCOMPARE(h.model->now(), h.model->activeSession()->startDate);
        for (const Seconds seconds : { -0.6, -1.0, -3599.4, -86400.0 })
            QCOMPARE(formattedDuration(seconds), u"00:00:00"_s);
    }

    // The wall clock moved while a timer ran, an hour in; stopped ten minutes later. Set back, the
    // entry keeps the time that really passed and the user is told; moved forward, the wall clock
    // is believed (it was probably wrong before).
    void wallClockMovedDuringASession_data()
    {
        QTest::addColumn<Seconds>("jump");
        QTest::addColumn<Seconds>("recorded");
        QTest::addColumn<bool>("told");
        QTest::newRow("unchanged") << 0.0 << 4200.0 << false;
        QTest::newRow("set back 3 h") << -3 * 3600.0 << 4200.0 << true;
        QTest::newRow("set back 1 h") << -3600.0 << 4200.0 << true;
        QTest::newRow("set back 1 s") << -1.0 << 4199.0 << false;
        QTest::newRow("moved forward 2 h") << 7200.0 << 11400.0 << false;
    }

    void wallClockMovedDuringASession()
    {
        QFETCH(Seconds, jump);
        QFETCH(Seconds, recorded);
        QFETCH(bool, told);
        ModelHarness h;
        const Project a = h.addProject(u"A"_s);
        h.model->startTracking(a);
        h.advance(3600);
        h.clock.jumpWallClock(jump);
        h.model->tick();
        h.advance(600);
        h.model->stopTracking(false);
        QCOMPARE(h.model->activeSession(), std::nullopt);
        QCOMPARE(spans(h.model->entries()), (Spans { { 0, recorded } }));
        QCOMPARE(h.model->errorMessage().has_value(), told);
        QCOMPARE(h.saved().entries, h.model->entries());
    }

    // Stored by a clock that ran ahead (another system on the same machine): the timer counts
    // from the program's start, is saved that way, and stopping records what ran since.
    void restoredSessionFromTheFuture()
    {
        ModelHarness h;
        const Project a = h.addProject(u"A"_s);
        h.model->startTracking(a);
        h.clock.jumpWallClock(-3 * 3600);
        h.rebuild();
        QCoro::waitFor(h.model->load());
        const Instant launched = kStart - 3 * 3600;
        QCOMPARE(h.model->activeSession()->startDate, launched);
        QVERIFY(h.model->errorMessage().has_value());
        QCOMPARE(h.saved().activeSession->startDate, launched);
        h.model->clearError();
        h.advance(600);
        QCOMPARE(formattedDuration(h.model->now() - h.model->activeSession()->startDate), u"00:10:00"_s);
        h.model->stopTracking(false);
        QCOMPARE(spans(h.model->entries()), (Spans { { -3 * 3600, -3 * 3600 + 600 } }));
        QCOMPARE(h.model->errorMessage(), std::nullopt); // told once
    }

    // A stored session from before the restart is measured from its stored start, also when the
    // clock is set back afterwards.
    void restoredSessionSurvivesAClockSetBack()
    {
        ModelHarness h;
        const Project a = h.addProject(u"A"_s);
        h.model->startTracking(a);
        h.clock.time += 3600; // Tivren was not running for an hour
        h.rebuild();
        QCoro::waitFor(h.model->load());
        QCOMPARE(h.model->activeSession()->startDate, kStart);
        QCOMPARE(h.model->errorMessage(), std::nullopt);
        h.advance(600);
        h.clock.jumpWallClock(-2 * 3600);
        h.advance(1);
        h.model->stopTracking(false);
        QCOMPARE(spans(h.model->entries()), (Spans { { 0, 4201 } }));
        QVERIFY(h.model->errorMessage().has_value());
    }

    void skipping()
    {
        ModelHarness h;
        enablePomodoro(*h.model);
        const Project a = h.addProject(u"A"_s);
        h.broadcaster.post(); // no phase: nothing happens
        QCOMPARE(h.model->pomodoroPhase(), std::nullopt);
        QVERIFY(h.notifier.phases.isEmpty());

        h.model->startTracking(a);
        h.advance(60);
        h.broadcaster.post(); // the notification's Skip: ends the work phase as if it had expired
        QCOMPARE(h.model->pomodoroCompletedWorkIntervals(), 1);
        QCOMPARE(h.model->pomodoroPhase(), PomodoroPhase::shortBreak);
        QCOMPARE(h.notifier.phases.size(), 1);
        QCOMPARE(h.model->entries().size(), 1);
        h.advance(10);
        h.model->skipPomodoroPhase(); // a break skipped: work starts at once
        QCOMPARE(h.model->pomodoroPhase(), PomodoroPhase::work);
        QCOMPARE(h.model->activeSession()->startDate, h.clock.time);
        QCOMPARE(h.model->pomodoroCompletedWorkIntervals(), 1);

        // Pomodoro off: the cycle is cleared, the timer keeps running.
        h.model->updatePomodoroEnabled(false);
        QCOMPARE(h.model->pomodoroPhase(), std::nullopt);
        QVERIFY(h.model->activeSession().has_value());
        h.model->skipPomodoroPhase();
        QCOMPARE(h.notifier.phases.size(), 2);
    }

    void enablingPomodoroStartsWorkOnlyWhileTracking()
    {
        ModelHarness h;
        const Project a = h.addProject(u"A"_s);
        const int requests = h.notifier.authorizationRequests;
        h.model->updatePomodoroEnabled(true);
        QCOMPARE(h.notifier.authorizationRequests, requests + 1);
        QCOMPARE(h.model->pomodoroPhase(), std::nullopt);
        h.model->updatePomodoroEnabled(false);
        h.model->startTracking(a);
        h.advance(100);
        h.model->updatePomodoroEnabled(true);
        QCOMPARE(h.model->pomodoroPhase(), PomodoroPhase::work);
        QCOMPARE(h.model->pomodoroPhaseStart(), h.clock.time);
        QCOMPARE(h.model->pomodoroProjectID(), a.id);
        QVERIFY(h.saved().settings.pomodoroEnabled);
    }

    void missedTicksChangeOnePhaseAtATime()
    {
        ModelHarness h;
        enablePomodoro(*h.model);
        h.model->startTracking(h.addProject(u"A"_s));
        h.advance(3 * 3600); // the computer slept
        QCOMPARE(h.model->pomodoroPhase(), PomodoroPhase::shortBreak);
        QCOMPARE(h.model->pomodoroRemaining(), 300.0);
        h.clock.time += 3600; // no tick yet: remaining never goes below zero
        QSignalSpy nowChanged(h.model.get(), &AppModel::nowChanged);
        h.model->tick();
        QCOMPARE(nowChanged.count(), 1);
        QCOMPARE(h.model->pomodoroPhase(), PomodoroPhase::work);
        h.clock.time += 7200;
        QCOMPARE(h.model->pomodoroRemaining(), 1500.0); // now not refreshed yet
        h.model->tick();
        QCOMPARE(h.model->pomodoroPhase(), PomodoroPhase::shortBreak);
    }

    void startingAProjectDuringABreakTakesOverTheCycle()
    {
        ModelHarness h;
        enablePomodoro(*h.model);
        const Project a = h.addProject(u"A"_s);
        const Project b = h.addProject(u"B"_s);
        h.model->startTracking(a);
        h.model->skipPomodoroPhase();
        h.model->skipPomodoroPhase();
        h.model->skipPomodoroPhase(); // two work intervals done, in a break
        QCOMPARE(h.model->activeSession(), std::nullopt);
        h.model->startTracking(b);
        QCOMPARE(h.model->activeSession()->projectID, b.id);
        QCOMPARE(h.model->pomodoroPhase(), PomodoroPhase::work);
        QCOMPARE(h.model->pomodoroCompletedWorkIntervals(), 2);

        h.model->stopTimer();
        QCOMPARE(h.model->pomodoroPhase(), std::nullopt);
        QCOMPARE(h.model->pomodoroCompletedWorkIntervals(), 0);
    }

    // With a long break after every work phase, each break shows the long break's colour.
    void overlayFollowsItsSetting()
    {
        ModelHarness h;
        enablePomodoro(*h.model, false, 1);
        h.model->updatePomodoroOverlayEnabled(false);
        h.model->startTracking(h.addProject(u"A"_s));
        h.model->skipPomodoroPhase();
        QCOMPARE(h.model->pomodoroPhase(), PomodoroPhase::longBreak);
        QCOMPARE(h.overlay.showing, std::nullopt);
        h.model->updatePomodoroOverlayEnabled(true);
        h.model->skipPomodoroPhase();
        h.model->skipPomodoroPhase();
        QCOMPARE(h.model->pomodoroPhase(), PomodoroPhase::longBreak);
        QCOMPARE(h.overlay.showing, OverlayColor::blue);
        h.model->updatePomodoroOverlayEnabled(false);
        QCOMPARE(h.overlay.showing, std::nullopt);
    }

    void remindersAtEachInterval()
    {
        ModelHarness h;
        enableReminders(*h.model, 30);
        h.model->startTracking(h.addProject(u"A"_s));
        tickUntil(h, kStart + 1799);
        QVERIFY(h.notifier.reminders.isEmpty());
        h.advance(1);
        tickUntil(h, kStart + 3600);
        QCOMPARE(h.notifier.reminders.size(), 2);
        QCOMPARE(h.notifier.reminders[0].elapsed, 1800.0);
        QCOMPARE(h.notifier.reminders[1].elapsed, 3600.0);
        QVERIFY(h.notifier.reminders[1].sound);
        QCOMPARE(h.overlay.flashes, (QList<OverlayColor> { OverlayColor::orange, OverlayColor::orange }));

        // A new interval counts from the session start again: 5 minutes, 60 minutes in.
        h.advance(60);
        h.model->updateWorkReminderIntervalMinutes(5);
        h.advance(1);
        QCOMPARE(h.notifier.reminders.size(), 3);
        QCOMPARE(h.saved().settings.workReminderIntervalMinutes, 5);

        // Off: nothing, whatever the time.
        AppSettings off = h.model->settings();
        off.workReminderEnabled = false;
        h.model->setSettings(off);
        h.advance(4 * 3600);
        QCOMPARE(h.notifier.reminders.size(), 3);
    }

    void remindersWaitDuringBreaks()
    {
        ModelHarness h;
        enablePomodoro(*h.model, true);
        enableReminders(*h.model, 5, false);
        h.model->startTracking(h.addProject(u"A"_s));
        tickUntil(h, kStart + 1500); // reminders at 5, 10, 15, 20 and 25 minutes... then a break
        const qsizetype duringWork = h.notifier.reminders.size();
        QCOMPARE(h.model->pomodoroPhase(), PomodoroPhase::shortBreak);
        tickUntil(h, kStart + 1799);
        QCOMPARE(h.notifier.reminders.size(), duringWork);
        h.advance(1); // the first tick of the next work phase catches up, once
        QCOMPARE(h.notifier.reminders.size(), duringWork + 1);
        QVERIFY(!h.notifier.reminders.last().sound);
        h.advance(1);
        QCOMPARE(h.notifier.reminders.size(), duringWork + 1);
    }

    void storedTimerRemindsOnceAfterRestart()
    {
        ModelHarness h;
        const Project a = h.addProject(u"A"_s);
        enableReminders(*h.model, 30);
        enablePomodoro(*h.model);
        h.model->startTracking(a);
        h.model->persist();
        h.clock.time = kStart + 3 * 3600; // Tivren was not running for three hours
        h.rebuild();
        QCoro::waitFor(h.model->load());
        QCOMPARE(h.model->pomodoroPhase(), std::nullopt); // the cycle is never stored
        h.model->tick();
        h.model->tick();
        QCOMPARE(h.notifier.reminders.size(), 1);
        QCOMPARE(h.notifier.reminders[0].elapsed, 3 * 3600.0);
        tickUntil(h, kStart + 3 * 3600 + 1800);
        QCOMPARE(h.notifier.reminders.size(), 2);
    }

    // A hand-edited interval of 0 would otherwise remind on every tick.
    void storedIntervalIsClampedWhereUsed()
    {
        ModelHarness h;
        enableReminders(*h.model, 0);
        h.model->startTracking(h.addProject(u"A"_s));
        tickUntil(h, kStart + 299);
        QVERIFY(h.notifier.reminders.isEmpty());
        h.advance(1);
        QCOMPARE(h.notifier.reminders.size(), 1);
    }
};

QTEST_GUILESS_MAIN(tst_AppModelTracking)
#include "tst_AppModelTracking.moc"
