// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/datafile/TivrenRepository.h"

#include "core/datafile/AtomicFile.h"
#include "core/datafile/FileIdentity.h"
#include "core/datafile/FreedMemory.h"
#include "core/datafile/SnapshotCodec.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

// Nothing larger is a data file: 50,000 entries take 16.5 MB.
constexpr qint64 maxFileSize = qint64(1) << 30;

struct FileContent
{
    QByteArray bytes;
    FileIdentity identity; // of the version these bytes were read from
};

QString utcStamp()
{
    return QDateTime::currentDateTimeUtc().toString(u"yyyyMMdd'T'HHmmss'Z'"_s);
}

RepositoryError readError(const QString& description)
{
    return { RepositoryError::Kind::read, description };
}

RepositoryError errnoReadError(int code, const QString& path)
{
    return readError(QString::fromLocal8Bit(std::strerror(code)) + u": "_s + path);
}

QString kindOfNonRegularFile(mode_t mode)
{
    if (S_ISDIR(mode))
        return u"a folder"_s;
    if (S_ISFIFO(mode))
        return u"a pipe"_s;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return u"a device"_s;
    return u"not a regular file"_s;
}

// Reads the whole file, or nothing (nullopt) when there is none. Only a regular file of sane size
// is read: a pipe or a device such as /dev/zero would never end and fill the memory.
Expected<std::optional<FileContent>, RepositoryError> readDataFile(const QString& path)
{
    // Non-blocking, so that opening a pipe with no writer returns at once instead of waiting.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT)
            return std::optional<FileContent>();
        return Unexpected(errnoReadError(errno, path));
    }
    const auto closeFd = qScopeGuard([fd] {
        ::close(fd);
    });
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0)
        return Unexpected(errnoReadError(errno, path));
    if (!S_ISREG(status.st_mode)) {
        return Unexpected(readError(
            path + u" is "_s + kindOfNonRegularFile(status.st_mode) + u", not a data file; it was not read"_s));
    }
    auto tooLarge = [&path] {
        return Unexpected(readError(path + u" is larger than 1 GiB, too large to be a data file; it was not read"_s));
    };
    if (status.st_size > maxFileSize)
        return tooLarge();
    FileContent content { QByteArray(qsizetype(status.st_size) + 1, Qt::Uninitialized), FileIdentity::of(status) };
    QByteArray& bytes = content.bytes;
    // One byte more than the size, to see the end; a file that grows meanwhile is read on, up to the limit.
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > maxFileSize)
                return tooLarge();
            bytes.resize(std::min(filled * 2, maxFileSize + 1));
        }
        const ssize_t got = ::read(fd, bytes.data() + filled, size_t(bytes.size() - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return Unexpected(errnoReadError(errno, path));
        if (got == 0)
            break;
        filled += got;
    }
    bytes.truncate(filled);
    return std::optional<FileContent>(std::move(content));
}

Expected<AppSnapshot, RepositoryError> decodeContent(const QByteArray& bytes)
{
    auto decoded = SnapshotCodec::decode(bytes);
    if (!decoded) {
        return Unexpected(RepositoryError {
            RepositoryError::Kind::decode, u"The data file could not be read: "_s + decoded.error().description() });
    }
    return std::move(decoded).value();
}

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
    const QString copyPath = folder.filePath(prefix + utcStamp());
    if (!AtomicFile::write(copyPath, bytes))
        return std::nullopt;
    return copyPath;
}

struct KeptVersion
{
    QString path;
    FileIdentity identity;
};

// Keeps the version another program wrote (tivren-data.json.conflict-<time>, then -2, -3 ...)
// before a save replaces it. Nothing to keep (nullopt) when the file has gone meanwhile.
Expected<std::optional<KeptVersion>, RepositoryError> keepOutsideVersion(const QString& path)
{
    auto cannotKeep = [](const QString& why) {
        return Unexpected(RepositoryError { RepositoryError::Kind::write,
            u"The data file was changed by another program, and that version could not be kept ("_s + why
                + u"), so nothing was saved."_s });
    };
    auto outside = readDataFile(path);
    if (!outside)
        return cannotKeep(outside.error().description);
    if (!outside->has_value())
        return std::optional<KeptVersion>();
    const QFileInfo info(path);
    const QString base = info.absoluteDir().filePath(info.fileName() + u".conflict-"_s + utcStamp());
    QString copyPath = base;
    for (int n = 2; QFileInfo(copyPath).exists() || QFileInfo(copyPath).isSymLink(); ++n)
        copyPath = base + u'-' + QString::number(n);
    if (auto written = AtomicFile::write(copyPath, (*outside)->bytes); !written)
        return cannotKeep(written.error().description);
    return std::optional(KeptVersion { copyPath, (*outside)->identity });
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
    setGate(Gate::notLoaded); // whatever is saved from now on must be built from what this load reads
    m_queue.start([this, promise] {
        promise->addResult(loadOnQueue());
        // Reading tens of thousands of entries leaves megabytes of freed parser memory behind.
        FreedMemory::giveBack();
        promise->finish();
    });
    return future;
}

LoadResult TivrenRepository::loadOnQueue()
{
    const QString& path = m_fileURL;
    // Only a process that owns the file may clean up beside it; readFile() stays read-only.
    for (const QString& orphan : AtomicFile::orphanedTemporaryFiles(path))
        QFile::remove(orphan);
    auto content = readDataFile(path);
    if (!content) {
        // Not even read: nothing could be copied aside, so the file must never be replaced.
        setGate(Gate::unreadable);
        return Unexpected(content.error());
    }
    if (!content->has_value()) {
        m_identity.reset();
        setGate(Gate::loaded);
        return AppSnapshot {};
    }
    // Also after a failed decode: starting afresh then replaces the version already copied aside.
    m_identity = (*content)->identity;
    const QByteArray& bytes = (*content)->bytes;
    LoadResult result = decodeContent(bytes);
    if (result) {
        setGate(Gate::loaded);
        return result;
    }
    // The next save would replace the file: keep a copy first, or refuse to save at all.
    const std::optional<QString> copy = keepUnreadableCopy(path, bytes);
    if (!copy) {
        setGate(Gate::unreadable);
        return result;
    }
    setGate(Gate::unreadableKept, copy);
    RepositoryError error = result.error();
    error.description += u" (a copy of the file was kept as "_s + *copy + u')';
    error.keptCopy = copy;
    return Unexpected(std::move(error));
}

void TivrenRepository::startAfresh()
{
    std::lock_guard lock(m_mutex);
    if (m_gate == Gate::unreadableKept)
        m_gate = Gate::loaded;
}

void TivrenRepository::setGate(Gate gate, std::optional<QString> keptCopy)
{
    std::lock_guard lock(m_mutex);
    m_gate = gate;
    m_keptCopy = std::move(keptCopy);
}

RepositoryError TivrenRepository::refusal() const
{
    switch (m_gate) {
    case Gate::notLoaded:
        return { RepositoryError::Kind::notLoaded,
            u"The data file "_s + m_fileURL + u" has not been loaded yet, so nothing is saved over it."_s };
    case Gate::unreadableKept:
        return { RepositoryError::Kind::notLoaded,
            u"The data file "_s + m_fileURL + u" could not be read, so it is left untouched until you start afresh."_s,
            m_keptCopy };
    case Gate::unreadable:
    case Gate::loaded:
        break;
    }
    return { RepositoryError::Kind::notLoaded,
        u"The data file "_s + m_fileURL
            + u" could not be read, so it is left untouched. Fix or move it, then restart Tivren."_s };
}

QFuture<SaveResult> TivrenRepository::save(AppSnapshot snapshot)
{
    auto promise = std::make_shared<QPromise<SaveResult>>();
    QFuture<SaveResult> future = promise->future();
    promise->start();
    std::lock_guard lock(m_mutex);
    if (m_gate != Gate::loaded) {
        promise->addResult(SaveResult(Unexpected(refusal())));
        promise->finish();
        return future;
    }
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
    const SaveResult result = saveOnQueue(*snapshot);
    for (const auto& promise : promises) {
        promise->addResult(result);
        promise->finish();
    }
}

SaveResult TivrenRepository::saveOnQueue(const AppSnapshot& snapshot)
{
    SaveReport report;
    // Another program may have written the file since Tivren last read or wrote it (a hand edit,
    // a sync tool): that version is kept before this save replaces it. A file deleted meanwhile
    // is simply written again.
    if (const auto onDisk = FileIdentity::ofPath(m_fileURL); onDisk && onDisk != m_identity) {
        auto kept = keepOutsideVersion(m_fileURL);
        if (!kept)
            return Unexpected(kept.error());
        if (kept->has_value()) {
            report.conflictCopy = (*kept)->path;
            m_identity = (*kept)->identity; // kept: should the write below fail, it is not kept twice
        }
    }
    auto written = writeSnapshot(m_fileURL, snapshot);
    if (!written)
        return Unexpected(written.error());
    m_identity = *written;
    return report;
}

bool TivrenRepository::waitForPendingWork(int msecs)
{
    return m_queue.waitForDone(msecs);
}

LoadResult TivrenRepository::readFile(const QString& path)
{
    auto content = readDataFile(path);
    if (!content)
        return Unexpected(content.error());
    if (!content->has_value())
        return AppSnapshot {};
    return decodeContent((*content)->bytes);
}

SaveResult TivrenRepository::writeFile(const QString& path, const AppSnapshot& snapshot)
{
    auto written = writeSnapshot(path, snapshot);
    if (!written)
        return Unexpected(written.error());
    return SaveReport {};
}

Expected<FileIdentity, RepositoryError> TivrenRepository::writeSnapshot(
    const QString& path, const AppSnapshot& snapshot)
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
    return *written;
}

} // namespace tivren
