// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/billing/BillingEngine.h"
#include "core/time/DurationFormat.h"
#include "support/ModelHarness.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;

namespace {

constexpr Instant kDay = 86400;
constexpr AppModel::Options kNoLoad { false, false };

} // namespace

class tst_AppModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadDropsEntriesThatEndBeforeTheyStart()
    {
        ModelHarness h(kNoLoad, ModelHarness::Load::later);
        const Project a = testProject(u"A"_s);
        const TimeEntry good = testEntry(a, 1000, 60);
        QSignalSpy finished(h.model.get(), &AppModel::didFinishLoadingChanged);
        h.load(snapshotOf({ a }, { good, testEntry(a, 2000, 0), testEntry(a, 3000, -60) }));
        QCOMPARE(finished.count(), 1);
        QCOMPARE(h.model->entries(), QList<TimeEntry> { good });
        h.model->persist();
        QCOMPARE(h.saved().entries, QList<TimeEntry> { good });
    }

    // A change that arrives before the file is read must never be saved over it.
    void nothingIsSavedBeforeTheLoad()
    {
        ModelHarness h(kNoLoad, ModelHarness::Load::later);
        const Project a = testProject(u"A"_s);
        QVERIFY(TivrenRepository::writeFile(h.dataFile, snapshotOf({ a }, { testEntry(a, 1000, 60) })));
        const QByteArray before = readAll(h.dataFile);
        h.model->startTracking(a);
        h.model->addProject(testProject(u"B"_s));
        QVERIFY(h.model->finishPendingSaves(10000));
        QCOMPARE(readAll(h.dataFile), before);
        QVERIFY2(h.errorText().contains(u"still loading"_s), qPrintable(h.errorText()));
        QCoro::waitFor(h.model->load());
        QCOMPARE(h.model->entries().size(), 1);
        h.model->startTracking(a);
        QCOMPARE(h.saved().activeSession->projectID, a.id);
    }

    // Until someone frees the disk, the change stays in memory and is tried again; the message comes once.
    void failedSaveIsTriedAgainUntilItLands()
    {
        ModelHarness h;
        const QString blocker = h.blockDataFolder();
        QSignalSpy errors(h.model.get(), &AppModel::errorMessageChanged);
        const Project a = h.addProject(u"A"_s);
        h.model->startTracking(a);
        QTRY_VERIFY(h.model->errorMessage().has_value());
        QVERIFY2(h.errorText().startsWith(u"Could not save your changes: "_s), qPrintable(h.errorText()));
        QCOMPARE(h.model->projects().size(), 1); // memory keeps the change
        const QString quitLine = h.model->saveBeforeQuit(5000).value_or(QString());
        QVERIFY2(quitLine.startsWith(u"Tivren could not save the running timer on A"_s)
                && quitLine.contains(u"project: 1"_s) && quitLine.contains(h.dataFile),
            qPrintable(quitLine));
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
        const QString blocker = h.blockDataFolder();
        h.addProject(u"A"_s);
        QTRY_VERIFY(h.model->errorMessage().has_value());
        QVERIFY(QFile::remove(blocker)); // space freed, before the retry came round
        QCOMPARE(h.model->saveBeforeQuit(5000), std::nullopt);
        QCOMPARE(h.saved().projects.size(), 1);
    }

    void unreadableFileMakesTheModelReadOnly()
    {
        ModelHarness h(kNoLoad, ModelHarness::Load::later);
        const QByteArray unreadable = R"({"projects": [{"id": "11111111-2222-3333-4444-555555555555", "name": "A",
            "billingRoundingStrategy": "banker"}]})";
        writeRaw(h.dataFile, unreadable);
        QCoro::waitFor(h.model->load());
        QVERIFY(h.model->didFinishLoading() && h.model->projects().isEmpty());
        QVERIFY2(h.errorText().startsWith(u"Could not load saved data: "_s)
                && h.errorText().contains(u"projects[0].billingRoundingStrategy"_s)
                && h.errorText().contains(u"tivren-data.json.unreadable-"_s),
            qPrintable(h.errorText()));
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
        QVERIFY(TivrenRepository::writeFile(h.dataFile, snapshotOf({ testProject(u"Edited"_s) })));
        h.model->clearError();
        h.addProject(u"B"_s);
        QTRY_VERIFY(h.model->errorMessage().has_value());
        QVERIFY2(h.errorText().startsWith(u"The data file was changed by another program; that version was kept as "_s)
                && h.errorText().contains(u"tivren-data.json.conflict-"_s),
            qPrintable(h.errorText()));
        QCOMPARE(h.saved().projects, h.model->projects());
    }

    void projectOperations()
    {
        ModelHarness h;
        const Project a = h.addProject(u"A"_s);
        const Project b = h.addProject(u"B"_s);
        const Project gamma = h.addProject(u"gamma"_s), alpha = h.addProject(u"alpha"_s),
                      alpha2 = h.addProject(u"Alpha"_s);
        QCOMPARE(h.model->activeProjects(), (QList { a, alpha, alpha2, b, gamma })); // ignoring case, as added
        h.model->updateProject(a, u"Acme"_s, 95.5, 0, BillingRoundingStrategy::roundProjectTotal, u"teal"_s);
        const Project updated = *h.model->project(a.id);
        QCOMPARE(std::tuple(updated.name, updated.hourlyRate, updated.billingIncrementMinutes, updated.createdAt),
            std::tuple(u"Acme"_s, std::optional(95.5), 1, a.createdAt)); // at least a minute

        // Archiving another project leaves the timer alone; archiving the tracked one records it.
        h.model->startTracking(b);
        h.advance(120);
        h.model->archiveProject(a);
        QVERIFY(h.model->activeSession().has_value());
        h.model->archiveProject(b);
        QCOMPARE(h.model->activeSession(), std::nullopt);
        QCOMPARE(h.model->entries().size(), 1);
        QCOMPARE(h.model->archivedProjects().size(), 2);
        h.model->restoreProject(a);
        QCOMPARE(h.model->activeProjects().first().id, a.id);
        QCOMPARE(h.saved().projects, h.model->projects());

        QSignalSpy projects(h.model.get(), &AppModel::projectsChanged); // unknown projects: nothing happens
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
        QSignalSpy errors(h.model.get(), &AppModel::errorMessageChanged);
        h.model->updateEntry(entry, entry.startDate, entry.startDate, u"x"_s);
        h.model->updateEntry(entry, entry.startDate, entry.startDate - 5, u"x"_s);
        QCOMPARE(h.model->entries().first(), entry);
        QCOMPARE(errors.count(), 1); // the same message twice: one change
        QCOMPARE(h.errorText(), u"The end time must be later than the start time."_s);
        h.model->clearError();
        h.model->updateEntry(entry, entry.startDate - 60, entry.endDate + 60, u"Design review"_s);
        const TimeEntry edited { entry.id, a.id, entry.startDate - 60, entry.endDate + 60, u"Design review"_s };
        QCOMPARE(h.model->entries(), QList { edited });
        QVERIFY(h.model->finishPendingSaves(10000)); // handed over before quitting
        QCOMPARE(TivrenRepository::readFile(h.dataFile)->entries, QList { edited });
        QCOMPARE(h.model->errorMessage(), std::nullopt);

        h.model->deleteEntry(entry);
        QVERIFY(h.model->entries().isEmpty());
        QCOMPARE(h.model->googleCalendar().eventLinks().size(), 1); // links stay
        QVERIFY(h.saved().entries.isEmpty());
        QCOMPARE(entriesChanged.count(), 3); // recorded, edited, deleted
    }

    // Views run range queries through the index as soon as they hear of a change: after the load, a
    // stopped timer, edits that move entries, an edit that changes nothing and deletions it must find
    // what a scan finds.
    void entryIndexFollowsEveryChange()
    {
        ModelHarness h(kNoLoad, ModelHarness::Load::later);
        const Project a = testProject(u"A"_s);
        const TimeEntry early = testEntry(a, 1000, 60);
        const TimeEntry twin = testEntry(a, 1000, 120); // same start
        const TimeEntry late = testEntry(a, 5 * kDay, 600);
        TimeEntry copy = testEntry(a, 2 * kDay, 60); // a hand-edited file repeating an id
        copy.id = early.id;
        const InstantRange firstDay { 0, kDay };
        const InstantRange everything { -1e12, 1e12 };
        QList<QList<TimeEntry>> seen;
        connect(h.model.get(), &AppModel::entriesChanged, this, [&] {
            for (const InstantRange& range : { firstDay, everything }) {
                QCOMPARE(BillingEngine::filteredEntries(h.model->entries(), h.model->entryIndex(), range),
                    BillingEngine::filteredEntries(h.model->entries(), range));
            }
            seen.append(BillingEngine::filteredEntries(h.model->entries(), h.model->entryIndex(), firstDay));
        });
        h.load(snapshotOf({ a }, { late, early, copy, twin }));
        h.clock.time = 500;
        h.model->startTracking(a);
        h.advance(30);
        h.model->stopTracking(false); // starts before the others of the first day
        h.model->updateEntry(late, 1000, 1600, QString()); // a third with that start
        h.model->updateEntry(twin, twin.startDate, twin.endDate, twin.notes); // nothing changes
        h.model->deleteEntry(early); // and its copy
        h.model->updateEntry(twin, 3 * kDay, 3 * kDay + 60, QString());
        QCOMPARE(seen.size(), 5);
        const QList<qsizetype> sizes { 2, 3, 4, 3, 2 };
        for (qsizetype i = 0; i < seen.size(); ++i)
            QCOMPARE(seen[i].size(), sizes[i]);
        QCOMPARE(h.model->entries().size(), 3);
    }

    void settingsOperations()
    {
        ModelHarness h;
        h.model->updateWorkReminderIntervalMinutes(2);
        QCOMPARE(h.model->settings().workReminderIntervalMinutes, 5);
        h.model->updateWorkReminderIntervalMinutes(500);
        QCOMPARE(h.model->settings().workReminderIntervalMinutes, 120);
        QCoro::waitFor(h.model->setLaunchAtLogin(true));
        QVERIFY(h.loginItems.enabled);
        h.loginItems.failure = u"autostart folder is read-only"_s;
        QCoro::waitFor(h.model->setLaunchAtLogin(false));
        QCOMPARE(h.errorText(), u"Could not update launch at login: autostart folder is read-only"_s);
    }

    void recentlyUsedProjects()
    {
        ModelHarness h;
        const Instant today = h.clock.time;
        const Project a = testProject(u"A"_s), b = testProject(u"B"_s), c = testProject(u"C"_s),
                      d = testProject(u"D"_s), archived = testProject(u"Archived"_s, true);
        h.load(snapshotOf({ a, b, c, d, archived },
            { testEntry(c, today - 30 * kDay, 60),
                testEntry(a, today - 7 * kDay, 60),
                testEntry(archived, today - 10, 5),
                testEntry(b, today - kDay, 60),
                testEntry(a, today - 3600, 60),
                testEntry(d, today - 2 * kDay, 60), // equal starts: the earlier in the list comes first
                testEntry(c, today - 2 * kDay, 60) }));
        QCOMPARE(h.model->recentlyUsedProjects(3), (QList { a, b, d }));
        QCOMPARE(h.model->recentlyUsedProjects(0), QList<Project> {});
        QCOMPARE(h.model->recentlyUsedProjects(10), (QList { a, b, d, c }));
        h.model->startTracking(d);
        QCOMPARE(h.model->recentlyUsedProjects(3), (QList { d, a, b }));
        QCOMPARE(h.model->activeProject(), d);
    }

    void localizedNumbersAndTexts()
    {
        const std::pair<double, QString> durations[] = { { 0, u"00:00:00"_s },
            { 3599.5, u"01:00:00"_s },
            { 59.49, u"00:00:59"_s },
            { 45296, u"12:34:56"_s },
            { 360000, u"100:00:00"_s },
            { -3599.4, u"00:00:00"_s } };
        for (const auto& [seconds, expected] : durations)
            QCOMPARE(formattedDuration(seconds), expected);
        ModelHarness h;
        setLanguage(*h.model, AppLanguagePreference::dutch);
        QCOMPARE(h.model->localized(u"Overview"_s), u"Overzicht"_s);
        QCOMPARE(h.model->localizedPlural(u"%n entries"_s, 1), u"1 registratie"_s);
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

        QCoro::waitFor(h.model->exportCSV(range)); // cancelled: no file, no message
        QCOMPARE(h.fileChooser.proposedNames, QList<QString> { u"billing-Mar 1, 2026.csv"_s });
        QCOMPARE(h.model->errorMessage(), std::nullopt);

        const QString path = h.dir.filePath(u"invoice.csv"_s);
        h.fileChooser.answer = path;
        QCoro::waitFor(h.model->exportCSV(range));
        // 80 minutes billed as 90 (rounded up to 15) at 80 an hour.
        QCOMPARE(QString::fromUtf8(readAll(path)),
            u"Project,Start,End,Hours,Hourly Rate,Billable Amount,Notes\n"
            u"\"Acme, \"\"Inc\"\"\",\"2026-03-01T08:00:00Z\",\"2026-03-01T09:20:00Z\",1.50,80.00,120.00,\"\""_s);

        h.fileChooser.answer = h.dir.filePath(u"missing/folder/invoice.csv"_s);
        QCoro::waitFor(h.model->exportCSV(range));
        QVERIFY2(h.errorText().startsWith(u"Could not export CSV: "_s), qPrintable(h.errorText()));
    }
};

QTEST_GUILESS_MAIN(tst_AppModel)
#include "tst_AppModel.moc"
