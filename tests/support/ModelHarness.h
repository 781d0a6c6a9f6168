#pragma once

#include "app/model/AppModel.h"
#include "app/services/PomodoroSkipBroadcaster.h"
#include "core/datafile/TivrenRepository.h"
#include "support/Fakes.h"

#include <QTemporaryDir>
#include <qcoro/qcorotask.h>

#include <memory>

namespace tivren::testing {

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
        model = std::make_unique<AppModel>(
            AppServices {
                repository, *googleService, apple, notifier, overlay, loginItems, fileChooser, broadcaster, clock },
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
};

} // namespace tivren::testing
