// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/timeline/NineSlice.h"

#include <cmath>

namespace tivren {
namespace {

constexpr qreal step = 1.0 / NineSlice::phaseSteps;

// An edge's pixel and its offset within it, rounded to the steps; a full step moves to the next pixel.
std::pair<int, int> pixelAndPhase(qreal edge)
{
    const qreal pixel = std::floor(edge);
    const int phase = int(std::lround((edge - pixel) * NineSlice::phaseSteps));
    return phase == NineSlice::phaseSteps ? std::pair { int(pixel) + 1, 0 } : std::pair { int(pixel), phase };
}

// The three slices along one axis, from the pixel of the first edge to that of the last: where
// each starts in the block and in the model, and how long it is. An end slice holds every pixel its
// curve touches; the model has one straight pixel between them, the block any number.
struct Bands
{
    std::array<int, 3> blockStart;
    std::array<int, 3> modelStart;
    std::array<int, 3> length;
};

Bands bandsOf(int first, int phaseFirst, int last, int phaseLast, qreal reach)
{
    const int head = int(std::ceil(phaseFirst * step + reach));
    const int tail = 1 + int(std::ceil(reach - phaseLast * step));
    const int straight = last - first + 1 - head - tail;
    return { { first, first + head, last - tail + 1 }, { 0, head, head + 1 }, { head, straight, tail } };
}

} // namespace

std::optional<NineSlice> NineSlice::of(const QRectF& rect, qreal reach)
{
    const auto [left, phaseLeft] = pixelAndPhase(rect.left());
    const auto [top, phaseTop] = pixelAndPhase(rect.top());
    const auto [right, phaseRight] = pixelAndPhase(rect.right());
    const auto [bottom, phaseBottom] = pixelAndPhase(rect.bottom());
    // The last pixel is the one the right (bottom) edge lies in.
    const Bands columns = bandsOf(left, phaseLeft, right, phaseRight, reach);
    const Bands rows = bandsOf(top, phaseTop, bottom, phaseBottom, reach);
    if (columns.length[1] < 0 || rows.length[1] < 0)
        return std::nullopt;

    NineSlice slice;
    slice.phaseLeft = phaseLeft;
    slice.phaseTop = phaseTop;
    slice.phaseRight = phaseRight;
    slice.phaseBottom = phaseBottom;
    const int modelRight = columns.modelStart[2] + columns.length[2] - 1;
    const int modelBottom = rows.modelStart[2] + rows.length[2] - 1;
    slice.modelSize = QSize(modelRight + 1, modelBottom + 1);
    slice.model = QRectF(QPointF(phaseLeft * step, phaseTop * step),
        QPointF(modelRight + phaseRight * step, modelBottom + phaseBottom * step));
    for (size_t row = 0; row < 3; ++row) {
        for (size_t column = 0; column < 3; ++column) {
            const size_t piece = row * 3 + column;
            const QSize size(columns.length[column], rows.length[row]);
            slice.target[piece] = QRect(QPoint(columns.blockStart[column], rows.blockStart[row]), size);
            slice.source[piece] = QRect(QPoint(columns.modelStart[column], rows.modelStart[row]),
                QSize(column == 1 ? 1 : size.width(), row == 1 ? 1 : size.height()));
        }
    }
    return slice;
}

} // namespace tivren
