// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tivren {

// One record of a CSV file and the line it starts on (1-based).
struct CsvRecord
{
    int line = 0;
    QStringList fields;
};

// The records of comma-separated text as spreadsheet programs and trackers write it: fields in
// double quotes may hold commas, quotes (doubled) and line breaks (CRLF read as LF); CRLF or LF; a UTF-8 byte order
// mark is dropped; blank lines are skipped. Nothing when a quoted field never ends.
[[nodiscard]] std::optional<QList<CsvRecord>> csvRecords(const QByteArray& content);

// A header row, looked up by column name (exact, after trimming).
class CsvHeader
{
public:
    explicit CsvHeader(const QStringList& names);
    // The column's index, or -1.
    [[nodiscard]] int column(const QString& name) const;
    [[nodiscard]] bool has(const QStringList& names) const;

private:
    QStringList m_names;
};

} // namespace tivren
