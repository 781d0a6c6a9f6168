// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/model/AppModel.h"
#include "app/services/PomodoroSkipBroadcaster.h"
#include "core/datafile/TivrenRepository.h"
#include "core/records/TimeEntry.h"
#include "support/Fakes.h"
#include "support/TimelineTesting.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <qcoro/qcorotask.h>

#include <functional>
#include <memory>

namespace tivren::testing {

// A billed project: 80 an hour, rounded up to 15 minutes.
inline Project testProject(const QString& name, bool archived = false)
{
    Project project = ratedProject(name, 80);
    project.isArchived = archived;
    return project;
}

inline TimeEntry testEntry(const QUuid& projectID, Instant start, Seconds length, const QString& notes = {})
{
    return { QUuid::createUuid(), projectID, start, start + length, notes };
}

inline TimeEntry testEntry(const Project& project, Instant start, Seconds length, const QString& notes = {})
{
    return testEntry(project.id, start, length, notes);
}

inline AppSnapshot snapshotOf(
    const QList<Project>& projects, const QList<TimeEntry>& entries = {}, const QString& currency = {})
{
    AppSnapshot snapshot;
    snapshot.projects = projects;
    snapshot.entries = entries;
    if (!currency.isEmpty())
        snapshot.settings.currencyCode = currency;
    return snapshot;
}

inline void changeSettings(AppModel& model, const std::function<void(AppSettings&)>& change)
{
    AppSettings settings = model.settings();
    change(settings);
    model.setSettings(settings);
}

// Switches the model's app language, as the Settings screen does, without saving.
inline void setLanguage(AppModel& model, AppLanguagePreference language)
{
    changeSettings(model, [language](AppSettings& s) {
        s.languagePreference = language;
    });
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

// A model on fakes and a repository in a fresh temporary folder; no clock timer. The model loads
// at once, as at start-up (an absent file: an empty state), so that its changes are saved, unless
// the test asks to load later. Time moves by setting clock.time and calling tick().
struct ModelHarness
{
    QTemporaryDir dir;
    QString dataFile = dir.filePath(QStringLiteral("Tivren/tivren-data.json"));
    TivrenRepository repository { dataFile };
    FakeClock clock;
    FakeNotifier notifier;
    FakeOverlay overlay;
    FakeLoginItems loginItems;
    FakeFileChooser fileChooser;
    FakeGoogleCalendarService google;
    FakeAppleCalendarService apple;
    PomodoroSkipBroadcaster broadcaster;
    FakeIdleMonitor idleMonitor;
    FakeSessionEvents sessionEvents;
    GoogleCalendarServicing* googleService = &google; // a test may bring the real service
    std::unique_ptr<AppModel> model;

    enum class Load
    {
        atOnce,
        later, // the test loads, or checks what happens before the load
    };

    explicit ModelHarness(AppModel::Options options = { false, false }, Load load = Load::atOnce)
    {
        rebuild(options, load);
    }

    void rebuild(AppModel::Options options = { false, false }, Load load = Load::atOnce)
    {
        model.reset();
        model = std::make_unique<AppModel>(AppServices { repository,
                                               *googleService,
                                               apple,
                                               notifier,
                                               overlay,
                                               loginItems,
                                               fileChooser,
                                               broadcaster,
                                               idleMonitor,
                                               sessionEvents,
                                               clock },
            options);
        // As at start-up: nothing is saved before a load has succeeded (here of an absent file).
        if (!options.loadOnInit && load == Load::atOnce)
            QCoro::waitFor(model->load());
    }

    // Puts a snapshot in the data file and loads it, as at start-up.
    void load(const AppSnapshot& snapshot)
    {
        if (!TivrenRepository::writeFile(dataFile, snapshot))
            qFatal("could not write the test data file");
        QCoro::waitFor(model->load());
    }

    // Moves the clock by seconds and delivers one tick.
    void advance(Seconds seconds)
    {
        clock.time += seconds;
        model->tick();
    }

    // What the data file holds once every queued save is written.
    AppSnapshot saved()
    {
        repository.waitForPendingWork();
        return TivrenRepository::readFile(dataFile).value();
    }

    Project addProject(const QString& name, std::optional<double> rate = 80, bool archived = false)
    {
        Project project(QUuid::createUuid(),
            name,
            rate,
            15,
            BillingRoundingStrategy::roundUpPerEntry,
            QStringLiteral("blue"),
            archived,
            clock.time);
        model->addProject(project);
        return project;
    }

    // A file where the data folder should be: every save fails until it is removed.
    QString blockDataFolder()
    {
        const QString folder = QFileInfo(dataFile).path();
        QDir(folder).removeRecursively();
        writeRaw(folder, "x");
        return folder;
    }

    QString errorText() const { return model->errorMessage().value_or(QString()); }
};

} // namespace tivren::testing
