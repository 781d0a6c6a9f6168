// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pomodoro/PomodoroLogic.h"

#include <QTest>

using namespace tivren;

class tst_PomodoroLogic : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nextBreak()
    {
        using P = PomodoroPhase;
        // completed work intervals, long break interval (below 1 counts as 1), the break that follows
        const std::tuple<int, int, P> cases[] = { { 1, 4, P::shortBreak },
            { 3, 4, P::shortBreak },
            { 4, 4, P::longBreak },
            { 5, 4, P::shortBreak },
            { 8, 4, P::longBreak },
            { 0, 4, P::longBreak },
            { 3, 1, P::longBreak },
            { 3, 0, P::longBreak },
            { 5, -2, P::longBreak } };
        for (const auto& [completed, interval, expected] : cases)
            QCOMPARE(PomodoroLogic::nextBreakPhase(completed, interval), expected);
    }

    void durations()
    {
        AppSettings settings;
        QCOMPARE(PomodoroLogic::duration(PomodoroPhase::work, settings), 1500.0);
        QCOMPARE(PomodoroLogic::duration(PomodoroPhase::shortBreak, settings), 300.0);
        QCOMPARE(PomodoroLogic::duration(PomodoroPhase::longBreak, settings), 900.0);
        settings.pomodoroWorkMinutes = 0;
        settings.pomodoroShortBreakMinutes = -4;
        settings.pomodoroLongBreakMinutes = std::numeric_limits<int>::max();
        QCOMPARE(PomodoroLogic::duration(PomodoroPhase::work, settings), 60.0);
        QCOMPARE(PomodoroLogic::duration(PomodoroPhase::shortBreak, settings), 60.0);
        QCOMPARE(PomodoroLogic::duration(PomodoroPhase::longBreak, settings), std::numeric_limits<int>::max() * 60.0);
    }
};

QTEST_GUILESS_MAIN(tst_PomodoroLogic)
#include "tst_PomodoroLogic.moc"
