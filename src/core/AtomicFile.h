#pragma once

#include "core/Expected.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tivren {

struct FileError
{
    int code = 0; // errno of the failing call
    QString description;

    bool operator==(const FileError&) const = default;
};

// Replaces a file's content so that a reader or a crash sees the complete old or the complete
// new bytes, never a mix or an empty file. Beyond what QSaveFile does (see the notes in the .cpp):
// every write and the data sync are checked, the folder is synced after the rename, the file keeps
// its mode (a new one gets 0600) and a symbolic link keeps pointing at the same, rewritten target.
namespace AtomicFile {

[[nodiscard]] Expected<Done, FileError> write(const QString& path, const QByteArray& bytes);

// Temporary files that write() leaves beside `path` only when the process dies before the rename.
[[nodiscard]] QStringList orphanedTemporaryFiles(const QString& path);

} // namespace AtomicFile
} // namespace tivren
