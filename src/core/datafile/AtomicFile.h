// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Expected.h"
#include "core/datafile/FileIdentity.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace tivren {

struct FileError
{
    int code = 0; // errno of the failing call
    QString description;

    bool operator==(const FileError&) const = default;
};

// Replaces a file's content so that a reader or a crash sees the complete old or the complete
// new bytes, never a mix or an empty file. Qt's QSaveFile is not used: on Qt 6.4 a full disk during
// its single buffered write still commits a zero-byte file, it ignores a failed data sync and it
// never syncs the folder. Here every write and the sync are checked, the folder is synced after the
// rename, the file keeps its mode (a new one gets 0600) and a symbolic link keeps pointing at the
// same, rewritten target.
namespace AtomicFile {

// Where a producer writes the new content, piece by piece. write() returns false once a write
// failed; the failure is what AtomicFile::write then reports.
class Output
{
public:
    explicit Output(int fd)
        : m_fd(fd)
    {
    }
    [[nodiscard]] bool write(QByteArrayView bytes);
    [[nodiscard]] int error() const { return m_error; }

private:
    int m_fd;
    int m_error = 0;
};

// Writes what produce() writes to out; when produce() returns false the old file stays and the
// result is an error (the caller knows its own reason).
using Producer = std::function<bool(Output& out)>;

// The mode of a file that does not exist yet: the data file is the user's alone; an exported file
// is meant to be shared.
constexpr int privateFileMode = 0600;
constexpr int sharedFileMode = 0644;

// On success, the identity of the file now in place (to notice later changes by others).
[[nodiscard]] Expected<FileIdentity, FileError> write(
    const QString& path, const Producer& produce, int newFileMode = privateFileMode);
[[nodiscard]] Expected<FileIdentity, FileError> write(
    const QString& path, const QByteArray& bytes, int newFileMode = privateFileMode);

// Temporary files that write() leaves beside `path` only when the process dies before the rename:
// ".<name>.tmp-XXXXXX". Files of any other name (the user's own copies, and the
// "<name>.XXXXXX" of older versions, which cannot be told from them) are never listed.
[[nodiscard]] QStringList orphanedTemporaryFiles(const QString& path);

} // namespace AtomicFile
} // namespace tivren
