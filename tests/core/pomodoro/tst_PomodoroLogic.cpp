#include "core/pomodoro/PomodoroLogic.h"

#include <QTest>

using namespace tivren;

class tst_PomodoroLogic : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nextBreak_data()
    {
        QTest::addColumn<int>("completed");
        QTest::addColumn<int>("interval");
        QTest::addColumn<PomodoroPhase>("expected");
        QTest::newRow("1 of 4") << 1 << 4 << PomodoroPhase::shortBreak;
        QTest::newRow("3 of 4") << 3 << 4 << PomodoroPhase::shortBreak;
        QTest::newRow("4 of 4") << 4 << 4 << PomodoroPhase::longBreak;
        QTest::newRow("5 of 4") << 5 << 4 << PomodoroPhase::shortBreak;
        QTest::newRow("8 of 4") << 8 << 4 << PomodoroPhase::longBreak;
        QTest::newRow("none completed") << 0 << 4 << PomodoroPhase::longBreak;
        QTest::newRow("interval 1") << 3 << 1 << PomodoroPhase::longBreak;
        QTest::newRow("interval 0 counts as 1") << 3 << 0 << PomodoroPhase::longBreak;
        QTest::newRow("negative interval counts as 1") << 5 << -2 << PomodoroPhase::longBreak;
    }

    void nextBreak()
    {
        QFETCH(int, completed);
        QFETCH(int, interval);
        QFETCH(PomodoroPhase, expected);
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
