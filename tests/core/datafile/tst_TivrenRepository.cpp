#include "core/datafile/SnapshotCodec.h"
#include "core/datafile/TivrenRepository.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace tivren;

namespace {

AppSnapshot sampleSnapshot(int seed)
{
    AppSnapshot s;
    Project p(QUuid::createUuid(),
        u"Client %1"_s.arg(seed),
        90,
        15,
        BillingRoundingStrategy::roundUpPerEntry,
        u"red"_s,
        false,
        1741944600);
    s.projects.append(p);
    for (int i = 0; i < 3; ++i)
        s.entries.append(
            TimeEntry { QUuid::createUuid(), p.id, 1741944600.0 + i * 3600, 1741946400.0 + i * 3600, u"n%1"_s.arg(i) });
    s.settings.currencyCode = u"EUR"_s;
    s.settings.workReminderIntervalMinutes = seed;
    return s;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeRaw(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

mode_t modeOf(const QString& path)
{
    struct stat st
    {
    };
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

template <typename T> T await(QFuture<T> future)
{
    future.waitForFinished();
    return future.result();
}

} // namespace

class tst_TivrenRepository : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultLocationFollowsXdgDataHome()
    {
        const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
        QVERIFY(!dataHome.isEmpty()); // set by scripts/isolated-run
        QCOMPARE(TivrenRepository::defaultFileURL(), dataHome + u"/Tivren/tivren-data.json"_s);
        QCOMPARE(TivrenRepository().fileURL(), TivrenRepository::defaultFileURL());
    }

    void missingFileLoadsEmptyAndCreatesNothing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Tivren/tivren-data.json"_s);
        TivrenRepository repository(path);
        const LoadResult loaded = await(repository.load());
        QVERIFY(loaded);
        QCOMPARE(*loaded, AppSnapshot {});
        QVERIFY(!QFileInfo::exists(dir.filePath(u"Tivren"_s)));
    }

    void saveCreatesPrivateFolderAndFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"a/b/Tivren/tivren-data.json"_s);
        TivrenRepository repository(path);
        QVERIFY(await(repository.load()));
        const AppSnapshot snapshot = sampleSnapshot(1);
        QVERIFY(await(repository.save(snapshot)));
        QCOMPARE(modeOf(path), mode_t(0600));
        QCOMPARE(modeOf(dir.filePath(u"a/b/Tivren"_s)), mode_t(0700));
        const LoadResult loaded = await(repository.load());
        QVERIFY(loaded);
        QCOMPARE(*loaded, snapshot);
    }

    void existingModeAndSymlinkAreKept()
    {
        QTemporaryDir dir;
        const QString real = dir.filePath(u"sync/tivren-data.json"_s);
        const QString link = dir.filePath(u"Tivren/tivren-data.json"_s);
        QVERIFY(QDir().mkpath(dir.filePath(u"sync"_s)));
        QVERIFY(QDir().mkpath(dir.filePath(u"Tivren"_s)));
        writeRaw(real, "{}");
        QVERIFY(QFile::setPermissions(real, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
        QVERIFY(QFile::link(real, link));

        TivrenRepository repository(link);
        QVERIFY(await(repository.load()));
        const AppSnapshot snapshot = sampleSnapshot(2);
        QVERIFY(await(repository.save(snapshot)));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(modeOf(real), mode_t(0640));
        QCOMPARE(*SnapshotCodec::decode(readAll(real)), snapshot);
        QCOMPARE(QDir(dir.filePath(u"Tivren"_s)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
            QStringList { u"tivren-data.json"_s });
    }

    void onlyOrphanedTemporaryFilesAreRemovedOnLoad()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"tivren-data.json"_s);
        writeRaw(path, *SnapshotCodec::encode(sampleSnapshot(3)));
        const QString orphan = dir.filePath(u".tivren-data.json.tmp-Ab3dE9"_s);
        writeRaw(orphan, "{\"half\": ");
        // The user's own copies, whatever their suffix, and the old "<name>.XXXXXX" form, which
        // looks just like them.
        const QStringList kept { u"tivren-data.json.backup"_s,
            u"tivren-data.json.before"_s,
            u"tivren-data.json.copy01"_s,
            u"tivren-data.json.Ab3dE9"_s,
            u"tivren-data.json.bak"_s,
            u"tivren-data.json.unreadable-20260101T000000Z"_s,
            u".tivren-data.json.tmp-Ab3dE9x"_s,
            u".other.json.tmp-Ab3dE9"_s };
        for (const QString& name : kept)
            writeRaw(dir.filePath(name), "keep me");
        TivrenRepository repository(path);
        QVERIFY(await(repository.load()));
        for (const QString& name : kept)
            QVERIFY2(QFileInfo::exists(dir.filePath(name)), qPrintable(name));
        QVERIFY(!QFileInfo::exists(orphan));

        // Reading without owning the file (as tivrenctl does) never deletes anything.
        writeRaw(orphan, "{");
        QVERIFY(TivrenRepository::readFile(path));
        QVERIFY(QFileInfo::exists(orphan));
    }

    // The model saves an empty state after a failed load; the user must choose to start afresh first.
    void unreadableFileIsKeptAndLeftAloneUntilStartingAfresh()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"tivren-data.json"_s);
        const QByteArray broken = "{\"projects\": [{\"name\": 42}]}";
        writeRaw(path, broken);
        TivrenRepository repository(path);
        repository.startAfresh(); // before any load: no effect
        for (int attempt = 0; attempt < 2; ++attempt) {
            const LoadResult loaded = await(repository.load());
            QVERIFY(!loaded);
            QCOMPARE(loaded.error().kind, RepositoryError::Kind::decode);
            QVERIFY2(
                loaded.error().description.contains(u"projects[0].name"_s), qPrintable(loaded.error().description));
            QVERIFY(loaded.error().keptCopy);
            QVERIFY(loaded.error().description.contains(*loaded.error().keptCopy));
        }
        const QStringList copies = QDir(dir.path()).entryList({ u"tivren-data.json.unreadable-*"_s });
        QCOMPARE(copies.size(), 1); // loading twice keeps one copy
        const QString copy = dir.filePath(copies.first());
        QCOMPARE(readAll(copy), broken);

        const SaveResult refused = await(repository.save(AppSnapshot {}));
        QVERIFY(!refused);
        QCOMPARE(refused.error().kind, RepositoryError::Kind::notLoaded);
        QCOMPARE(refused.error().keptCopy, std::optional(copy));
        QCOMPARE(readAll(path), broken);

        repository.startAfresh();
        const AppSnapshot fresh = sampleSnapshot(1);
        QVERIFY(await(repository.save(fresh)));
        QCOMPARE(*TivrenRepository::readFile(path), fresh);
        QCOMPARE(readAll(copy), broken);
    }

    // A snapshot handed in before the load has delivered cannot hold what the file holds.
    void savesBeforeTheLoadHasFinishedAreRefused()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"tivren-data.json"_s);
        const QByteArray stored = *SnapshotCodec::encode(sampleSnapshot(7));
        writeRaw(path, stored);
        TivrenRepository repository(path);
        const SaveResult early = await(repository.save(AppSnapshot {}));
        QVERIFY(!early);
        QCOMPARE(early.error().kind, RepositoryError::Kind::notLoaded);
        QVERIFY2(early.error().description.contains(u"not been loaded"_s), qPrintable(early.error().description));

        QFuture<LoadResult> loading = repository.load();
        const SaveResult whileLoading = await(repository.save(AppSnapshot {}));
        QVERIFY(!whileLoading);
        QCOMPARE(whileLoading.error().kind, RepositoryError::Kind::notLoaded);
        QVERIFY(await(loading));
        QCOMPARE(readAll(path), stored);

        const AppSnapshot later = sampleSnapshot(8);
        QVERIFY(await(repository.save(later)));
        QCOMPARE(*TivrenRepository::readFile(path), later);
    }

    void onlyRegularFilesOfSaneSizeAreRead_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("pipe without a writer") << u"fifo"_s << u"is a pipe"_s;
        QTest::newRow("link to /dev/zero") << u"zero"_s << u"is a device"_s;
        QTest::newRow("folder") << u"folder"_s << u"is a folder"_s;
        QTest::newRow("1 GiB and a byte") << u"huge"_s << u"larger than 1 GiB"_s;
    }

    // An endless stream would be read until the memory runs out; a huge file nearly so.
    void onlyRegularFilesOfSaneSizeAreRead()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"tivren-data.json"_s);
        const QByteArray name = QFile::encodeName(path);
        if (kind == u"fifo"_s) {
            QCOMPARE(::mkfifo(name.constData(), 0600), 0);
        } else if (kind == u"zero"_s) {
            QVERIFY(QFile::link(u"/dev/zero"_s, path));
        } else if (kind == u"folder"_s) {
            QVERIFY(QDir().mkpath(path));
        } else {
            QFile huge(path); // sparse: takes no room on the disk
            QVERIFY(huge.open(QIODevice::WriteOnly));
            QVERIFY(huge.resize((qint64(1) << 30) + 1));
        }
        const LoadResult read = TivrenRepository::readFile(path);
        QVERIFY(!read);
        QCOMPARE(read.error().kind, RepositoryError::Kind::read);
        QVERIFY2(read.error().description.contains(path), qPrintable(read.error().description));
        QVERIFY2(read.error().description.contains(reason), qPrintable(read.error().description));

        // The repository neither copies such a thing nor ever replaces it, even to start afresh. (Not tried on the link
        // to /dev/zero: a regression here, run as root, would replace the device itself.)
        if (kind == u"zero"_s)
            return;
        TivrenRepository repository(path);
        QVERIFY(!await(repository.load()));
        repository.startAfresh(); // not allowed: there is no copy to fall back on
        QVERIFY(!await(repository.save(sampleSnapshot(1))));
        const QFileInfo after(path);
        QVERIFY(!after.isFile() || after.size() == (qint64(1) << 30) + 1);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
            QStringList { u"tivren-data.json"_s });
    }

    // Renaming over the link's target would replace a pipe or a device node with a plain file.
    void writingThroughALinkToSomethingElseThanAFileIsRefused()
    {
        QTemporaryDir dir;
        const QString fifo = dir.filePath(u"pipe"_s);
        const QString path = dir.filePath(u"tivren-data.json"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(QFile::link(fifo, path));
        const SaveResult saved = TivrenRepository::writeFile(path, sampleSnapshot(1));
        QVERIFY(!saved);
        QCOMPARE(saved.error().kind, RepositoryError::Kind::write);
        QVERIFY2(saved.error().description.contains(u"not a regular file"_s), qPrintable(saved.error().description));
        struct stat status
        {
        };
        QCOMPARE(::stat(QFile::encodeName(fifo).constData(), &status), 0);
        QVERIFY(S_ISFIFO(status.st_mode));
        QCOMPARE(
            QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System).size(),
            2);
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
        QTemporaryDir dir;
        const QString path = dir.filePath(u"tivren-data.json"_s);
        QString real = path;
        if (change == u"link"_s) {
            real = dir.filePath(u"synced.json"_s);
            QVERIFY(QFile::link(real, path));
        }
        if (change != u"create"_s)
            QVERIFY(TivrenRepository::writeFile(path, sampleSnapshot(1)));
        TivrenRepository repository(path);
        QVERIFY(await(repository.load()));
        if (saveFirst)
            QVERIFY(await(repository.save(sampleSnapshot(2))));
        QThread::msleep(30); // past the file system's clock tick, as any real edit is
        QByteArray outside = readAll(real);
        outside.replace("Client", "Klient"); // the same size
        if (change == u"edit"_s || change == u"link"_s) {
            QFile file(real);
            QVERIFY(file.open(QIODevice::ReadWrite)); // the same file, changed in place
            QCOMPARE(file.write(outside), outside.size());
        } else if (change == u"replace"_s || change == u"create"_s) {
            outside = "{\"projects\": [{\"name\": \"From elsewhere\"}]}";
            writeRaw(dir.filePath(u"incoming"_s), outside);
            QVERIFY(::rename(
                        QFile::encodeName(dir.filePath(u"incoming"_s)).constData(), QFile::encodeName(path).constData())
                == 0);
        } else if (change == u"delete"_s) {
            QVERIFY(QFile::remove(path));
        }

        const AppSnapshot mine = sampleSnapshot(3);
        const SaveResult saved = await(repository.save(mine));
        QVERIFY2(saved, qPrintable(saved ? QString() : saved.error().description));
        QCOMPARE(*TivrenRepository::readFile(path), mine);
        QCOMPARE(QFileInfo(path).isSymLink(), change == u"link"_s);
        const QStringList copies = QDir(dir.path()).entryList({ u"tivren-data.json.conflict-*"_s });
        QCOMPARE(copies.size(), kept ? 1 : 0);
        QCOMPARE(saved->conflictCopy.has_value(), kept);
        if (kept) {
            QCOMPARE(*saved->conflictCopy, dir.filePath(copies.first()));
            QVERIFY2(QRegularExpression(u"^tivren-data\\.json\\.conflict-\\d{8}T\\d{6}Z$"_s)
                         .match(copies.first())
                         .hasMatch(),
                qPrintable(copies.first()));
            QCOMPARE(readAll(*saved->conflictCopy), outside);
            QCOMPARE(modeOf(*saved->conflictCopy), mode_t(0600));
        }
        // Once saved over, the file is Tivren's own version again.
        const SaveResult again = await(repository.save(sampleSnapshot(4)));
        QVERIFY(again);
        QCOMPARE(again->conflictCopy, std::nullopt);
    }

    void conflictCopiesNeverReplaceEachOther()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"tivren-data.json"_s);
        TivrenRepository repository(path);
        QVERIFY(await(repository.load()));
        // Whatever second the save falls in, a copy of that name is there already.
        const QDateTime now = QDateTime::currentDateTimeUtc();
        for (int second = 0; second < 5; ++second) {
            const QString stamp = now.addSecs(second).toString(u"yyyyMMdd'T'HHmmss'Z'"_s);
            writeRaw(dir.filePath(u"tivren-data.json.conflict-"_s + stamp), "older copy");
            writeRaw(dir.filePath(u"tivren-data.json.conflict-"_s + stamp + u"-2"_s), "older copy");
        }
        writeRaw(path, "{}");
        const SaveResult saved = await(repository.save(sampleSnapshot(1)));
        QVERIFY(saved);
        QVERIFY2(saved->conflictCopy && saved->conflictCopy->endsWith(u"Z-3"_s),
            qPrintable(saved->conflictCopy.value_or(u"no copy"_s)));
        QCOMPARE(readAll(*saved->conflictCopy), QByteArray("{}"));
        for (const QString& name : QDir(dir.path()).entryList({ u"*.conflict-*"_s })) {
            if (dir.filePath(name) != *saved->conflictCopy)
                QCOMPARE(readAll(dir.filePath(name)), QByteArray("older copy"));
        }
    }

    // The file stays as the other program left it when its version cannot be copied aside.
    void outsideVersionThatCannotBeKeptFailsTheSave()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"tivren-data.json"_s);
        TivrenRepository repository(path);
        QVERIFY(await(repository.load()));
        QFile huge(path);
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize((qint64(1) << 30) + 1));
        huge.close();
        for (int attempt = 0; attempt < 2; ++attempt) {
            const SaveResult saved = await(repository.save(sampleSnapshot(1)));
            QVERIFY(!saved);
            QCOMPARE(saved.error().kind, RepositoryError::Kind::write);
            QVERIFY2(saved.error().description.contains(u"changed by another program"_s),
                qPrintable(saved.error().description));
            QCOMPARE(QFileInfo(path).size(), (qint64(1) << 30) + 1);
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { u"tivren-data.json"_s });
    }

    // A file written by a newer Tivren, loaded, changed and saved by this one, keeps what only
    // the newer version knows.
    void unknownKeysSurviveLoadAndSave()
    {
        QFile newer(QFINDTESTDATA("../data/newer-version.json"));
        QVERIFY(newer.open(QIODevice::ReadOnly));
        QTemporaryDir dir;
        const QString path = dir.filePath(u"tivren-data.json"_s);
        writeRaw(path, newer.readAll());
        TivrenRepository repository(path);
        LoadResult loaded = await(repository.load());
        QVERIFY2(loaded, qPrintable(loaded ? QString() : loaded.error().description));
        loaded->projects[0].name = u"Acme Two"_s;
        loaded->entries[0].notes = u"edited"_s;
        loaded->settings.currencyCode = u"CHF"_s;
        QVERIFY(await(repository.save(*loaded)));

        const QByteArray saved = readAll(path);
        for (const char* kept : { "\"invoices\": [",
                 "\"number\": 12345678901234567890,",
                 "\"etag\": \"\\\"33\\\"\",",
                 "\"colour\": 7",
                 "\"name\": \"Acme Two\"",
                 "\"currencyCode\": \"CHF\"" })
            QVERIFY2(saved.contains(kept), kept);
    }

    void failuresLeaveFilesAlone()
    {
        QTemporaryDir dir;
        // A folder that cannot be created: a plain file stands where it should be.
        writeRaw(dir.filePath(u"blocker"_s), "x");
        const SaveResult saved = TivrenRepository::writeFile(dir.filePath(u"blocker/tivren-data.json"_s), {});
        QVERIFY(!saved);
        QCOMPARE(saved.error().kind, RepositoryError::Kind::createFolder);

        // A snapshot that cannot be encoded (the late entry's year is past 9999) replaces nothing.
        const QString path = dir.filePath(u"tivren-data.json"_s);
        QVERIFY(TivrenRepository::writeFile(path, sampleSnapshot(4)));
        const QByteArray before = readAll(path);
        AppSnapshot unwritable = sampleSnapshot(5);
        unwritable.entries.append(TimeEntry { QUuid::createUuid(), QUuid::createUuid(), 0, 1e12, QString() });
        const SaveResult refused = TivrenRepository::writeFile(path, unwritable);
        QVERIFY(!refused);
        QCOMPARE(refused.error().kind, RepositoryError::Kind::encode);
        QVERIFY2(refused.error().description.contains(u"entries.endDate"_s), qPrintable(refused.error().description));
        QCOMPARE(readAll(path), before);
        QCOMPARE(
            QDir(dir.path()).entryList({ u"tivren-data.json*"_s }, QDir::Files), QStringList { u"tivren-data.json"_s });
    }

    void queuedSavesEndWithTheLastSnapshot()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"tivren-data.json"_s);
        TivrenRepository repository(path);
        QVERIFY(await(repository.load()));
        QList<QFuture<SaveResult>> futures;
        for (int i = 1; i <= 40; ++i)
            futures.append(repository.save(sampleSnapshot(i)));
        QVERIFY(repository.waitForPendingWork(10000));
        for (auto& future : futures) {
            QVERIFY(future.isFinished());
            QVERIFY(future.result());
        }
        QCOMPARE(TivrenRepository::readFile(path)->settings.workReminderIntervalMinutes, 40);

        // A load queued after saves sees what they wrote.
        (void)repository.save(sampleSnapshot(41));
        QCOMPARE(await(repository.load())->settings.workReminderIntervalMinutes, 41);
    }

    void destructionFinishesPendingSaves()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"tivren-data.json"_s);
        {
            TivrenRepository repository(path);
            QVERIFY(await(repository.load()));
            for (int i = 1; i <= 5; ++i)
                (void)repository.save(sampleSnapshot(i));
        }
        QCOMPARE(TivrenRepository::readFile(path)->settings.workReminderIntervalMinutes, 5);
    }
};

QTEST_GUILESS_MAIN(tst_TivrenRepository)
#include "tst_TivrenRepository.moc"
