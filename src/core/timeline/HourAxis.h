// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tivren {

// Hours of a day as the clock on the wall shows them (14:30 is 14.5), from start to end, within
// 0 to 24: an entry's part of one day, or the axis the week's columns share.
struct HourSpan
{
    double start = 0;
    double end = 0;

    bool operator==(const HourSpan&) const = default;
};

using HourAxis = HourSpan;

} // namespace tivren
