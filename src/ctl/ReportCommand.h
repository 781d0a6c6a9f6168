#pragma once

#include <QStringList>
#include <QTextStream>

namespace tivren {

// tivrenctl's command line: `tivrenctl report --from A --to B [--csv] [--data FILE]` and --help.
// Reads the data file read-only. Returns the process exit code: 0 done, 1 the data file could not
// be read, 2 a usage error (main turns a failed write of `out` into 1 as well). Errors are one line
// on `err`, with any value they quote escaped and shortened.
namespace TivrenCtl {

[[nodiscard]] int run(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace TivrenCtl
} // namespace tivren
