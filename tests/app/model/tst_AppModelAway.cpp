// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ModelHarness.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

constexpr Seconds minute = 60;

// Asking about time away (after 10 minutes), Pomodoro on, and tracking a fresh project "A".
Project trackAskingAboutAway(ModelHarness& h)
{
    changeSettings(*h.model, [](AppSettings& s) {
        s.awayQuestionEnabled = true;
        s.awayThresholdMinutes = 10;
        s.pomodoroEnabled = true;
    });
    const Project a = h.addProject(u"A"_s);
    h.model->startTracking(a);
    return a;
}

// Away from 5 to 20 minutes after the start, back at 20: the question is open.
AwayQuestion goAway(ModelHarness& h, Instant start)
{
    h.advance(20 * minute);
    h.idleMonitor.away(start + 5 * minute, start + 20 * minute);
    return AwayQuestion { start + 5 * minute, start + 20 * minute };
}

} // namespace

class tst_AppModelAway : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Watched only while a timer runs with the question wanted, with the threshold clamped.
    void watchesWhileATimerRuns()
    {
        ModelHarness h;
        const Project a = trackAskingAboutAway(h);
        QCOMPARE(h.idleMonitor.watching, 600.0);
        changeSettings(*h.model, [](AppSettings& s) {
            s.awayThresholdMinutes = 500;
        });
        QCOMPARE(h.idleMonitor.watching, 7200.0);
        changeSettings(*h.model, [](AppSettings& s) {
            s.awayThresholdMinutes = 1;
        });
        QCOMPARE(h.idleMonitor.watching, 300.0);
        h.model->stopTimer();
        QCOMPARE(h.idleMonitor.watching, std::nullopt);
        h.model->startTracking(a);
        QCOMPARE(h.idleMonitor.watching, 300.0);
        changeSettings(*h.model, [](AppSettings& s) {
            s.awayQuestionEnabled = false;
        });
        QCOMPARE(h.idleMonitor.watching, std::nullopt);
        // Idleness reported without a watch asks nothing.
        h.idleMonitor.away(h.clock.time - 60 * minute, h.clock.time);
        QCOMPARE(h.model->awayQuestion(), std::nullopt);
    }

    void aDesktopWithoutDetectorIsNotWatched()
    {
        ModelHarness h;
        h.idleMonitor.available = false;
        trackAskingAboutAway(h);
        QCOMPARE(h.idleMonitor.watching, std::nullopt);
        // The desktop's detector answers its probe after the timer started.
        h.idleMonitor.setAvailable(true);
        QCOMPARE(h.idleMonitor.watching, 600.0);
        h.idleMonitor.setAvailable(false);
        QCOMPARE(h.idleMonitor.watching, std::nullopt);
    }

    // Each answer, a minute after coming back: the entries, the session and the Pomodoro cycle, in
    // the model and on disk.
    void answers_data()
    {
        QTest::addColumn<AwayAnswer>("answer");
        QTest::addColumn<bool>("recorded"); // an entry from the start to when idleness began
        QTest::addColumn<double>("runningSince"); // minutes after the start; < 0: no timer runs
        QTest::addColumn<bool>("cycleRuns");
        QTest::newRow("keep") << AwayAnswer::keep << false << 0.0 << true;
        QTest::newRow("discard") << AwayAnswer::discard << true << 21.0 << false;
        QTest::newRow("stop") << AwayAnswer::stop << true << -1.0 << false;
    }

    void answers()
    {
        QFETCH(AwayAnswer, answer);
        QFETCH(bool, recorded);
        QFETCH(double, runningSince);
        QFETCH(bool, cycleRuns);
        ModelHarness h;
        const Instant start = h.clock.time;
        const Project a = trackAskingAboutAway(h);
        QSignalSpy asked(h.model.get(), &AppModel::awayQuestionChanged);
        const AwayQuestion question = goAway(h, start);
        QCOMPARE(asked.count(), 1);
        QCOMPARE(h.model->awayQuestion(), question);
        QCOMPARE(h.saved().awayQuestion, question); // on disk before any answer
        QCOMPARE(h.model->activeSession(), (ActiveTimerSession { a.id, start })); // nothing decided yet

        h.advance(minute);
        QVERIFY(h.model->answerAway(answer));
        QCOMPARE(h.model->awayQuestion(), std::nullopt);
        QList<std::pair<Instant, Instant>> expected;
        if (recorded)
            expected.append({ start, start + 5 * minute });
        QList<std::pair<Instant, Instant>> entries;
        for (const TimeEntry& entry : h.model->entries()) {
            QCOMPARE(entry.projectID, a.id);
            entries.append({ entry.startDate, entry.endDate });
        }
        QCOMPARE(entries, expected);
        const std::optional<ActiveTimerSession> session =
            runningSince < 0 ? std::nullopt : std::optional(ActiveTimerSession { a.id, start + runningSince * minute });
        QCOMPARE(h.model->activeSession(), session);
        QCOMPARE(h.model->pomodoroPhase().has_value(), cycleRuns);
        const AppSnapshot saved = h.saved();
        QCOMPARE(saved.awayQuestion, std::nullopt);
        QCOMPARE(saved.entries, h.model->entries());
        QCOMPARE(saved.activeSession, session);
        QVERIFY(!h.model->answerAway(answer)); // answered once
    }

    void aShortAbsenceAsksNothing()
    {
        ModelHarness h;
        const Instant start = h.clock.time;
        trackAskingAboutAway(h);
        changeSettings(*h.model, [](AppSettings& s) {
            s.awayThresholdMinutes = 30;
        });
        goAway(h, start); // 15 minutes
        QCOMPARE(h.model->awayQuestion(), std::nullopt);
        QVERIFY(!h.model->answerAway(AwayAnswer::stop));
        QCOMPARE(h.model->activeSession()->startDate, start);
    }

    // Quit (or killed) with the question open: the next start asks it again, about the same session.
    void theQuestionOutlivesARestart()
    {
        ModelHarness h;
        const Instant start = h.clock.time;
        const Project a = trackAskingAboutAway(h);
        const AwayQuestion question = goAway(h, start);
        h.repository.waitForPendingWork();
        h.rebuild();
        QCOMPARE(h.model->awayQuestion(), question);
        QCOMPARE(h.model->activeSession(), (ActiveTimerSession { a.id, start }));
        QVERIFY(h.model->answerAway(AwayAnswer::stop));
        QCOMPARE(h.model->entries().size(), 1);
        QCOMPARE(h.model->entries().first().endDate, question.since);
        QCOMPARE(h.model->activeSession(), std::nullopt);
    }

    // Stopped or switched elsewhere (the tray, tivrenctl) while the question was open: it goes.
    void aQuestionWhoseSessionEndedIsDropped_data()
    {
        QTest::addColumn<bool>("switchProject");
        QTest::newRow("stopped") << false;
        QTest::newRow("switched") << true;
    }

    void aQuestionWhoseSessionEndedIsDropped()
    {
        QFETCH(bool, switchProject);
        ModelHarness h;
        const Instant start = h.clock.time;
        trackAskingAboutAway(h);
        const Project b = h.addProject(u"B"_s);
        goAway(h, start);
        if (switchProject)
            h.model->startTracking(b);
        else
            h.model->stopTimer();
        QCOMPARE(h.model->awayQuestion(), std::nullopt);
        QCOMPARE(h.saved().awayQuestion, std::nullopt);
        const QList<TimeEntry> entries = h.model->entries();
        QVERIFY(!h.model->answerAway(AwayAnswer::stop));
        QCOMPARE(h.model->entries(), entries);
        QCOMPARE(h.model->activeSession().has_value(), switchProject);
    }

    // A file whose question is about another session than the one it holds (a hand edit, an older
    // Tivren that stopped the timer and kept the key): not asked.
    void aStaleQuestionInTheFileIsNotAsked()
    {
        ModelHarness h({ false, false }, ModelHarness::Load::later);
        const Project a = testProject(u"A"_s);
        AppSnapshot snapshot = snapshotOf({ a });
        snapshot.activeSession = ActiveTimerSession { a.id, h.clock.time };
        snapshot.awayQuestion = AwayQuestion { h.clock.time - 30 * minute, h.clock.time - 5 * minute };
        h.load(snapshot);
        QCOMPARE(h.model->awayQuestion(), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(tst_AppModelAway)
#include "tst_AppModelAway.moc"
