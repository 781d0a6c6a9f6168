// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/timeline/BlockShapeCache.h"

#include "core/timeline/NineSlice.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace tivren {
namespace {

// The rasteriser's resolution: shapes that agree to it cover the same pixels.
qint64 sixtyFourths(qreal value)
{
    return std::llround(value * 64);
}

BlockShapeCache::Look lookOf(const BlockShapeCache::Style& style, qreal scale)
{
    return { style.fill.rgba(),
        style.border.rgba(),
        sixtyFourths(style.borderWidth * scale),
        sixtyFourths(style.radius * scale) };
}

// Beyond the exact reach of a corner's curve, for the rasteriser's rounding.
constexpr qreal curveMargin = 1.0 / 32;

// Slices kept at most; more only come with many colours or scales, and are drawn again when needed.
constexpr qsizetype maximumPieces = 8192;

// The offsets a slice depends on: a corner on two edges, a straight edge on one, the middle on none.
std::pair<int, int> piecePhases(const NineSlice& slice, int piece)
{
    switch (piece) {
    case NineSlice::topLeft:
        return { slice.phaseLeft, slice.phaseTop };
    case NineSlice::top:
        return { 0, slice.phaseTop };
    case NineSlice::topRight:
        return { slice.phaseRight, slice.phaseTop };
    case NineSlice::left:
        return { slice.phaseLeft, 0 };
    case NineSlice::right:
        return { slice.phaseRight, 0 };
    case NineSlice::bottomLeft:
        return { slice.phaseLeft, slice.phaseBottom };
    case NineSlice::bottom:
        return { 0, slice.phaseBottom };
    case NineSlice::bottomRight:
        return { slice.phaseRight, slice.phaseBottom };
    default:
        return { 0, 0 };
    }
}

} // namespace

size_t qHash(const BlockShapeCache::Look& look, size_t seed)
{
    return qHashMulti(seed, look.fill, look.border, look.borderWidth, look.radius);
}

size_t qHash(const BlockShapeCache::Key& key, size_t seed)
{
    return qHashMulti(seed, key.look, key.width, key.height, key.phaseX, key.phaseY);
}

size_t qHash(const BlockShapeCache::PieceKey& key, size_t seed)
{
    return qHashMulti(seed, key.look, key.piece, key.phaseX, key.phaseY);
}

void BlockShapeCache::beginPass()
{
    ++m_pass;
    m_shapes.removeIf([this](const QHash<Key, Shape>::iterator shape) {
        return shape->pass < m_pass - 2;
    });
    if (m_pieces.size() > maximumPieces)
        m_pieces.clear();
}

void BlockShapeCache::draw(QPainter& painter, const QRectF& rect, const Style& style, const Painter& paint)
{
    const QTransform device = painter.deviceTransform();
    const QRectF mapped = device.mapRect(rect);
    // A pixel of room on every side for the antialiased edge.
    const QPoint origin(int(std::floor(mapped.left())) - 1, int(std::floor(mapped.top())) - 1);
    const Key key { lookOf(style, device.m11()),
        sixtyFourths(mapped.width()),
        sixtyFourths(mapped.height()),
        sixtyFourths(mapped.left() - origin.x()),
        sixtyFourths(mapped.top() - origin.y()) };
    const auto found = m_shapes.find(key);
    if (found == m_shapes.end()) {
        // Most shapes of a resize are never seen again: only one that comes back is kept.
        m_shapes.insert(key, Shape { {}, m_pass });
        drawSlices(painter, rect, style, paint);
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
        drawSlices(shapePainter, rect, style, paint);
    }
    painter.save();
    painter.resetTransform();
    // What is left is the screen's scale; the copy goes in pixel for pixel.
    const qreal scale = painter.deviceTransform().m11();
    shape.image.setDevicePixelRatio(scale);
    painter.drawImage(QPointF(origin) / scale, shape.image);
    painter.restore();
}

void BlockShapeCache::drawSlices(QPainter& painter, const QRectF& rect, const Style& style, const Painter& paint)
{
    const QTransform device = painter.deviceTransform();
    const qreal scale = device.m11();
    const std::optional<NineSlice> slice =
        NineSlice::of(device.mapRect(rect), (style.radius + style.borderWidth / 2) * scale + curveMargin);
    if (!slice) {
        paint(painter, rect);
        return;
    }
    const Look look = lookOf(style, scale);
    std::array<PieceKey, 9> keys;
    std::array<QImage, 9> images;
    for (int piece = 0; piece < 9; ++piece) {
        const auto [phaseX, phaseY] = piecePhases(*slice, piece);
        keys[size_t(piece)] = { look, piece, phaseX, phaseY };
        const auto found = m_pieces.constFind(keys[size_t(piece)]);
        if (found != m_pieces.cend())
            images[size_t(piece)] = *found;
    }
    if (std::any_of(images.begin(), images.end(), [](const QImage& image) {
            return image.isNull();
        })) {
        // A small model of the block holds every slice it lacks.
        QImage model(slice->modelSize, QImage::Format_ARGB32_Premultiplied);
        model.fill(Qt::transparent);
        {
            QPainter modelPainter(&model);
            modelPainter.scale(scale, scale);
            paint(modelPainter, QRectF(slice->model.topLeft() / scale, slice->model.size() / scale));
        }
        for (size_t piece = 0; piece < 9; ++piece) {
            if (images[piece].isNull()) {
                images[piece] = model.copy(slice->source[piece]);
                m_pieces.insert(keys[piece], images[piece]);
            }
        }
    }
    painter.save();
    painter.resetTransform();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // What is left is the screen's scale; the slices go in pixel for pixel, the straight ones stretched.
    const qreal screen = painter.deviceTransform().m11();
    for (size_t piece = 0; piece < 9; ++piece) {
        const QRect& target = slice->target[piece];
        if (target.isEmpty())
            continue;
        painter.drawImage(QRectF(QPointF(target.topLeft()) / screen, QSizeF(target.size()) / screen),
            images[piece],
            QRectF(images[piece].rect()));
    }
    painter.restore();
}

} // namespace tivren
