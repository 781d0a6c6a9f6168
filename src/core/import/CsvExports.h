// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/import/CsvRecords.h"
#include "core/import/ImportReading.h"

#include <optional>

namespace tivren::ImportFormats {

// Notes as an import writes them: the description, then each tag as #tag, separated by spaces.
[[nodiscard]] QString notes(const QString& description, const QStringList& tags);

// The format a CSV header belongs to (Toggl Track or Clockify detailed export), if any.
[[nodiscard]] std::optional<ImportFormat> csvFormat(const CsvHeader& header);

// The records after the header, read as that format. The error: the file cannot be read as a
// whole (Clockify dates whose order stays ambiguous).
[[nodiscard]] Expected<ImportReading, ImportReason> readCsvExport(ImportFormat format, const QList<CsvRecord>& records);

} // namespace tivren::ImportFormats
