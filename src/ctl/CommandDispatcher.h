// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTextStream>

// tivrenctl's command line: `tivrenctl report --from A --to B [--csv] [--data FILE]` (options also
// as --from=A), the verbs that drive the running Tivren, and --help.
namespace tivren::TivrenCtl {

namespace ExitCode {
constexpr int ok = 0;
constexpr int dataError = 1; // also: Tivren refused, or the output could not be written
constexpr int usage = 2;
} // namespace ExitCode

// Returns the process exit code (main turns a failed write of `out` into 1 as well). Errors are
// one line on `err`, with any value they quote escaped and shortened.
[[nodiscard]] int run(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace tivren::TivrenCtl
