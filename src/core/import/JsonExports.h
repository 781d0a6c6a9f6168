// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/import/ImportReading.h"

#include <optional>

namespace tivren::ImportFormats {

// A `timew export` (a list of objects with "start") or Watson's frames file (a list of lists)
// read as entries; nothing when the content is neither.
[[nodiscard]] std::optional<ImportReading> readJsonExport(const QByteArray& content);

// The line (1-based) on which each element of the top-level JSON list begins.
[[nodiscard]] QList<int> topLevelElementLines(const QByteArray& content);

} // namespace tivren::ImportFormats
