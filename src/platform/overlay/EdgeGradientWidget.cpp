// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/overlay/EdgeGradientWidget.h"

#include <QLinearGradient>
#include <QPainter>

namespace tivren {

EdgeGradientWidget::EdgeGradientWidget(const QColor& color, Edge edge, QWidget* parent)
    : QWidget(parent)
    , m_color(color)
    , m_edge(edge)
{
}

void EdgeGradientWidget::setOpacity(qreal opacity)
{
    opacity = qBound(0.0, opacity, 1.0);
    if (opacity == m_opacity)
        return;
    m_opacity = opacity;
    update();
}

void EdgeGradientWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintBand(painter, rect(), m_color, m_edge, m_opacity);
}

void EdgeGradientWidget::paintBand(QPainter& painter, const QRectF& area, const QColor& color, Edge edge, qreal opacity)
{
    const QPointF outer = edge == Edge::left ? area.topLeft() : area.topRight();
    const QPointF inner = edge == Edge::left ? area.topRight() : area.topLeft();
    QLinearGradient gradient(outer, inner);
    QColor clear = color;
    clear.setAlphaF(0);
    gradient.setColorAt(0, color);
    gradient.setColorAt(1, clear);

    painter.setOpacity(opacity);
    painter.fillRect(area, gradient);
}

} // namespace tivren
