#include "core/TivrenRepository.h"

#include "core/AtomicFile.h"
#include "core/SnapshotCodec.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

// Keeps a copy of a data file that failed to decode, unless an identical copy is already there
// (a user who starts Tivren twice without changing anything gets one copy, not two).
std::optional<QString> keepUnreadableCopy(const QString& path, const QByteArray& bytes)
{
    const QFileInfo info(path);
    const QDir folder = info.absoluteDir();
    const QString prefix = info.fileName() + u".unreadable-"_s;
    const QStringList copies = folder.entryList({ prefix + u'*' }, QDir::Files | QDir::Hidden);
    for (const QString& name : copies) {
        QFile copy(folder.filePath(name));
        if (copy.size() == bytes.size() && copy.open(QIODevice::ReadOnly) && copy.readAll() == bytes)
            return copy.fileName();
    }
    const QString stamp = QDateTime::currentDateTimeUtc().toString(u"yyyyMMdd'T'HHmmss'Z'"_s);
    const QString copyPath = folder.filePath(prefix + stamp);
    if (!AtomicFile::write(copyPath, bytes))
        return std::nullopt;
    return copyPath;
}

LoadResult freshSnapshot()
{
    return AppSnapshot {};
}

} // namespace

TivrenRepository::TivrenRepository(std::optional<QString> fileURL)
    : m_fileURL(fileURL.value_or(defaultFileURL()))
{
    m_queue.setMaxThreadCount(1);
    m_queue.setObjectName(u"TivrenRepository"_s);
}

TivrenRepository::~TivrenRepository()
{
    (void)waitForPendingWork();
}

QString TivrenRepository::defaultFileURL()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + u"/Tivren/tivren-data.json"_s;
}

QFuture<LoadResult> TivrenRepository::load()
{
    auto promise = std::make_shared<QPromise<LoadResult>>();
    QFuture<LoadResult> future = promise->future();
    promise->start();
    m_queue.start([this, promise] {
        const QString& path = m_fileURL;
        // Only a process that owns the file may clean up beside it; readFile() stays read-only.
        for (const QString& orphan : AtomicFile::orphanedTemporaryFiles(path))
            QFile::remove(orphan);
        LoadResult result = readFile(path);
        m_refuseSavesBecause.reset();
        if (!result) {
            // The next save would replace the file: keep a copy first, or refuse to save at all.
            QFile file(path);
            std::optional<QString> copy;
            if (file.open(QIODevice::ReadOnly))
                copy = keepUnreadableCopy(path, file.readAll());
            if (copy) {
                result = Unexpected(RepositoryError { result.error().kind,
                    result.error().description + u" (a copy of the file was kept as "_s + *copy + u')' });
            } else {
                m_refuseSavesBecause = u"The data file "_s + path
                    + u" could not be read, so it is left untouched. Fix or move it, then restart Tivren."_s;
            }
        }
        promise->addResult(std::move(result));
        promise->finish();
    });
    return future;
}

QFuture<SaveResult> TivrenRepository::save(AppSnapshot snapshot)
{
    auto promise = std::make_shared<QPromise<SaveResult>>();
    QFuture<SaveResult> future = promise->future();
    promise->start();
    std::lock_guard lock(m_mutex);
    m_pendingSnapshot = std::move(snapshot);
    m_pendingPromises.append(std::move(promise));
    if (!m_drainScheduled) {
        m_drainScheduled = true;
        m_queue.start([this] {
            drainSaves();
        });
    }
    return future;
}

void TivrenRepository::drainSaves()
{
    std::optional<AppSnapshot> snapshot;
    QList<std::shared_ptr<QPromise<SaveResult>>> promises;
    {
        std::lock_guard lock(m_mutex);
        snapshot.swap(m_pendingSnapshot);
        promises.swap(m_pendingPromises);
        m_drainScheduled = false;
    }
    if (!snapshot)
        return;
    const SaveResult result = m_refuseSavesBecause
        ? SaveResult(Unexpected(RepositoryError { RepositoryError::Kind::write, *m_refuseSavesBecause }))
        : writeFile(m_fileURL, *snapshot);
    for (const auto& promise : promises) {
        promise->addResult(result);
        promise->finish();
    }
}

bool TivrenRepository::waitForPendingWork(int msecs)
{
    return m_queue.waitForDone(msecs);
}

LoadResult TivrenRepository::readFile(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return freshSnapshot();
    if (!file.open(QIODevice::ReadOnly))
        return Unexpected(RepositoryError { RepositoryError::Kind::read, file.errorString() + u": "_s + path });
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Unexpected(RepositoryError { RepositoryError::Kind::read, file.errorString() + u": "_s + path });
    auto decoded = SnapshotCodec::decode(bytes);
    if (!decoded) {
        return Unexpected(RepositoryError {
            RepositoryError::Kind::decode, u"The data file could not be read: "_s + decoded.error().description() });
    }
    return std::move(decoded).value();
}

SaveResult TivrenRepository::writeFile(const QString& path, const AppSnapshot& snapshot)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        if (!QDir().mkpath(folder)) {
            return Unexpected(
                RepositoryError { RepositoryError::Kind::createFolder, u"Could not create the folder "_s + folder });
        }
        // The data folder holds nobody's business but the user's.
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    std::optional<EncodeError> encodeError;
    auto written = AtomicFile::write(path, [&](AtomicFile::Output& out) {
        auto encoded = SnapshotCodec::encode(snapshot, [&out](QByteArrayView chunk) {
            return out.write(chunk);
        });
        if (!encoded && !encoded.error().outputFailed)
            encodeError = encoded.error();
        return encoded.hasValue();
    });
    if (encodeError) {
        return Unexpected(RepositoryError {
            RepositoryError::Kind::encode, u"Could not encode the data: "_s + encodeError->description() });
    }
    if (!written)
        return Unexpected(RepositoryError { RepositoryError::Kind::write, written.error().description });
    return Done {};
}

} // namespace tivren
