// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A narrow column beside a main one (the overview's projects beside its entries): its width
// follows its content within a share of the room, and its figures are never cut.
namespace tivren::SideColumn {

struct Content
{
    int figures = 0; // what must always show: margins, marks, figures and a little of the name
    int natural = 0; // everything at full length, the names unelided
};

// The share of the room the column may take to show long names in full.
inline constexpr double share = 0.4;

// At least the base width and the figures; beyond the base, up to the share of the room for the
// names, which are elided past that.
[[nodiscard]] int width(Content content, int base, int room);

} // namespace tivren::SideColumn
