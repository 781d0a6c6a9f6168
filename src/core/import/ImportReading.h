// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Expected.h"
#include "core/import/ImportReason.h"
#include "core/time/Instant.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace tivren {

// One span of work read from another tracker's export, before it is matched to Tivren's projects.
struct ImportedEntry
{
    int line = 0; // where it starts in the file (1-based; for JSON, the line of its opening bracket)
    QString projectName; // trimmed; empty when the export had none
    Instant start = 0;
    Instant end = 0;
    QString notes; // the description, then the tags as #tag, separated by spaces

    bool operator==(const ImportedEntry&) const = default;
};

// A record of the file that cannot become an entry, and why (one line for the user).
struct ImportRejection
{
    int line = 0;
    ImportReason reason;

    bool operator==(const ImportRejection&) const = default;
};

enum class ImportFormat
{
    togglCsv,
    clockifyCsv,
    timewarriorJson,
    watsonFrames,
};

// What a file holds, format recognised from its content.
struct ImportReading
{
    ImportFormat format = ImportFormat::togglCsv;
    QList<ImportedEntry> entries;
    QList<ImportRejection> rejected;
};

// No export of time entries is larger; a bigger file is refused before it is read whole.
inline constexpr qint64 largestImportFile = 64 * 1024 * 1024;

// The name of a format, for the preview ("Toggl Track CSV").
[[nodiscard]] QString importFormatName(ImportFormat format);

// Reads a Toggl Track or Clockify detailed CSV export, a `timew export` or Watson's frames file.
// Local times are read in the system's time zone. The error is one line: the file is none of them,
// or it cannot be read as a whole (a Clockify file whose day and month order stays ambiguous).
[[nodiscard]] Expected<ImportReading, ImportReason> readImport(const QByteArray& content);

} // namespace tivren
