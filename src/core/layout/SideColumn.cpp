// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/layout/SideColumn.h"

#include <algorithm>
#include <cmath>

namespace tivren::SideColumn {

int width(Content content, int base, int room)
{
    const int names = std::min(content.natural, int(std::floor(room * share)));
    return std::max({ base, content.figures, names });
}

} // namespace tivren::SideColumn
