// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/session/PanelState.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;

namespace {

constexpr Instant t0 = 1'800'000'000;

PanelState idle()
{
    return {};
}

PanelState tracking(const QString& project, Instant since = t0)
{
    return { true, project, since, QString(), 0, 0 };
}

PanelState inPhase(PanelState state, const QString& phase, Instant start, Seconds duration)
{
    state.phase = phase;
    state.phaseStart = start;
    state.phaseDuration = duration;
    return state;
}

} // namespace

class tst_PanelState : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void counters_data()
    {
        QTest::addColumn<PanelState>("state");
        QTest::addColumn<Instant>("now");
        QTest::addColumn<qint64>("elapsed");
        QTest::addColumn<qint64>("remaining");
        QTest::newRow("idle") << idle() << t0 << qint64(0) << qint64(0);
        QTest::newRow("elapsed rounds down") << tracking(u"Acme"_s, t0 - 59.9) << t0 << qint64(59) << qint64(0);
        QTest::newRow("clock a tick behind the start") << tracking(u"Acme"_s, t0 + 0.4) << t0 << qint64(0) << qint64(0);
        QTest::newRow("remaining rounds up")
            << inPhase(tracking(u"Acme"_s), u"work"_s, t0, 1500) << t0 + 0.5 << qint64(0) << qint64(1500);
        QTest::newRow("never more than the phase lasts")
            << inPhase(idle(), u"shortBreak"_s, t0 + 0.7, 300) << t0 << qint64(0) << qint64(300);
        QTest::newRow("overdue phase") << inPhase(idle(), u"longBreak"_s, t0 - 1000, 900) << t0 << qint64(0)
                                       << qint64(0);
    }

    void counters()
    {
        QFETCH(PanelState, state);
        QFETCH(Instant, now);
        QFETCH(qint64, elapsed);
        QFETCH(qint64, remaining);
        QCOMPARE(PanelProperties::elapsedSeconds(state, now), elapsed);
        QCOMPARE(PanelProperties::phaseRemainingSeconds(state, now), remaining);
        const QVariantMap all = PanelProperties::all(state, now);
        QCOMPARE(all.value(u"ElapsedSeconds"_s).toLongLong(), elapsed);
        QCOMPARE(all.value(u"PhaseRemainingSeconds"_s).toLongLong(), remaining);
    }

    // What a listener is told: the changed properties with both counters, or nothing at all.
    void announcements_data()
    {
        QTest::addColumn<PanelState>("before");
        QTest::addColumn<PanelState>("after");
        QTest::addColumn<QStringList>("names");
        const QStringList counters { u"ElapsedSeconds"_s, u"PhaseRemainingSeconds"_s };
        const PanelState acme = tracking(u"Acme"_s);
        QTest::newRow("nothing changed") << acme << acme << QStringList();
        QTest::newRow("time passing alone is not announced")
            << tracking(u"Acme"_s, t0 - 5) << tracking(u"Acme"_s, t0 - 5) << QStringList();
        QTest::newRow("start") << idle() << acme
                               << QStringList { u"Tracking"_s, u"ProjectName"_s, u"TrackingSince"_s } + counters;
        QTest::newRow("switch") << acme << tracking(u"Globex"_s, t0 + 60)
                                << QStringList { u"ProjectName"_s, u"TrackingSince"_s } + counters;
        QTest::newRow("rename") << acme << tracking(u"Acme Corp"_s) << QStringList { u"ProjectName"_s } + counters;
        QTest::newRow("break begins")
            << inPhase(acme, u"work"_s, t0, 1500) << inPhase(idle(), u"shortBreak"_s, t0 + 1500, 300)
            << QStringList { u"Tracking"_s, u"ProjectName"_s, u"TrackingSince"_s, u"Phase"_s, u"PhaseEndsAt"_s }
                + counters;
        QTest::newRow("phase restarted with the same name")
            << inPhase(acme, u"work"_s, t0, 1500) << inPhase(acme, u"work"_s, t0 + 10, 1500)
            << QStringList { u"PhaseEndsAt"_s } + counters;
        QTest::newRow("stop")
            << inPhase(acme, u"work"_s, t0, 1500) << idle()
            << QStringList { u"Tracking"_s, u"ProjectName"_s, u"TrackingSince"_s, u"Phase"_s, u"PhaseEndsAt"_s }
                + counters;
    }

    void announcements()
    {
        QFETCH(PanelState, before);
        QFETCH(PanelState, after);
        QFETCH(QStringList, names);
        const QVariantMap changed = PanelProperties::changed(before, after, t0 + 30);
        QStringList got = changed.keys();
        got.sort();
        names.sort();
        QCOMPARE(got, names);
        const QVariantMap now = PanelProperties::all(after, t0 + 30);
        for (auto it = changed.begin(); it != changed.end(); ++it)
            QCOMPARE(it.value(), now.value(it.key()));
    }
};

Q_DECLARE_METATYPE(tivren::PanelState)

QTEST_GUILESS_MAIN(tst_PanelState)
#include "tst_PanelState.moc"
