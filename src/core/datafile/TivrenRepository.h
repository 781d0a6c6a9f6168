// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Expected.h"
#include "core/datafile/FileIdentity.h"
#include "core/records/AppSnapshot.h"

#include <QFuture>
#include <QList>
#include <QPromise>
#include <QString>
#include <QThreadPool>

#include <memory>
#include <mutex>
#include <optional>

namespace tivren {

struct RepositoryError
{
    enum class Kind
    {
        read,
        decode,
        createFolder,
        encode,
        write,
        notLoaded, // a save refused: the file was not (or not yet) loaded, so it could be lost
    };
    Kind kind;
    QString description;
    // A load that failed kept a copy of the unreadable file here; saves that were refused for it too.
    std::optional<QString> keptCopy {};

    bool operator==(const RepositoryError&) const = default;
};

using LoadResult = Expected<AppSnapshot, RepositoryError>;
struct SaveReport
{
    // Another program had changed the file since Tivren last read or wrote it: its version was
    // kept here before this save replaced it.
    std::optional<QString> conflictCopy;

    bool operator==(const SaveReport&) const = default;
};

using SaveResult = Expected<SaveReport, RepositoryError>;

// The only code that touches the data file. Operations run one at a time on the repository's own
// worker thread; callers get a future and are never blocked.
class TivrenRepository
{
public:
    explicit TivrenRepository(std::optional<QString> fileURL = std::nullopt);
    ~TivrenRepository(); // finishes every queued save first
    TivrenRepository(const TivrenRepository&) = delete;
    TivrenRepository& operator=(const TivrenRepository&) = delete;

    // $XDG_DATA_HOME/Tivren/tivren-data.json (the temporary folder when there is no data folder).
    [[nodiscard]] static QString defaultFileURL();
    [[nodiscard]] const QString& fileURL() const { return m_fileURL; }

    // Reads the file, or returns a fresh snapshot when there is none. Before reading, temporary
    // files left by a save that crashed are removed. A file that fails to load is copied aside
    // (tivren-data.json.unreadable-<time>, named in the error's keptCopy) before anything could
    // overwrite it. After a failed load every save is refused: with a copy kept, until
    // startAfresh(); without one, for good, so the only copy is never destroyed.
    [[nodiscard]] QFuture<LoadResult> load();

    // The user chose to begin with an empty state after a failed load that kept a copy: saves may
    // replace the unreadable file from now on. Does nothing in any other state.
    void startAfresh();

    // Queues the snapshot. When several saves wait, only the newest is written and every waiting
    // caller gets that write's result: the file always ends up holding the last snapshot handed in.
    // A file that another program changed since Tivren last read or wrote it is first copied to
    // tivren-data.json.conflict-<time> (SaveReport::conflictCopy); when that fails, so does the save.
    // Until a load() has succeeded (one called after the save is not enough: the snapshot cannot
    // have been built from what it reads), every save is refused with Kind::notLoaded.
    [[nodiscard]] QFuture<SaveResult> save(AppSnapshot snapshot);

    // Blocks until every queued operation has finished, at most msecs (-1: no limit); false when
    // time ran out. For quitting only, never on a hot path.
    bool waitForPendingWork(int msecs = -1);

    // The synchronous building blocks. readFile() never writes anything, so tools may use it on a
    // file that a running Tivren owns. It reads only a regular file (after following symbolic
    // links) of at most 1 GiB: a pipe or a device is refused before reading.
    [[nodiscard]] static LoadResult readFile(const QString& path);
    [[nodiscard]] static SaveResult writeFile(const QString& path, const AppSnapshot& snapshot);

private:
    // Whether a save may replace the file.
    enum class Gate
    {
        notLoaded, // no load has finished since the last one was asked for
        loaded,
        unreadableKept, // the last load failed and kept a copy: open again by startAfresh()
        unreadable, // the last load failed and could keep no copy
    };

    LoadResult loadOnQueue();
    void drainSaves();
    SaveResult saveOnQueue(const AppSnapshot& snapshot);
    [[nodiscard]] static Expected<FileIdentity, RepositoryError> writeSnapshot(
        const QString& path, const AppSnapshot& snapshot);
    void setGate(Gate gate, std::optional<QString> keptCopy = std::nullopt);
    [[nodiscard]] RepositoryError refusal() const; // for the current gate; under m_mutex

    QString m_fileURL;
    QThreadPool m_queue; // one thread: a serial queue

    std::mutex m_mutex;
    std::optional<AppSnapshot> m_pendingSnapshot;
    QList<std::shared_ptr<QPromise<SaveResult>>> m_pendingPromises;
    bool m_drainScheduled = false;
    // Checked when save() is called, so that a save asked for while a load runs is refused.
    Gate m_gate = Gate::notLoaded;
    std::optional<QString> m_keptCopy; // of the file the last load could not read

    // The version of the file Tivren last read or wrote (none: there was no file). Touched only
    // on the queue's thread.
    std::optional<FileIdentity> m_identity;
};

} // namespace tivren
