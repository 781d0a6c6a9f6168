#include "core/datafile/Uuid.h"
#include "ctl/ControlCommand.h"
#include "platform/session/ControlService.h"
#include "support/ModelHarness.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <future>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

struct Run
{
    int code;
    QString out;
    QString err;
};

// tivrenctl blocks on its call, so it runs on another thread while this one serves the model, and on
// a connection of its own, as another process would (the service answers some calls later).
Run ctl(const QString& verb, const QStringList& args = {})
{
    auto result = std::async(std::launch::async, [verb, args] {
        Run run { 0, {}, {} };
        QTextStream out(&run.out), err(&run.err);
        const QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"tivrenctl"_s);
        run.code = TivrenCtl::control(verb, args, out, err, bus);
        out.flush();
        err.flush();
        return run;
    });
    while (result.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        QCoreApplication::processEvents();
    return result.get();
}

} // namespace

class tst_ControlService : public QObject
{
    Q_OBJECT

    std::unique_ptr<ModelHarness> h;
    std::unique_ptr<ControlService> service;
    int shows = 0;
    Project acme, acorn, beta;

private Q_SLOTS:
    // Runs before any test registers the service.
    void initTestCase()
    {
        QVERIFY(QDBusConnection::sessionBus().isConnected()); // the test runs on its own bus
        const Run run = ctl(u"status"_s);
        QCOMPARE(run.code, 1);
        QCOMPARE(run.err, u"tivrenctl: Tivren is not running\n"_s);
    }

    void init()
    {
        h = std::make_unique<ModelHarness>();
        acme = h->addProject(u"Acme"_s);
        acorn = h->addProject(u"Acorn"_s);
        beta = h->addProject(u"Beta"_s);
        shows = 0;
        service = std::make_unique<ControlService>(*h->model, [this] {
            ++shows;
        });
        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY(bus.registerService(QString::fromLatin1(ControlService::serviceName)));
        QVERIFY(bus.registerObject(
            QString::fromLatin1(ControlService::objectPath), service.get(), QDBusConnection::ExportScriptableSlots));
    }

    void cleanup()
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterObject(QString::fromLatin1(ControlService::objectPath));
        bus.unregisterService(QString::fromLatin1(ControlService::serviceName));
        service.reset();
        h.reset();
    }

    void projectNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("tracked"); // or the error's beginning
        QTest::newRow("exact, any case") << u"ACME"_s << 0 << u"Acme"_s;
        QTest::newRow("unambiguous start") << u"b"_s << 0 << u"Beta"_s;
        QTest::newRow("ambiguous start") << u"ac"_s << 1
                                         << u"tivrenctl: \"ac\" matches several projects: Acme, Acorn."_s;
        QTest::newRow("unknown") << u"Gamma"_s << 1 << u"tivrenctl: No active project is called \"Gamma\"."_s;
    }

    void projectNames()
    {
        QFETCH(QString, name);
        QFETCH(int, code);
        QFETCH(QString, tracked);
        const Run run = ctl(u"start"_s, { name });
        QCOMPARE(run.code, code);
        if (code == 0) {
            QCOMPARE(h->model->activeProject()->name, tracked);
        } else {
            QCOMPARE(run.err.trimmed(), tracked);
            QCOMPARE(h->model->activeSession(), std::nullopt);
        }
    }

    void drivingTheTimer()
    {
        QCOMPARE(ctl(u"start"_s, { UuidText::upper(beta.id) }).code, 0);
        QCOMPARE(h->model->activeProject(), beta);
        h->advance(75);
        QCOMPARE(ctl(u"start"_s, { u"beta"_s }).code, 0); // start keeps a running timer going
        QCOMPARE(h->model->activeProject(), beta);
        QCOMPARE(ctl(u"status"_s).out, u"Beta 00:01:15\n"_s);

        h->model->updatePomodoroEnabled(true);
        h->advance(60);
        const QJsonObject status = QJsonDocument::fromJson(ctl(u"status"_s, { u"--json"_s }).out.toUtf8()).object();
        QCOMPARE(status.value(u"project"_s).toString(), u"Beta"_s);
        QCOMPARE(status.value(u"elapsedSeconds"_s).toInt(), 135);
        QCOMPARE(status.value(u"pomodoroPhase"_s).toString(), u"work"_s);
        QCOMPARE(status.value(u"pomodoroRemainingSeconds"_s).toInt(), 1440);
        QCOMPARE(ctl(u"status"_s).out, u"Beta 00:02:15 · Work 24:00 left\n"_s);

        QCOMPARE(ctl(u"skip"_s).code, 0);
        QCOMPARE(h->model->pomodoroPhase(), PomodoroPhase::shortBreak);
        QCOMPARE(ctl(u"status"_s).out, u"Not tracking · Short break 05:00 left\n"_s);
        QCOMPARE(ctl(u"toggle"_s, { u"acme"_s }).code, 0);
        QCOMPARE(h->model->activeProject(), acme);
        QCOMPARE(ctl(u"toggle"_s, { u"acme"_s }).code, 0);
        QCOMPARE(h->model->activeSession(), std::nullopt);
        QCOMPARE(ctl(u"start"_s, { u"acorn"_s }).code, 0);
        QCOMPARE(ctl(u"stop"_s).code, 0);
        QCOMPARE(h->model->activeSession(), std::nullopt);
        QCOMPARE(h->model->pomodoroPhase(), std::nullopt);
        QCOMPARE(ctl(u"show"_s).code, 0);
        QCOMPARE(shows, 1);
    }

    // "Done" means on disk: the file is read the moment tivrenctl returns, without waiting for the model.
    void changesAreOnDiskWhenConfirmed()
    {
        QCOMPARE(ctl(u"start"_s, { u"acme"_s }).code, 0);
        QCOMPARE(TivrenRepository::readFile(h->dataFile)->activeSession->projectID, acme.id);
        h->advance(60);
        QCOMPARE(ctl(u"stop"_s).code, 0);
        const AppSnapshot onDisk = *TivrenRepository::readFile(h->dataFile);
        QCOMPARE(onDisk.activeSession, std::nullopt);
        QCOMPARE(onDisk.entries.size(), 1);

        // A change that could not be written is not confirmed.
        const QString folder = QFileInfo(h->dataFile).path();
        QVERIFY(QDir(folder).removeRecursively());
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const Run refused = ctl(u"start"_s, { u"beta"_s });
        QCOMPARE(refused.code, 1);
        QVERIFY2(refused.err.contains(u"could not be saved yet"_s), qPrintable(refused.err));
        QCOMPARE(refused.err.count(u'\n'), 1);
    }

    void refusedWhileLoading()
    {
        ModelHarness loading({ false, false }, ModelHarness::Load::later);
        ControlService early(*loading.model, [] {});
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterObject(QString::fromLatin1(ControlService::objectPath));
        QVERIFY(bus.registerObject(
            QString::fromLatin1(ControlService::objectPath), &early, QDBusConnection::ExportScriptableSlots));
        for (const QString& verb : { u"stop"_s, u"skip"_s }) {
            const Run run = ctl(verb);
            QCOMPARE(run.code, 1);
            QVERIFY2(run.err.contains(u"Tivren is still loading"_s), qPrintable(run.err));
        }
        QCOMPARE(ctl(u"status"_s).out, u"Not tracking\n"_s); // reading is fine
        QVERIFY(!QFileInfo::exists(loading.dataFile));
    }

    void usage()
    {
        QCOMPARE(ctl(u"start"_s).code, 2);
        QCOMPARE(ctl(u"stop"_s, { u"now"_s }).code, 2);
        QCOMPARE(ctl(u"status"_s, { u"--yaml"_s }).code, 2);
    }
};

QTEST_GUILESS_MAIN(tst_ControlService)
#include "tst_ControlService.moc"
