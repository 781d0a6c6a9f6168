// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTextStream>

namespace tivren::TivrenCtl {

// What `tivrenctl report` was asked for, as typed.
struct ReportRequest
{
    QString from; // a local date YYYY-MM-DD or an ISO 8601 instant
    QString to;
    QString dataFile;
    bool csv = false;
};

// Prints the billing of the range, as a table or the invoice CSV, reading the data file
// read-only. Returns the exit code: 0 done, 1 the data file could not be read, 2 a bad bound.
[[nodiscard]] int report(const ReportRequest& request, QTextStream& out, QTextStream& err);

} // namespace tivren::TivrenCtl
