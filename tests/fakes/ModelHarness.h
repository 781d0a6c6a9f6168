#pragma once

#include "Fakes.h"
#include "app/AppModel.h"
#include "app/PomodoroSkipBroadcaster.h"
#include "core/TivrenRepository.h"

#include <QTemporaryDir>
#include <qcoro/qcorotask.h>

#include <memory>

namespace tivren::testing {

// A model on fakes and a repository in a fresh temporary folder; no clock timer, and the model
// loads nothing until the test asks. The repository itself has loaded (as at start-up), so that
// the model's changes are saved. Time moves by setting clock.time and calling tick().
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
    std::unique_ptr<AppModel> model;

    explicit ModelHarness(AppModel::Options options = { false, false }) { rebuild(options); }

    void rebuild(AppModel::Options options = { false, false })
    {
        model.reset();
        repository.load().waitForFinished();
        model = std::make_unique<AppModel>(
            AppServices { repository, google, apple, notifier, overlay, loginItems, fileChooser, broadcaster, clock },
            options);
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
};

} // namespace tivren::testing
