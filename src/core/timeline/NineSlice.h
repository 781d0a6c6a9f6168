// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QRectF>

#include <array>
#include <optional>

namespace tivren {

// A rounded block cut into nine pieces in device pixels: four corners drawn once and copied, the
// straight edges and the middle stretched from a single row or column between them. The pieces
// come from a small model of the block, the same shape with one straight pixel between its
// corners, whose edges lie at the block's own offsets within their pixels.
//
// Offsets are rounded to 1/phaseSteps of a pixel, so a block at a width never drawn before still
// finds its corners: the shape moves by at most half a step, which the eye cannot tell.
struct NineSlice
{
    static constexpr int phaseSteps = 8;

    enum Piece
    {
        topLeft,
        top,
        topRight,
        left,
        middle,
        right,
        bottomLeft,
        bottom,
        bottomRight
    };

    // The offsets of the left, top, right and bottom edges within their pixels, in steps.
    int phaseLeft = 0;
    int phaseTop = 0;
    int phaseRight = 0;
    int phaseBottom = 0;
    // The model's shape within its image, and the image's size.
    QRectF model;
    QSize modelSize;
    // Where each piece comes from in the model, and where it goes, in device pixels (the middle
    // ones may be empty).
    std::array<QRect, 9> source;
    std::array<QRect, 9> target;

    // The slices of a block covering rect whose corners curve over reach from each edge; none when
    // the block is too small for its corners to keep apart.
    [[nodiscard]] static std::optional<NineSlice> of(const QRectF& rect, qreal reach);
};

} // namespace tivren
