// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/style/ProjectColors.h"

#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace tivren {

QColor projectColor(const QString& colorName)
{
    // GNOME's palette, which reads well on light and dark themes.
    static constexpr std::array<std::pair<const char16_t*, QRgb>, 7> named { {
        { u"red", 0xe01b24 },
        { u"orange", 0xff7800 },
        { u"green", 0x33d17a },
        { u"mint", 0x5ad1b0 },
        { u"teal", 0x2190a4 },
        { u"indigo", 0x5e5ce6 },
        { u"pink", 0xe85fa4 },
    } };
    for (const auto& [name, rgb] : named) {
        if (colorName == QStringView(name))
            return QColor::fromRgb(rgb);
    }
    return QColor::fromRgb(0x3584e4);
}

} // namespace tivren
