// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/timeline/week/WeekHeaderRow.h"

#include "core/timeline/WeekGeometry.h"
#include "ui/timeline/week/WeekDayColumnHeader.h"

#include <QEvent>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tivren {

WeekHeaderRow::WeekHeaderRow(QWidget* parent)
    : QWidget(parent)
    , m_gutter(WeekFrame {}.gutter)
{
    setObjectName(u"columnHeadersRow"_s);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    for (auto& header : m_headers)
        header = new WeekDayColumnHeader(this);
}

QSize WeekHeaderRow::sizeHint() const
{
    int width = 0;
    for (WeekDayColumnHeader* header : m_headers)
        width = std::max(width, header->sizeHint().width());
    return { int(m_gutter) + 7 * width, m_headers[0]->sizeHint().height() };
}

QSize WeekHeaderRow::minimumSizeHint() const
{
    return { int(m_gutter) + 7 * m_headers[0]->minimumSizeHint().width(), m_headers[0]->sizeHint().height() };
}

void WeekHeaderRow::setGutter(qreal gutter)
{
    if (gutter == m_gutter)
        return;
    m_gutter = gutter;
    updateGeometry();
    placeHeaders();
}

void WeekHeaderRow::resizeEvent(QResizeEvent* event)
{
    placeHeaders();
    QWidget::resizeEvent(event);
}

void WeekHeaderRow::placeHeaders()
{
    const WeekFrame frame { .gutter = m_gutter, .width = qreal(width()) };
    const qreal column = WeekGeometry::columnWidth(frame);
    for (int i = 0; i < 7; ++i) {
        const int left = int(std::round(frame.gutter + column * i));
        const int right = int(std::round(frame.gutter + column * (i + 1)));
        m_headers[size_t(i)]->setGeometry(left, 0, right - left, height());
    }
}

void WeekHeaderRow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        updateGeometry();
    QWidget::changeEvent(event);
}

} // namespace tivren
