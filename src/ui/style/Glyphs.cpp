#include "ui/style/Glyphs.h"

#include "ui/style/Style.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace tivren {

QPixmap transparentPixmap(int size, qreal ratio)
{
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QIcon drawnIcon(std::initializer_list<int> sizes, const std::function<void(QPainter&, int)>& draw)
{
    QIcon icon;
    for (int size : sizes) {
        for (qreal ratio : { 1.0, 2.0 }) {
            QPixmap pixmap = transparentPixmap(size, ratio);
            QPainter painter(&pixmap);
            painter.setRenderHint(QPainter::Antialiasing);
            draw(painter, size);
            painter.end();
            icon.addPixmap(pixmap);
        }
    }
    return icon;
}

void paintGlyph(QPainter& painter, const QRectF& box, Glyph glyph, const QColor& color)
{
    const qreal s = std::min(box.width(), box.height());
    const QRectF r(box.center().x() - s / 2, box.center().y() - s / 2, s, s);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, std::max(1.0, s * 0.085), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    switch (glyph) {
    case Glyph::clock:
    case Glyph::history: {
        const QRectF face = r.adjusted(s * 0.12, s * 0.12, -s * 0.12, -s * 0.12);
        const QPointF c = face.center();
        if (glyph == Glyph::clock) {
            painter.drawEllipse(face);
        } else {
            // An open circle ending in an arrow, turning back in time.
            painter.drawArc(face, 200 * 16, -310 * 16);
            const qreal angle = qDegreesToRadians(200.0);
            const QPointF tip(c.x() + face.width() / 2 * std::cos(angle), c.y() - face.height() / 2 * std::sin(angle));
            const qreal a = s * 0.16;
            painter.drawPolyline(
                QList<QPointF> { tip + QPointF(-a * 0.9, -a * 0.35), tip, tip + QPointF(a * 0.3, -a * 0.95) });
        }
        painter.drawLine(c, QPointF(c.x(), face.top() + face.height() * 0.22));
        painter.drawLine(c, QPointF(c.x() + face.width() * 0.2, c.y() + face.height() * 0.12));
        break;
    }
    case Glyph::hourglass: {
        const qreal left = r.left() + s * 0.26;
        const qreal right = r.right() - s * 0.26;
        const qreal top = r.top() + s * 0.12;
        const qreal bottom = r.bottom() - s * 0.12;
        const qreal cx = r.center().x();
        const qreal cy = r.center().y();
        painter.drawLine(QPointF(left - s * 0.06, top), QPointF(right + s * 0.06, top));
        painter.drawLine(QPointF(left - s * 0.06, bottom), QPointF(right + s * 0.06, bottom));
        QPainterPath glass;
        glass.moveTo(left, top);
        glass.quadTo(left, cy, cx - s * 0.04, cy);
        glass.quadTo(left, cy, left, bottom);
        glass.moveTo(right, top);
        glass.quadTo(right, cy, cx + s * 0.04, cy);
        glass.quadTo(right, cy, right, bottom);
        painter.drawPath(glass);
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        QPainterPath sand;
        sand.moveTo(cx, bottom - s * 0.2);
        sand.lineTo(right - s * 0.06, bottom);
        sand.lineTo(left + s * 0.06, bottom);
        sand.closeSubpath();
        painter.drawPath(sand);
        break;
    }
    case Glyph::banknote: {
        const QRectF note = r.adjusted(s * 0.04, s * 0.24, -s * 0.04, -s * 0.24);
        painter.drawRoundedRect(note, s * 0.08, s * 0.08);
        const qreal radius = note.height() * 0.24;
        painter.drawEllipse(note.center(), radius, radius);
        break;
    }
    case Glyph::document: {
        // A page with three lines of text.
        const QRectF page = r.adjusted(s * 0.18, s * 0.08, -s * 0.18, -s * 0.08);
        painter.drawRoundedRect(page, s * 0.1, s * 0.1);
        const QPointF c = page.center();
        for (qreal dy : { -0.2, 0.0, 0.2 })
            painter.drawLine(QPointF(c.x() - s * 0.16, c.y() + s * dy), QPointF(c.x() + s * 0.16, c.y() + s * dy));
        break;
    }
    }
    painter.restore();
}

GlyphWidget::GlyphWidget(Glyph glyph, const QFont& font, QWidget* parent)
    : QWidget(parent)
    , m_glyph(glyph)
{
    const int size = QFontMetrics(font).height();
    setFixedSize(size, size);
}

void GlyphWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintGlyph(painter, QRectF(rect()).adjusted(1, 1, -1, -1), m_glyph, Style::secondaryColor(palette()));
}

QIcon calendarClockIcon()
{
    const QColor grey(0x8a, 0x8a, 0x8a);
    return drawnIcon({ 32, 48 }, [&](QPainter& painter, int size) {
        painter.scale(size / 32.0, size / 32.0);
        painter.setPen(QPen(grey, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(3, 6, 22, 20), 3, 3);
        painter.drawLine(QPointF(3, 12), QPointF(25, 12));
        painter.drawLine(QPointF(9, 3), QPointF(9, 8));
        painter.drawLine(QPointF(19, 3), QPointF(19, 8));
        // The clock covers the page's corner.
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        painter.setBrush(Qt::black);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPointF(23, 23), 9, 9);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(grey, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawEllipse(QPointF(23, 23), 7, 7);
        painter.drawPolyline(QList<QPointF> { { 23, 19 }, { 23, 23 }, { 26, 25 } });
    });
}

} // namespace tivren
