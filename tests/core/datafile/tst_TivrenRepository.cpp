// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/datafile/SnapshotCodec.h"
#include "core/datafile/TivrenRepository.h"
#include "support/DataFileTesting.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

using namespace Qt::StringLiterals;
using namespace tivren;
using namespace tivren::testing;
using Kind = RepositoryError::Kind;

namespace {

constexpr qint64 kHuge = (qint64(1) << 30) + 1;

AppSnapshot sample(int seed)
{
    AppSnapshot s;
    const Project p(QUuid::createUuid(), u"Client"_s, 90, 15, {}, u"red"_s, false, 1741944600);
    s.projects.append(p);
    for (int i = 0; i < 3; ++i)
        s.entries.append({ QUuid::createUuid(), p.id, 1741944600.0 + i * 3600, 1741946400.0 + i * 3600, u"n"_s });
    s.settings.workReminderIntervalMinutes = seed;
    return s;
}

int seedIn(const QString& path)
{
    const LoadResult read = TivrenRepository::readFile(path);
    return read ? read->settings.workReminderIntervalMinutes : -1;
}

void makeHuge(const QString& path) // sparse: takes no room on the disk
{
    QFile huge(path);
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(kHuge));
}

// Whether result failed with this kind and a description containing text; shows what it got otherwise.
template <typename R> bool failed(const R& result, Kind kind, const QString& text = {})
{
    if (result)
        return false;
    const bool as = result.error().kind == kind && result.error().description.contains(text);
    if (!as)
        qWarning() << int(result.error().kind) << result.error().description;
    return as;
}

} // namespace

class tst_TivrenRepository : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultLocationFollowsXdgDataHome()
    {
        const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME"); // set by scripts/isolated-run
        QVERIFY(!dataHome.isEmpty());
        QCOMPARE(TivrenRepository().fileURL(), dataHome + u"/Tivren/tivren-data.json"_s);
    }

    void missingFileLoadsEmptyAndSaveCreatesPrivateFolderAndFile()
    {
        DataFolder f;
        const QString path = f.at(u"a/b/Tivren/tivren-data.json"_s);
        TivrenRepository repository(path);
        QCOMPARE(*await(repository.load()), AppSnapshot {});
        QVERIFY(f.names().isEmpty()); // loading creates nothing
        const AppSnapshot snapshot = sample(1);
        QVERIFY(await(repository.save(snapshot)));
        QCOMPARE(modeOf(path) & 07777, mode_t(0600));
        QCOMPARE(modeOf(f.at(u"a/b/Tivren"_s)) & 07777, mode_t(0700));
        QCOMPARE(*await(repository.load()), snapshot);
    }

    // Also: a file written by a newer Tivren, loaded, changed and saved by this one, keeps what only the newer knows.
    void existingModeAndSymlinkAreKept()
    {
        DataFolder f;
        const QString real = f.at(u"sync/tivren-data.json"_s), link = f.at(u"Tivren/tivren-data.json"_s);
        QVERIFY(QDir().mkpath(f.at(u"sync"_s)) && QDir().mkpath(f.at(u"Tivren"_s)));
        QVERIFY(QFile::copy(QFINDTESTDATA("../data/newer-version.json"), real));
        QVERIFY(QFile::setPermissions(real, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
        QVERIFY(QFile::link(real, link));
        TivrenRepository repository(link);
        LoadResult loaded = await(repository.load());
        QVERIFY(loaded);
        loaded->projects[0].name = u"Acme Two"_s;
        loaded->entries[0].notes = u"edited"_s;
        QVERIFY(await(repository.save(*loaded)));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(modeOf(real) & 07777, mode_t(0640));
        QCOMPARE(QDir(f.at(u"Tivren"_s)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList { u"tivren-data.json"_s });
        const QByteArray saved = readAll(real);
        QCOMPARE(*SnapshotCodec::decode(saved), *loaded);
        for (const char* kept : { "\"number\": 12345678901234567890,", "\"etag\": \"\\\"33\\\"\",", "\"colour\": 7" })
            QVERIFY2(saved.contains(kept), kept);
    }

    void onlyOrphanedTemporaryFilesAreRemovedOnLoad()
    {
        DataFolder f;
        writeRaw(f.path, *SnapshotCodec::encode(sample(3)));
        const QString orphan = f.at(u".tivren-data.json.tmp-Ab3dE9"_s);
        writeRaw(orphan, "{\"half\": ");
        // The user's own copies, whatever their suffix, and the old "<name>.XXXXXX" form, which looks just like them.
        const QStringList kept { u"tivren-data.json.backup"_s,
            u"tivren-data.json.Ab3dE9"_s,
            u"tivren-data.json.unreadable-20260101T000000Z"_s,
            u".tivren-data.json.tmp-Ab3dE9x"_s,
            u".other.json.tmp-Ab3dE9"_s };
        for (const QString& name : kept)
            writeRaw(f.at(name), "keep me");
        TivrenRepository repository(f.path);
        QVERIFY(await(repository.load()));
        QCOMPARE(f.names().size(), kept.size() + 1);
        QVERIFY(!QFileInfo::exists(orphan));
        writeRaw(orphan, "{"); // reading without owning the file (as tivrenctl does) never deletes anything
        QVERIFY(TivrenRepository::readFile(f.path));
        QVERIFY(QFileInfo::exists(orphan));
    }

    // The model saves an empty state after a failed load; the user must choose to start afresh first.
    void unreadableFileIsKeptAndLeftAloneUntilStartingAfresh()
    {
        DataFolder f;
        const QByteArray broken = "{\"projects\": [{\"name\": 42}]}";
        writeRaw(f.path, broken);
        TivrenRepository repository(f.path);
        repository.startAfresh(); // before any load: no effect
        for (int attempt = 0; attempt < 2; ++attempt) {
            const LoadResult loaded = await(repository.load());
            QVERIFY(failed(loaded, Kind::decode, u"projects[0].name"_s));
            QVERIFY(loaded.error().keptCopy && loaded.error().description.contains(*loaded.error().keptCopy));
        }
        const QStringList copies = f.names(u"tivren-data.json.unreadable-*"_s);
        QCOMPARE(copies.size(), 1); // loading twice keeps one copy
        const QString copy = f.at(copies.first());
        QCOMPARE(readAll(copy), broken);
        const SaveResult refused = await(repository.save(AppSnapshot {}));
        QVERIFY(failed(refused, Kind::notLoaded));
        QCOMPARE(refused.error().keptCopy, std::optional(copy));
        QCOMPARE(readAll(f.path), broken);

        repository.startAfresh();
        QVERIFY(await(repository.save(sample(1))));
        QCOMPARE(seedIn(f.path), 1);
        QCOMPARE(readAll(copy), broken);
    }

    // A snapshot handed in before the load has delivered cannot hold what the file holds.
    void savesBeforeTheLoadHasFinishedAreRefused()
    {
        DataFolder f;
        const QByteArray stored = *SnapshotCodec::encode(sample(7));
        writeRaw(f.path, stored);
        TivrenRepository repository(f.path);
        QVERIFY(failed(await(repository.save(AppSnapshot {})), Kind::notLoaded, u"not been loaded"_s));
        QFuture<LoadResult> loading = repository.load();
        QVERIFY(failed(await(repository.save(AppSnapshot {})), Kind::notLoaded));
        QVERIFY(await(loading));
        QCOMPARE(readAll(f.path), stored);
        QVERIFY(await(repository.save(sample(8))));
        QCOMPARE(seedIn(f.path), 8);
    }

    void onlyRegularFilesOfSaneSizeAreRead_data()
    {
        QTest::addColumn<QString>("reason");
        QTest::newRow("link to a pipe without a writer") << u"is a pipe"_s;
        QTest::newRow("link to /dev/zero") << u"is a device"_s;
        QTest::newRow("folder") << u"is a folder"_s;
        QTest::newRow("1 GiB and a byte") << u"larger than 1 GiB"_s;
    }

    // An endless stream would be read until the memory runs out; a huge file nearly so.
    void onlyRegularFilesOfSaneSizeAreRead()
    {
        QFETCH(QString, reason);
        DataFolder f;
        const QString pipe = f.at(u"pipe"_s);
        if (reason == u"is a pipe"_s)
            QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0 && QFile::link(pipe, f.path));
        else if (reason == u"is a device"_s)
            QVERIFY(QFile::link(u"/dev/zero"_s, f.path));
        else if (reason == u"is a folder"_s)
            QVERIFY(QDir().mkpath(f.path));
        else
            makeHuge(f.path);
        QVERIFY(failed(TivrenRepository::readFile(f.path), Kind::read, f.path));
        QVERIFY(failed(TivrenRepository::readFile(f.path), Kind::read, reason));
        // Never copied nor replaced, even to start afresh. (Not tried on /dev/zero: run as root, a regression
        // would replace the device itself.)
        if (reason == u"is a device"_s)
            return;
        TivrenRepository repository(f.path);
        QVERIFY(!await(repository.load()));
        repository.startAfresh(); // not allowed: there is no copy to fall back on
        QVERIFY(!await(repository.save(sample(1))));
        QVERIFY(!QFileInfo(f.path).isFile() || QFileInfo(f.path).size() == kHuge);
        QCOMPARE(f.names(u"tivren*"_s), QStringList { u"tivren-data.json"_s });
        // Renaming over the link's target would replace the pipe with a plain file.
        if (reason == u"is a pipe"_s) {
            QVERIFY(failed(TivrenRepository::writeFile(f.path, sample(1)), Kind::write, u"not a regular file"_s));
            QVERIFY(S_ISFIFO(modeOf(pipe)) && QFileInfo(f.path).isSymLink());
        }
    }

    void outsideChangesAreKeptBeforeASave_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("saveFirst"); // Tivren's own save is what it last knew of the file
        QTest::addColumn<bool>("kept");
        QTest::newRow("untouched") << u"none"_s << true << false;
        QTest::newRow("edited in place, same size") << u"edit"_s << false << true;
        QTest::newRow("edited after our save") << u"edit"_s << true << true;
        QTest::newRow("replaced by a sync tool") << u"replace"_s << false << true;
        QTest::newRow("created while absent") << u"create"_s << false << true;
        QTest::newRow("link target edited") << u"link"_s << false << true;
        QTest::newRow("deleted") << u"delete"_s << true << false;
    }

    void outsideChangesAreKeptBeforeASave()
    {
        QFETCH(QString, change);
        QFETCH(bool, saveFirst);
        QFETCH(bool, kept);
        DataFolder f;
        const QString real = change == u"link"_s ? f.at(u"synced.json"_s) : f.path;
        QVERIFY(real == f.path || QFile::link(real, f.path));
        QVERIFY(change == u"create"_s || TivrenRepository::writeFile(f.path, sample(1)));
        TivrenRepository repository(f.path);
        QVERIFY(await(repository.load()));
        QVERIFY(!saveFirst || await(repository.save(sample(2))));
        QThread::msleep(30); // past the file system's clock tick, as any real edit is
        QByteArray outside = readAll(real).replace("Client", "Klient"); // the same size, changed in place
        if (change == u"edit"_s || change == u"link"_s) {
            QFile file(real);
            QVERIFY(file.open(QIODevice::ReadWrite) && file.write(outside) == outside.size());
        } else if (change == u"replace"_s || change == u"create"_s) {
            outside = "{\"projects\": [{\"name\": \"From elsewhere\"}]}";
            writeRaw(f.at(u"new"_s), outside);
            QCOMPARE(::rename(QFile::encodeName(f.at(u"new"_s)).constData(), QFile::encodeName(f.path).constData()), 0);
        }
        QVERIFY(change != u"delete"_s || QFile::remove(f.path));
        const SaveResult saved = await(repository.save(sample(3)));
        QCOMPARE(seedIn(f.path), 3);
        QCOMPARE(QFileInfo(f.path).isSymLink(), change == u"link"_s);
        QCOMPARE(f.names(u"*.conflict-*"_s).size(), kept ? 1 : 0);
        QCOMPARE(saved->conflictCopy.has_value(), kept);
        if (kept) {
            const QString name = u"^%1/tivren-data\\.json\\.conflict-\\d{8}T\\d{6}Z$"_s.arg(f.dir.path());
            QVERIFY(QRegularExpression(name).match(*saved->conflictCopy).hasMatch());
            QCOMPARE(readAll(*saved->conflictCopy), outside);
            QCOMPARE(modeOf(*saved->conflictCopy) & 07777, mode_t(0600));
        }
        // Once saved over, the file is Tivren's own version again.
        QCOMPARE(await(repository.save(sample(4)))->conflictCopy, std::nullopt);
    }

    void conflictCopiesNeverReplaceEachOther()
    {
        DataFolder f;
        TivrenRepository repository(f.path);
        QVERIFY(await(repository.load()));
        // Whatever second the save falls in, a copy of that name is there already.
        const QDateTime now = QDateTime::currentDateTimeUtc();
        for (int second = 0; second < 5; ++second) {
            const QString name =
                u"tivren-data.json.conflict-"_s + now.addSecs(second).toString(u"yyyyMMdd'T'HHmmss'Z'"_s);
            writeRaw(f.at(name), "older copy");
            writeRaw(f.at(name + u"-2"_s), "older copy");
        }
        writeRaw(f.path, "{}");
        const SaveResult saved = await(repository.save(sample(1)));
        QVERIFY(saved && saved->conflictCopy && saved->conflictCopy->endsWith(u"Z-3"_s));
        QCOMPARE(readAll(*saved->conflictCopy), QByteArray("{}"));
        for (const QString& name : f.names(u"*.conflict-*"_s))
            QVERIFY(f.at(name) == *saved->conflictCopy || readAll(f.at(name)) == "older copy");
    }

    // The file stays as the other program left it when its version cannot be copied aside.
    void outsideVersionThatCannotBeKeptFailsTheSave()
    {
        DataFolder f;
        TivrenRepository repository(f.path);
        QVERIFY(await(repository.load()));
        makeHuge(f.path);
        for (int attempt = 0; attempt < 2; ++attempt) {
            QVERIFY(failed(await(repository.save(sample(1))), Kind::write, u"changed by another program"_s));
            QCOMPARE(QFileInfo(f.path).size(), kHuge);
        }
        QCOMPARE(f.names(), QStringList { u"tivren-data.json"_s });
    }

    void failuresLeaveFilesAlone()
    {
        DataFolder f;
        writeRaw(f.at(u"blocker"_s), "x"); // a plain file stands where the folder should be
        QVERIFY(failed(TivrenRepository::writeFile(f.at(u"blocker/tivren-data.json"_s), {}), Kind::createFolder));
        // A snapshot that cannot be encoded (the late entry's year is past 9999) replaces nothing.
        QVERIFY(TivrenRepository::writeFile(f.path, sample(4)));
        const QByteArray before = readAll(f.path);
        AppSnapshot unwritable = sample(5);
        unwritable.entries.append(TimeEntry { QUuid::createUuid(), QUuid::createUuid(), 0, 1e12, QString() });
        QVERIFY(failed(TivrenRepository::writeFile(f.path, unwritable), Kind::encode, u"entries.endDate"_s));
        QCOMPARE(readAll(f.path), before);
        QCOMPARE(f.names(u"tivren-data.json*"_s), QStringList { u"tivren-data.json"_s });
    }

    void queuedSavesEndWithTheLastSnapshot()
    {
        DataFolder f;
        QList<QFuture<SaveResult>> futures;
        {
            TivrenRepository repository(f.path);
            QVERIFY(await(repository.load()));
            for (int i = 1; i <= 40; ++i)
                futures.append(repository.save(sample(i)));
            // A load queued after saves sees what they wrote.
            QCOMPARE(await(repository.load())->settings.workReminderIntervalMinutes, 40);
            for (int i = 41; i <= 45; ++i)
                futures.append(repository.save(sample(i)));
        } // destruction finishes pending saves
        for (auto& future : futures)
            QVERIFY(future.isFinished() && future.result());
        QCOMPARE(seedIn(f.path), 45);
    }
};

QTEST_GUILESS_MAIN(tst_TivrenRepository)
#include "tst_TivrenRepository.moc"
