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
    const QPointF outer = m_edge == Edge::left ? QPointF(0, 0) : QPointF(width(), 0);
    const QPointF inner = m_edge == Edge::left ? QPointF(width(), 0) : QPointF(0, 0);
    QLinearGradient gradient(outer, inner);
    QColor clear = m_color;
    clear.setAlphaF(0);
    gradient.setColorAt(0, m_color);
    gradient.setColorAt(1, clear);

    QPainter painter(this);
    painter.setOpacity(m_opacity);
    painter.fillRect(rect(), gradient);
}

} // namespace tivren
