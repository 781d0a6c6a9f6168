// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QRectF>

#include <functional>

class QPainter;

namespace tivren {

// Antialiased block outlines drawn once and copied in afterwards. Rasterising a few hundred rounded
// shapes is most of what a full repaint of the week costs, and after an edit, a selection or a
// resize and back most blocks come back with the same size at the same place within a pixel.
//
// A shape is put together from nine slices (see NineSlice) whose corners outlive any one size, so
// a width never drawn before copies corners drawn at earlier widths rather than rasterising every
// block anew; a block too small to cut is drawn whole.
//
// The whole shape is kept as well, in device pixels together with its offset within its first pixel
// (to the 1/64 of a pixel the rasteriser works in), so the copy covers the same pixels as putting it
// together in place; it is kept from its second appearance on, so a resize that never comes back
// costs no more than the slices. Shapes not drawn during the last two full repaints are dropped.
class BlockShapeCache
{
public:
    // What a shape looks like apart from its place: its colours and border.
    struct Style
    {
        QColor fill;
        QColor border;
        qreal borderWidth = 1;
        qreal radius = 6;

        bool operator==(const Style&) const = default;
    };
    using Painter = std::function<void(QPainter&, const QRectF&)>;

    // Starts a full repaint.
    void beginPass();
    // Draws the shape that paint draws for rect in style: in place the first time, copied once it
    // comes back. The painter must only translate and scale.
    void draw(QPainter& painter, const QRectF& rect, const Style& style, const Painter& paint);
    [[nodiscard]] qsizetype size() const { return m_shapes.size(); }

    // What a shape looks like, with sizes in 1/64 device pixel.
    struct Look
    {
        QRgb fill = 0;
        QRgb border = 0;
        qint64 borderWidth = 0;
        qint64 radius = 0;

        bool operator==(const Look&) const = default;
    };

    struct Key
    {
        Look look;
        qint64 width = 0; // this and the rest in 1/64 device pixel
        qint64 height = 0;
        qint64 phaseX = 0;
        qint64 phaseY = 0;

        bool operator==(const Key&) const = default;
    };

    // One slice of a shape: its place among the nine and the offsets of its edges, in steps.
    struct PieceKey
    {
        Look look;
        int piece = 0;
        int phaseX = 0;
        int phaseY = 0;

        bool operator==(const PieceKey&) const = default;
    };

private:
    void drawSlices(QPainter& painter, const QRectF& rect, const Style& style, const Painter& paint);

    struct Shape
    {
        QImage image; // none yet for a shape seen once
        int pass = 0; // the last full repaint that drew it
    };

    QHash<Key, Shape> m_shapes;
    QHash<PieceKey, QImage> m_pieces;
    int m_pass = 0;
};

size_t qHash(const BlockShapeCache::Look& look, size_t seed = 0);
size_t qHash(const BlockShapeCache::Key& key, size_t seed = 0);
size_t qHash(const BlockShapeCache::PieceKey& key, size_t seed = 0);

} // namespace tivren
