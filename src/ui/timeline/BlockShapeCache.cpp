#include "ui/timeline/BlockShapeCache.h"

#include <QPainter>

#include <cmath>

namespace tivren {
namespace {

// The rasteriser's resolution: shapes that agree to it cover the same pixels.
qint64 sixtyFourths(qreal value)
{
    return std::llround(value * 64);
}

} // namespace

size_t qHash(const BlockShapeCache::Key& key, size_t seed)
{
    return qHashMulti(seed, key.fill, key.border, key.borderWidth, key.width, key.height, key.phaseX, key.phaseY);
}

void BlockShapeCache::beginPass()
{
    ++m_pass;
    m_shapes.removeIf([this](const QHash<Key, Shape>::iterator shape) {
        return shape->pass < m_pass - 2;
    });
}

void BlockShapeCache::draw(QPainter& painter, const QRectF& rect, const Style& style, const Painter& paint)
{
    const QTransform device = painter.deviceTransform();
    const QRectF mapped = device.mapRect(rect);
    // A pixel of room on every side for the antialiased edge.
    const QPoint origin(int(std::floor(mapped.left())) - 1, int(std::floor(mapped.top())) - 1);
    const Key key { style.fill.rgba(),
        style.border.rgba(),
        sixtyFourths(style.borderWidth * device.m11()),
        sixtyFourths(mapped.width()),
        sixtyFourths(mapped.height()),
        sixtyFourths(mapped.left() - origin.x()),
        sixtyFourths(mapped.top() - origin.y()) };
    const auto found = m_shapes.find(key);
    if (found == m_shapes.end()) {
        // Most shapes of a resize are never seen again: only one that comes back is kept.
        m_shapes.insert(key, Shape { {}, m_pass });
        paint(painter, rect);
        return;
    }
    Shape& shape = *found;
    shape.pass = m_pass;
    if (shape.image.isNull()) {
        shape.image = QImage(int(std::ceil(mapped.right())) - origin.x() + 2,
            int(std::ceil(mapped.bottom())) - origin.y() + 2,
            QImage::Format_ARGB32_Premultiplied);
        shape.image.fill(Qt::transparent);
        QPainter shapePainter(&shape.image);
        shapePainter.setTransform(device * QTransform::fromTranslate(-origin.x(), -origin.y()));
        paint(shapePainter, rect);
    }
    painter.save();
    painter.resetTransform();
    // What is left is the screen's scale; the copy goes in pixel for pixel.
    const qreal scale = painter.deviceTransform().m11();
    shape.image.setDevicePixelRatio(scale);
    painter.drawImage(QPointF(origin) / scale, shape.image);
    painter.restore();
}

} // namespace tivren
