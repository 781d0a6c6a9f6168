#pragma once

// Short forms for tests of the app model: stored data, raw files, settings changes, recorded
// entries and the Pomodoro cycle.
#include "support/ModelHarness.h"

#include <QDir>
#include <QFile>

#include <functional>

namespace tivren::testing {

inline AppSnapshot snapshotOf(const QList<Project>& projects, const QList<TimeEntry>& entries = {})
{
    AppSnapshot snapshot;
    snapshot.projects = projects;
    snapshot.entries = entries;
    return snapshot;
}

inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeRaw(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("could not write a test file");
}

// A file where the data folder should be: every save fails until it is removed.
inline QString blockDataFolder(const ModelHarness& h)
{
    const QString folder = QFileInfo(h.dataFile).path();
    QDir(folder).removeRecursively();
    writeRaw(folder, "x");
    return folder;
}

inline QString errorText(const ModelHarness& h)
{
    return h.model->errorMessage().value_or(QString());
}

inline void changeSettings(ModelHarness& h, const std::function<void(AppSettings&)>& change)
{
    AppSettings settings = h.model->settings();
    change(settings);
    h.model->setSettings(settings);
}

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
    changeSettings(h, [breaksBillable](AppSettings& s) {
        s.pomodoroEnabled = true;
        s.pomodoroBreaksAreBillable = breaksBillable;
    });
    const Project a = h.addProject(QStringLiteral("A"));
    h.model->startTracking(a);
    return a;
}

inline void enableReminders(ModelHarness& h, int minutes, bool sound = true)
{
    changeSettings(h, [minutes, sound](AppSettings& s) {
        s.workReminderEnabled = true;
        s.workReminderIntervalMinutes = minutes;
        s.pomodoroSoundEnabled = sound;
    });
}

} // namespace tivren::testing
