// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>

namespace tivren {

// The colour shown for a project's colour name: red, orange, green, mint, teal, indigo and pink
// by exact name; anything else, "blue" included, is blue.
[[nodiscard]] QColor projectColor(const QString& colorName);

} // namespace tivren
