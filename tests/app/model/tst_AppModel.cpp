#include "core/billing/BillingEngine.h"
#include "core/time/DurationFormat.h"
#include "support/ModelHarness.h"
#include "support/TestRecords.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

constexpr Instant kDay = 86400;
constexpr QChar nbsp(0x00A0);

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A file where the data folder should be: every save fails until it is removed.
QString blockDataFolder(ModelHarness& h)
{
    const QString folder = QFileInfo(h.dataFile).path();
    QDir(folder).removeRecursively();
    QFile blocker(folder);
    if (!blocker.open(QIODevice::WriteOnly))
        qFatal("could not block the data folder");
    return folder;
}

} // namespace

class tst_AppModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadDropsEntriesThatEndBeforeTheyStart()
    {
        ModelHarness h({ false, false }, ModelHarness::Load::later);
        const Project a = testProject(u"A"_s);
        const TimeEntry good = testEntry(a, 1000, 60);
        const TimeEntry empty = testEntry(a, 2000, 0);
        const TimeEntry backwards = testEntry(a, 3000, -60);
        AppSnapshot stored;
        stored.projects = { a };
        stored.entries = { good, empty, backwards };
        stored.activeSession = ActiveTimerSession { a.id, 500 };
        stored.settings.pomodoroEnabled = true;
        QVERIFY(TivrenRepository::writeFile(h.dataFile, stored));

        QSignalSpy finished(h.model.get(), &AppModel::didFinishLoadingChanged);
        QCoro::waitFor(h.model->load());
        QCOMPARE(finished.count(), 1);
        QVERIFY(h.model->didFinishLoading());
        QCOMPARE(h.model->entries(), QList<TimeEntry> { good });
        QCOMPARE(h.model->activeSession(), stored.activeSession);
        QCOMPARE(h.model->pomodoroPhase(), std::nullopt);
        h.model->persist();
        QCOMPARE(h.saved().entries, QList<TimeEntry> { good });
    }

    void failedLoadKeepsTheFileAndSaysWhere()
    {
        ModelHarness h;
        QVERIFY(QDir().mkpath(QFileInfo(h.dataFile).path()));
        QFile file(h.dataFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\"entries\": [{\"id\": 1}]}");
        file.close();
        QCoro::waitFor(h.model->load());
        QVERIFY(h.model->didFinishLoading());
        const QString message = h.model->errorMessage().value_or(QString());
        QVERIFY2(message.startsWith(u"Could not load saved data: "_s), qPrintable(message));
        QVERIFY2(message.contains(u"entries[0].id"_s) && message.contains(u"tivren-data.json.unreadable-"_s),
            qPrintable(message));
        QVERIFY(h.model->projects().isEmpty());
    }

    void withoutLoadOrClockNothingMoves()
    {
        ModelHarness h({ false, false }, ModelHarness::Load::later);
        const Instant start = h.model->now();
        h.clock.time += 100;
        QCoreApplication::processEvents();
        QCOMPARE(h.model->now(), start);
        QVERIFY(!h.model->didFinishLoading());

        // With both on, the load runs right after construction.
        QVERIFY(TivrenRepository::writeFile(h.dataFile, AppSnapshot { { testProject(u"A"_s) }, {}, {}, {}, {}, {} }));
        h.rebuild({ true, true });
        QTRY_VERIFY(h.model->didFinishLoading());
        QCOMPARE(h.model->projects().size(), 1);
    }

    void equalWritesStaySilent()
    {
        ModelHarness h;
        QSignalSpy section(h.model.get(), &AppModel::selectedSectionChanged);
        QSignalSpy error(h.model.get(), &AppModel::errorMessageChanged);
        QSignalSpy settings(h.model.get(), &AppModel::settingsChanged);
        QSignalSpy now(h.model.get(), &AppModel::nowChanged);
        h.model->setSelectedSection(MainSection::overview);
        h.model->clearError();
        h.model->setSettings(h.model->settings());
        h.model->tick(); // the clock did not move
        QCOMPARE(section.count() + error.count() + settings.count() + now.count(), 0);
        h.model->setSelectedSection(MainSection::projects);
        h.model->updateEntry(TimeEntry {}, 10, 10, {});
        h.model->updateEntry(TimeEntry {}, 10, 5, {});
        QCOMPARE(section.count(), 1);
        QCOMPARE(error.count(), 1); // the same message twice: one change
        QCOMPARE(*h.model->errorMessage(), u"The end time must be later than the start time."_s);
    }

    // A change that arrives before the file is read must never be saved over it.
    void nothingIsSavedBeforeTheLoad()
    {
        ModelHarness h({ false, false }, ModelHarness::Load::later);
        const Project a = testProject(u"A"_s);
        QVERIFY(
            TivrenRepository::writeFile(h.dataFile, AppSnapshot { { a }, { testEntry(a, 1000, 60) }, {}, {}, {}, {} }));
        const QByteArray before = readAll(h.dataFile);
        h.model->startTracking(a);
        h.model->addProject(testProject(u"B"_s));
        QVERIFY(h.model->finishPendingSaves(10000));
        QCOMPARE(readAll(h.dataFile), before);
        QVERIFY2(h.model->errorMessage().value_or(QString()).contains(u"still loading"_s),
            qPrintable(h.model->errorMessage().value_or(QString())));
        QCoro::waitFor(h.model->load());
        QCOMPARE(h.model->entries().size(), 1);
        h.model->startTracking(a);
        QCOMPARE(h.saved().activeSession->projectID, a.id);
    }

    // Until someone frees the disk, the change stays in memory and is tried again; the message comes once.
    void failedSaveIsTriedAgainUntilItLands()
    {
        ModelHarness h;
        const QString blocker = blockDataFolder(h);
        QSignalSpy errors(h.model.get(), &AppModel::errorMessageChanged);
        const Project a = h.addProject(u"A"_s);
        h.model->startTracking(a);
        QTRY_VERIFY(h.model->errorMessage().has_value());
        QVERIFY2(h.model->errorMessage()->startsWith(u"Could not save your changes: "_s),
            qPrintable(*h.model->errorMessage()));
        QCOMPARE(h.model->projects().size(), 1); // memory keeps the change
        const QString quitLine = h.model->saveBeforeQuit(5000).value_or(QString());
        QVERIFY2(quitLine.startsWith(u"Tivren could not save the running timer on A"_s), qPrintable(quitLine));
        QVERIFY2(quitLine.contains(u"project: 1"_s) && quitLine.contains(h.dataFile), qPrintable(quitLine));

        h.model->startTracking(a); // stops: an entry that is not on disk either
        h.model->startTracking(a);
        QVERIFY(QFile::remove(blocker));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(h.dataFile), 5000); // the retry, about a second later
        h.repository.waitForPendingWork();
        QCOMPARE(h.saved().projects, h.model->projects());
        QCOMPARE(h.saved().activeSession, h.model->activeSession());
        QCOMPARE(errors.count(), 1);
        QCOMPARE(h.model->saveBeforeQuit(5000), std::nullopt);
    }

    void quittingSavesWhatTheLastTryMissed()
    {
        ModelHarness h;
        const QString blocker = blockDataFolder(h);
        h.addProject(u"A"_s);
        QTRY_VERIFY(h.model->errorMessage().has_value());
        QVERIFY(QFile::remove(blocker)); // space freed, before the retry came round
        QCOMPARE(h.model->saveBeforeQuit(5000), std::nullopt);
        QCOMPARE(h.saved().projects.size(), 1);
    }

    void unreadableFileMakesTheModelReadOnly()
    {
        ModelHarness h({ false, false }, ModelHarness::Load::later);
        QVERIFY(QDir().mkpath(QFileInfo(h.dataFile).path()));
        const QByteArray unreadable = R"({"projects": [{"id": "11111111-2222-3333-4444-555555555555", "name": "A",
            "billingRoundingStrategy": "banker"}]})";
        QFile file(h.dataFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(unreadable);
        file.close();
        QCoro::waitFor(h.model->load());
        QVERIFY(h.model->readOnlyReason().has_value());
        h.model->clearError();
        h.addProject(u"B"_s);
        QCOMPARE(h.model->errorMessage(), h.model->readOnlyReason());
        QCOMPARE(h.model->saveBeforeQuit(5000), std::nullopt); // nothing was meant to be written
        QCOMPARE(readAll(h.dataFile), unreadable);

        QVERIFY(h.model->canStartAfresh());
        h.model->startAfresh();
        QCOMPARE(h.model->readOnlyReason(), std::nullopt);
        QCOMPARE(h.saved().projects, h.model->projects());
        const QStringList copies = QDir(QFileInfo(h.dataFile).path()).entryList({ u"*.unreadable-*"_s });
        QCOMPARE(copies.size(), 1);
        QCOMPARE(readAll(QFileInfo(h.dataFile).dir().filePath(copies.first())), unreadable);
    }

    void outsideChangeIsKeptAndSaidOnce()
    {
        ModelHarness h;
        h.addProject(u"A"_s);
        h.repository.waitForPendingWork();
        QTest::qWait(20); // a later modification time than Tivren's own write
        QVERIFY(
            TivrenRepository::writeFile(h.dataFile, AppSnapshot { { testProject(u"Edited"_s) }, {}, {}, {}, {}, {} }));
        h.model->clearError();
        h.addProject(u"B"_s);
        QTRY_VERIFY(h.model->errorMessage().has_value());
        const QString message = *h.model->errorMessage();
        QVERIFY2(message.startsWith(u"The data file was changed by another program; that version was kept as "_s)
                && message.contains(u"tivren-data.json.conflict-"_s),
            qPrintable(message));
        QCOMPARE(h.saved().projects, h.model->projects());
    }

    void everyChangeIsHandedOverBeforeQuitting()
    {
        ModelHarness h;
        const Project a = h.addProject(u"A"_s);
        h.model->startTracking(a);
        h.advance(90);
        h.model->stopTracking(false);
        h.model->updateCurrencyCode(u"CHF"_s);
        QVERIFY(h.model->finishPendingSaves(10000));
        const AppSnapshot saved = *TivrenRepository::readFile(h.dataFile);
        QCOMPARE(saved.entries, h.model->entries());
        QCOMPARE(saved.settings.currencyCode, u"CHF"_s);
    }

    void localizedFollowsTheLanguageSetting()
    {
        ModelHarness h;
        QCOMPARE(h.model->localized(u"Overview"_s), u"Overview"_s);
        setLanguage(*h.model, AppLanguagePreference::dutch);
        QCOMPARE(h.model->appLocale().language(), QLocale::Dutch);
        QCOMPARE(h.model->localized(u"Overview"_s), u"Overzicht"_s);
        QCOMPARE(h.model->localizedPlural(u"%n entries"_s, 1), u"1 registratie"_s);
    }

    void projectOperations()
    {
        ModelHarness h;
        const Project a = h.addProject(u"A"_s);
        const Project b = h.addProject(u"B"_s);
        h.model->updateProject(a, u"Acme"_s, 95.5, 0, BillingRoundingStrategy::roundProjectTotal, u"teal"_s);
        const Project updated = *h.model->project(a.id);
        QCOMPARE(updated.name, u"Acme"_s);
        QCOMPARE(updated.hourlyRate, 95.5);
        QCOMPARE(updated.billingIncrementMinutes, 1);
        QCOMPARE(updated.billingRoundingStrategy, BillingRoundingStrategy::roundProjectTotal);
        QCOMPARE(updated.createdAt, a.createdAt);

        // Archiving another project leaves the timer alone; archiving the tracked one records it.
        h.model->startTracking(b);
        h.advance(120);
        h.model->archiveProject(a);
        QVERIFY(h.model->activeSession().has_value());
        h.model->archiveProject(b);
        QCOMPARE(h.model->activeSession(), std::nullopt);
        QCOMPARE(h.model->entries().size(), 1);
        QVERIFY(h.model->activeProjects().isEmpty());
        QCOMPARE(h.model->archivedProjects().size(), 2);
        h.model->restoreProject(a);
        QCOMPARE(h.model->activeProjects().first().id, a.id);
        QCOMPARE(h.saved().projects, h.model->projects());

        // Unknown projects: nothing happens, nothing is saved.
        QSignalSpy projects(h.model.get(), &AppModel::projectsChanged);
        h.model->archiveProject(testProject(u"Ghost"_s));
        h.model->updateProject(testProject(u"Ghost"_s), u"X"_s, {}, 5, {}, u"red"_s);
        QCOMPARE(projects.count(), 0);
    }

    void entryOperations()
    {
        ModelHarness h;
        const Project a = h.addProject(u"A"_s);
        QSignalSpy entriesChanged(h.model.get(), &AppModel::entriesChanged);
        h.model->startTracking(a);
        h.advance(600);
        h.model->stopTracking(false);
        const TimeEntry entry = h.model->entries().first();
        h.model->googleCalendar().mergeEventLinks({ { QUuid::createUuid(), entry.id, u"primary"_s, u"e1"_s, 1 } });

        h.model->updateEntry(entry, entry.startDate, entry.startDate, u"x"_s);
        QCOMPARE(h.model->entries().first(), entry);
        h.model->clearError();
        h.model->updateEntry(entry, entry.startDate - 60, entry.endDate + 60, u"Design review"_s);
        QCOMPARE(h.model->entries().first().notes, u"Design review"_s);
        QCOMPARE(h.model->entries().first().projectID, a.id);
        QCOMPARE(h.model->errorMessage(), std::nullopt);

        h.model->deleteEntry(entry);
        QVERIFY(h.model->entries().isEmpty());
        QCOMPARE(h.model->googleCalendar().eventLinks().size(), 1); // links stay
        QVERIFY(h.saved().entries.isEmpty());
        QCOMPARE(entriesChanged.count(), 3); // recorded, edited, deleted
    }

    void settingsOperations()
    {
        ModelHarness h;
        h.model->updateWorkReminderIntervalMinutes(2);
        QCOMPARE(h.model->settings().workReminderIntervalMinutes, 5);
        h.model->updateWorkReminderIntervalMinutes(500);
        QCOMPARE(h.model->settings().workReminderIntervalMinutes, 120);
        h.model->updateCurrencyCode(u"eur"_s);
        QCOMPARE(h.saved().settings.currencyCode, u"eur"_s);

        QCoro::waitFor(h.model->setLaunchAtLogin(true));
        QVERIFY(h.loginItems.enabled);
        QCOMPARE(h.model->errorMessage(), std::nullopt);
        h.loginItems.failure = u"autostart folder is read-only"_s;
        QCoro::waitFor(h.model->setLaunchAtLogin(false));
        QCOMPARE(*h.model->errorMessage(), u"Could not update launch at login: autostart folder is read-only"_s);
    }

    void projectLists()
    {
        ModelHarness h;
        const Project gamma = h.addProject(u"gamma"_s);
        const Project beta = h.addProject(u"Beta"_s);
        const Project alpha = h.addProject(u"alpha"_s);
        const Project alpha2 = h.addProject(u"Alpha"_s);
        const Project old = h.addProject(u"Old"_s, 50, true);
        QList<QUuid> order;
        for (const Project& p : h.model->activeProjects())
            order.append(p.id);
        QCOMPARE(order, (QList<QUuid> { alpha.id, alpha2.id, beta.id, gamma.id }));
        QCOMPARE(h.model->archivedProjects(), QList<Project> { old });
        QCOMPARE(h.model->project(old.id), old);
        QCOMPARE(h.model->activeProject(), std::nullopt);
    }

    void recentlyUsedProjects()
    {
        ModelHarness h;
        const Instant today = h.clock.time;
        const Project a = testProject(u"A"_s), b = testProject(u"B"_s), c = testProject(u"C"_s),
                      d = testProject(u"D"_s);
        const Project archived = testProject(u"Archived"_s, true);
        AppSnapshot stored;
        stored.projects = { a, b, c, d, archived };
        stored.entries = { testEntry(c, today - 30 * kDay, 60),
            testEntry(a, today - 7 * kDay, 60),
            testEntry(archived, today - 10, 5),
            testEntry(b, today - kDay, 60),
            testEntry(a, today - 3600, 60) };
        QVERIFY(TivrenRepository::writeFile(h.dataFile, stored));
        QCoro::waitFor(h.model->load());

        auto names = [&](int limit) {
            QStringList list;
            for (const Project& p : h.model->recentlyUsedProjects(limit))
                list << p.name;
            return list;
        };
        QCOMPARE(names(3), (QStringList { u"A"_s, u"B"_s, u"C"_s }));
        QCOMPARE(names(0), QStringList {});
        QCOMPARE(names(10), (QStringList { u"A"_s, u"B"_s, u"C"_s }));
        h.model->startTracking(d);
        QCOMPARE(names(3), (QStringList { u"D"_s, u"A"_s, u"B"_s }));
        QCOMPARE(h.model->activeProject(), d);
    }

    void durations_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << 0.0 << u"00:00:00"_s;
        QTest::newRow("half a second rounds up") << 3599.5 << u"01:00:00"_s;
        QTest::newRow("just under half") << 59.49 << u"00:00:59"_s;
        QTest::newRow("12:34:56") << 45296.0 << u"12:34:56"_s;
        QTest::newRow("100 hours") << 360000.0 << u"100:00:00"_s;
    }

    void durations()
    {
        QFETCH(double, seconds);
        QFETCH(QString, expected);
        QCOMPARE(formattedDuration(seconds), expected);
    }

    void money_data()
    {
        QTest::addColumn<AppLanguagePreference>("language");
        QTest::addColumn<QString>("currency");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("decimal"); // 1234.5 with 2 fraction digits
        using L = AppLanguagePreference;
        QTest::newRow("en EUR") << L::english << u"EUR"_s << u"€1,234.50"_s << u"1,234.50"_s;
        QTest::newRow("nl EUR") << L::dutch << u"EUR"_s << u"€"_s + nbsp + u"1.234,50"_s << u"1.234,50"_s;
        QTest::newRow("de EUR") << L::german << u"EUR"_s << u"1.234,50"_s + nbsp + u"€"_s << u"1.234,50"_s;
        QTest::newRow("unknown code falls back") << L::english << u"euro"_s << u"1,234.50"_s << u"1,234.50"_s;
    }

    void money()
    {
        QFETCH(AppLanguagePreference, language);
        QFETCH(QString, currency);
        QFETCH(QString, amount);
        QFETCH(QString, decimal);
        ModelHarness h;
        setLanguage(*h.model, language);
        h.model->updateCurrencyCode(currency);
        QCOMPARE(h.model->currencyString(1234.5), amount);
        QCOMPARE(h.model->decimalString(1234.5, 2, 2), decimal);
    }

    void csvExport()
    {
        ModelHarness h;
        const Project a = h.addProject(u"Acme, \"Inc\""_s);
        h.model->startTracking(a);
        h.advance(4800);
        h.model->stopTracking(false);
        const InstantRange range { h.clock.time - kDay, h.clock.time };
        h.model->startTracking(a); // starts where the range ends: not in it
        h.advance(600);
        h.model->stopTracking(false);

        // Cancelled: no file, no message.
        QCoro::waitFor(h.model->exportCSV(range));
        QCOMPARE(h.fileChooser.proposedNames, QList<QString> { u"billing-Mar 1, 2026.csv"_s });
        QCOMPARE(h.model->errorMessage(), std::nullopt);

        const QString path = h.dir.filePath(u"invoice.csv"_s);
        h.fileChooser.answer = path;
        QCoro::waitFor(h.model->exportCSV(range));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        // 80 minutes billed as 90 (rounded up to 15) at 80 an hour.
        QCOMPARE(QString::fromUtf8(file.readAll()),
            u"Project,Start,End,Hours,Hourly Rate,Billable Amount,Notes\n"
            u"\"Acme, \"\"Inc\"\"\",\"2026-03-01T08:00:00Z\",\"2026-03-01T09:20:00Z\",1.50,80.00,120.00,\"\""_s);
        QCOMPARE(file.permissions() & QFileDevice::ReadOther, QFileDevice::ReadOther);

        h.fileChooser.answer = h.dir.filePath(u"missing/folder/invoice.csv"_s);
        QCoro::waitFor(h.model->exportCSV(range));
        QVERIFY2(h.model->errorMessage().value_or(QString()).startsWith(u"Could not export CSV: "_s),
            qPrintable(h.model->errorMessage().value_or(QString())));
    }
};

QTEST_GUILESS_MAIN(tst_AppModel)
#include "tst_AppModel.moc"
