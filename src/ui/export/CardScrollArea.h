// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QScrollArea>

namespace tivren {

// Shows the cards without a scroll bar when they fit, and scrolls rather than push the sheet off
// a small screen when there are many.
class CardScrollArea final : public QScrollArea
{
    Q_OBJECT

public:
    using QScrollArea::QScrollArea;

    [[nodiscard]] QSize sizeHint() const override;
};

} // namespace tivren
