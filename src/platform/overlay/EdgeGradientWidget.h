// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>

class QPainter;

namespace tivren {

// One soft band down a screen edge: the colour at full strength against the edge, fading to
// transparent towards the middle of the screen. The band paints its own opacity rather than
// relying on window opacity, which Wayland and the offscreen platform ignore.
class EdgeGradientWidget : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(qreal opacity READ opacity WRITE setOpacity)

public:
    // Physical sides, not leading/trailing: the band must hug the screen's edge whatever the
    // layout direction of the user's language.
    enum class Edge
    {
        left,
        right,
    };
    Q_ENUM(Edge)

    EdgeGradientWidget(const QColor& color, Edge edge, QWidget* parent = nullptr);

    [[nodiscard]] QColor color() const { return m_color; }
    [[nodiscard]] Edge edge() const { return m_edge; }
    [[nodiscard]] qreal opacity() const { return m_opacity; }
    void setOpacity(qreal opacity);

    // Paints a band of the given look into area; shared with the Wayland layer-shell bands, which
    // draw into their own buffers.
    static void paintBand(QPainter& painter, const QRectF& area, const QColor& color, Edge edge, qreal opacity);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color;
    Edge m_edge;
    qreal m_opacity = 1.0;
};

} // namespace tivren
