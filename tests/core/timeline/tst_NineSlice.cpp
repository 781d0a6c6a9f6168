// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/timeline/NineSlice.h"

#include <QTest>

#include <cmath>

using namespace tivren;

namespace {

constexpr qreal step = 1.0 / NineSlice::phaseSteps;

// A block's corners: radius 6 with a 1-point border inside, as the week draws them.
qreal reachAt(qreal scale)
{
    return 6.5 * scale + 1.0 / 32;
}

// An edge as the slices place it: its pixel plus its rounded offset.
qreal placed(qreal edge)
{
    return std::round(edge * NineSlice::phaseSteps) * step;
}

} // namespace

class tst_NineSlice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void slices_data()
    {
        QTest::addColumn<QRectF>("rect"); // in points
        QTest::addColumn<qreal>("scale");
        for (const qreal scale : { 1.0, 1.25, 1.5, 2.0 }) {
            QTest::addRow("whole pixels at %g", scale) << QRectF(10, 10, 40, 20) << scale;
            QTest::addRow("within pixels at %g", scale) << QRectF(10.43, 7.81, 23.7, 31.2) << scale;
            QTest::addRow("the shortest block at %g", scale) << QRectF(120.3, 300.77, 17.4, 14) << scale;
            QTest::addRow("edges rounding up to the next pixel at %g", scale)
                << QRectF(9.99, 4.97, 30.0, 20.02) << scale;
        }
    }

    // The nine pieces cover the block's pixels once, in rows and columns; the corners hold every
    // pixel their curves touch and the model has one straight pixel between them.
    void slices()
    {
        QFETCH(QRectF, rect);
        QFETCH(qreal, scale);
        const QRectF device(rect.topLeft() * scale, rect.size() * scale);
        const qreal reach = reachAt(scale);
        const std::optional<NineSlice> slice = NineSlice::of(device, reach);
        QVERIFY(slice);
        const QRectF shape(QPointF(placed(device.left()), placed(device.top())),
            QPointF(placed(device.right()), placed(device.bottom())));
        const auto& target = slice->target;
        const auto& source = slice->source;
        QCOMPARE(
            target[NineSlice::topLeft].topLeft(), QPoint(int(std::floor(shape.left())), int(std::floor(shape.top()))));
        QCOMPARE(target[NineSlice::bottomRight].bottomRight(),
            QPoint(int(std::floor(shape.right())), int(std::floor(shape.bottom()))));
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 2; ++j) {
                // Side by side in a row, one above the other in a column, without gaps.
                QCOMPARE(target[size_t(i * 3 + j)].right() + 1, target[size_t(i * 3 + j + 1)].left());
                QCOMPARE(target[size_t(i * 3 + j)].top(), target[size_t(i * 3 + j + 1)].top());
                QCOMPARE(target[size_t(j * 3 + i)].bottom() + 1, target[size_t(j * 3 + i + 3)].top());
                QCOMPARE(target[size_t(j * 3 + i)].left(), target[size_t(j * 3 + i + 3)].left());
            }
        }
        for (size_t piece = 0; piece < 9; ++piece) {
            QVERIFY(QRect(QPoint(), slice->modelSize).contains(source[piece]));
            const bool stretchedX = piece % 3 == 1, stretchedY = piece / 3 == 1;
            QCOMPARE(source[piece].width(), stretchedX ? 1 : target[piece].width());
            QCOMPARE(source[piece].height(), stretchedY ? 1 : target[piece].height());
        }
        // The model: the block's offsets within their pixels, its straight pixel clear of the curves.
        const QRectF& model = slice->model;
        QCOMPARE(model.left(), shape.left() - std::floor(shape.left()));
        QCOMPARE(model.top(), shape.top() - std::floor(shape.top()));
        QCOMPARE(model.right() - std::floor(model.right()), shape.right() - std::floor(shape.right()));
        QCOMPARE(model.bottom() - std::floor(model.bottom()), shape.bottom() - std::floor(shape.bottom()));
        const QRect straight = source[NineSlice::middle];
        QVERIFY(model.left() + reach <= straight.left() && straight.right() + 1 <= model.right() - reach);
        QVERIFY(model.top() + reach <= straight.top() && straight.bottom() + 1 <= model.bottom() - reach);
        // And so are the block's straight pixels.
        const QRect middle = target[NineSlice::middle];
        QVERIFY(shape.left() + reach <= middle.left() && middle.left() + middle.width() <= shape.right() - reach);
        QVERIFY(shape.top() + reach <= middle.top() && middle.top() + middle.height() <= shape.bottom() - reach);
    }

    // Corners that would share pixels cannot be cut apart: such a block is drawn whole.
    void tooSmall_data()
    {
        QTest::addColumn<QRectF>("rect");
        QTest::addColumn<bool>("sliced");
        QTest::newRow("narrow") << QRectF(10.5, 10, 12.9, 40) << false;
        QTest::newRow("short") << QRectF(10, 10.5, 40, 12.9) << false;
        QTest::newRow("just wide enough") << QRectF(10, 10, 14, 40) << true;
    }

    void tooSmall()
    {
        QFETCH(QRectF, rect);
        QFETCH(bool, sliced);
        QCOMPARE(NineSlice::of(rect, reachAt(1)).has_value(), sliced);
    }
};

QTEST_GUILESS_MAIN(tst_NineSlice)
#include "tst_NineSlice.moc"
