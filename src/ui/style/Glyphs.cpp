// SPDX-License-Identifier: GPL-3.0-or-later
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

namespace {

constexpr int traySizes[] = { 16, 22, 24, 32, 48, 64, 128 };

QPixmap clock(int size, bool filled)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal stroke = std::max(1.5, size / 11.0);
    const QRectF face =
        QRectF(0, 0, size, size).adjusted(stroke / 2 + 0.5, stroke / 2 + 0.5, -stroke / 2 - 0.5, -stroke / 2 - 0.5);
    // A light face with a dark rim reads on dark and light panels alike; running is the accent colour.
    const QColor rim(0x24, 0x1f, 0x31);
    const QColor fill = filled ? QColor(0x35, 0x84, 0xe4) : QColor(0xfa, 0xfa, 0xfa);
    const QColor hands = filled ? QColor(Qt::white) : rim;
    p.setPen(QPen(rim, stroke));
    p.setBrush(fill);
    p.drawEllipse(face);
    const QPointF centre = face.center();
    const qreal radius = face.width() / 2;
    p.setPen(QPen(hands, stroke, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(0, -radius * 0.58)); // minute hand at twelve
    p.drawLine(centre, centre + QPointF(radius * 0.42, radius * 0.12)); // hour hand a little past three
    return pixmap;
}

QIcon clockIcon(bool filled)
{
    QIcon icon;
    for (int size : traySizes)
        icon.addPixmap(clock(size, filled));
    return icon;
}

} // namespace

QIcon idleTrayIcon()
{
    return clockIcon(false);
}

QIcon runningTrayIcon()
{
    return clockIcon(true);
}

QIcon colorDotIcon(const QColor& color)
{
    QIcon icon;
    for (int size : { 16, 32, 48 }) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        const qreal dot = size / 2.0; // an 8-point dot in a 16-point icon
        p.drawEllipse(QRectF((size - dot) / 2, (size - dot) / 2, dot, dot));
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon playStopIcon(const QColor& color, bool stop)
{
    return drawnIcon({ 16, 20, 24, 32, 48 }, [&](QPainter& painter, int size) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        const QRectF circle(0.5, 0.5, size - 1.0, size - 1.0);
        QPainterPath path;
        path.addEllipse(circle);
        const qreal c = size / 2.0;
        const qreal r = size * 0.2;
        QPainterPath glyph;
        if (stop) {
            glyph.addRoundedRect(QRectF(c - r, c - r, 2 * r, 2 * r), size * 0.04, size * 0.04);
        } else {
            glyph.moveTo(c - r * 0.7, c - r * 1.15);
            glyph.lineTo(c + r * 1.25, c);
            glyph.lineTo(c - r * 0.7, c + r * 1.15);
            glyph.closeSubpath();
        }
        painter.drawPath(path.subtracted(glyph));
    });
}

QIcon checkIcon(const QColor& color)
{
    return drawnIcon({ 16, 24, 32 }, [&](QPainter& painter, int size) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        painter.drawEllipse(QRectF(0.5, 0.5, size - 1.0, size - 1.0));
        painter.setPen(QPen(Qt::white, size * 0.12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QList<QPointF> {
            { size * 0.28, size * 0.52 }, { size * 0.44, size * 0.68 }, { size * 0.72, size * 0.36 } });
    });
}

// The counters' glyphs where the icon theme has none, outlined in the counters' secondary colour
// on a 16-unit grid.
namespace {

template <typename Draw> QPixmap glyphPixmap(int size, qreal ratio, const QColor& color, Draw draw)
{
    QPixmap pixmap = transparentPixmap(size, ratio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    painter.scale(unit, unit);
    painter.setPen(QPen(color, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    draw(painter);
    return pixmap;
}

} // namespace

QPixmap folderPixmap(int size, qreal ratio, const QColor& color)
{
    return glyphPixmap(size, ratio, color, [](QPainter& painter) {
        QPainterPath outline;
        outline.moveTo(1.5, 13.5);
        outline.lineTo(1.5, 3);
        outline.lineTo(6, 3);
        outline.lineTo(7.5, 4.75);
        outline.lineTo(14.5, 4.75);
        outline.lineTo(14.5, 13.5);
        outline.closeSubpath();
        painter.drawPath(outline);
        painter.drawLine(QPointF(1.5, 7), QPointF(14.5, 7));
    });
}

QPixmap calendarPlusPixmap(int size, qreal ratio, const QColor& color)
{
    return glyphPixmap(size, ratio, color, [](QPainter& painter) {
        painter.drawRoundedRect(QRectF(1.5, 2.5, 13, 12), 2, 2);
        painter.drawLine(QPointF(1.5, 6), QPointF(14.5, 6));
        painter.drawLine(QPointF(5, 1), QPointF(5, 3.5));
        painter.drawLine(QPointF(11, 1), QPointF(11, 3.5));
        painter.drawLine(QPointF(8, 8), QPointF(8, 13));
        painter.drawLine(QPointF(5.5, 10.5), QPointF(10.5, 10.5));
    });
}

QIcon swatchIcon(const QColor& color, qreal devicePixelRatio)
{
    constexpr int size = 14;
    QPixmap pixmap = transparentPixmap(size, devicePixelRatio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color.darker(125), 1));
    painter.setBrush(color);
    painter.drawEllipse(QRectF(0.5, 0.5, size - 1, size - 1));
    return QIcon(pixmap);
}

// Drawn rather than shipped: most desktops' icon themes have no calendar glyph at this size in
// the text colour, and a drawn one follows light and dark palettes.
QPixmap calendarPixmap(int size, qreal ratio, const QColor& color)
{
    QPixmap pixmap = transparentPixmap(size, ratio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    const QRectF body(1.5 * unit, 2.5 * unit, 13 * unit, 12 * unit);
    painter.setPen(QPen(color, 1.2 * unit));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(body, 2 * unit, 2 * unit);
    QPainterPath band;
    band.addRoundedRect(body, 2 * unit, 2 * unit);
    painter.save();
    painter.setClipRect(QRectF(body.left(), body.top(), body.width(), 3.5 * unit));
    painter.fillPath(band, color);
    painter.restore();
    painter.setPen(QPen(color, 1.4 * unit, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(5 * unit, 1 * unit), QPointF(5 * unit, 4 * unit));
    painter.drawLine(QPointF(11 * unit, 1 * unit), QPointF(11 * unit, 4 * unit));
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column)
            painter.drawEllipse(QPointF((4.5 + column * 3.5) * unit, (8.5 + row * 3) * unit), 0.9 * unit, 0.9 * unit);
    }
    return pixmap;
}

// A chevron pointing down, or rotated by the given degrees (90 points left, -90 right).
QPixmap chevronPixmap(int size, qreal ratio, const QColor& color, qreal rotation)
{
    QPixmap pixmap = transparentPixmap(size, ratio);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(size / 2.0, size / 2.0);
    painter.rotate(rotation);
    const qreal unit = size / 10.0;
    painter.setPen(QPen(color, 1.5 * unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF points[] = { { -3 * unit, -1.5 * unit }, { 0, 1.5 * unit }, { 3 * unit, -1.5 * unit } };
    painter.drawPolyline(points, 3);
    return pixmap;
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
