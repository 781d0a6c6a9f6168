// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/export/CardScrollArea.h"

#include <QScreen>
#include <QScrollBar>

#include <algorithm>

namespace tivren {

QSize CardScrollArea::sizeHint() const
{
    QSize hint = minimumSize();
    if (const QWidget* content = widget()) {
        const int frame = 2 * frameWidth();
        const int scrollBar = verticalScrollBar()->sizeHint().width();
        hint = hint.expandedTo(content->sizeHint() + QSize(frame + scrollBar, frame));
    }
    if (const QScreen* shown = screen())
        hint.setHeight(std::max(minimumHeight(), std::min(hint.height(), shown->availableGeometry().height() * 3 / 5)));
    return hint;
}

} // namespace tivren
