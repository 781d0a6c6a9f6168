// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/timeline/NineSlice.h"
#include "ui/timeline/BlockShapeCache.h"

#include <QPainter>
#include <QTest>

#include <algorithm>

using namespace tivren;

namespace {

const BlockShapeCache::Style blue { QColor(0, 122, 255, 89), QColor(0, 122, 255, 128), 1 };

void paintShape(QPainter& painter, const QRectF& rect)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(blue.fill);
    painter.setPen(QPen(blue.border, blue.borderWidth));
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    painter.restore();
}

// A canvas with a grid under the shapes, as the week has, at a screen scale.
QImage canvas(qreal scale)
{
    QImage image(QSize(120, 120) * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    for (int x = 0; x < 120; x += 7)
        painter.fillRect(QRectF(x, 0, 1, 120), QColor(60, 60, 67, 46));
    return image;
}

// The largest difference in any channel of any pixel.
int largestDifference(const QImage& a, const QImage& b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({ largest,
                std::abs(qRed(p) - qRed(q)),
                std::abs(qGreen(p) - qGreen(q)),
                std::abs(qBlue(p) - qBlue(q)),
                std::abs(qAlpha(p) - qAlpha(q)) });
        }
    }
    return largest;
}

} // namespace

class tst_BlockShapeCache : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A shape copied from the cache covers the same pixels as one drawn in place, also beside one of
    // the same size at another place within a pixel: only the rounding of blending it in two steps
    // may differ. Put together from slices, its edges may sit up to half a slice step off, a few
    // levels at the antialiased edge, and the same in every repaint.
    void copiesLookLikeDrawing_data()
    {
        QTest::addColumn<QRectF>("rect");
        QTest::addColumn<qreal>("scale");
        QTest::addColumn<QPointF>("translation");
        QTest::newRow("whole pixels") << QRectF(10, 10, 40, 20) << 1.0 << QPointF();
        QTest::newRow("within pixels") << QRectF(10.43, 7.81, 23.7, 14.2) << 1.0 << QPointF();
        QTest::newRow("thin and short") << QRectF(5.29, 3.3, 4.1, 14) << 1.0 << QPointF();
        QTest::newRow("a part repainted") << QRectF(30.57, 20.14, 23.7, 30) << 1.0 << QPointF(-17, -9);
        QTest::newRow("HiDPI") << QRectF(10.43, 7.81, 23.7, 14.2) << 2.0 << QPointF();
        QTest::newRow("fractional scale") << QRectF(10.43, 7.81, 23.7, 14.2) << 1.5 << QPointF(-3, 0);
    }

    void copiesLookLikeDrawing()
    {
        QFETCH(QRectF, rect);
        QFETCH(qreal, scale);
        QFETCH(QPointF, translation);
        const auto draw = [&](QImage& image, BlockShapeCache* cache) {
            QPainter painter(&image);
            painter.translate(translation);
            for (const QRectF& shape : { rect, rect.translated(40.3, 0), rect.translated(0, 50.6) }) {
                if (cache)
                    cache->draw(painter, shape, blue, paintShape);
                else
                    paintShape(painter, shape);
            }
        };
        QImage expected = canvas(scale);
        draw(expected, nullptr);
        BlockShapeCache cache;
        // Drawn in place when first seen, copied from then on.
        QImage first;
        for (int pass = 0; pass < 3; ++pass) {
            cache.beginPass();
            QImage image = canvas(scale);
            draw(image, &cache);
            QVERIFY2(
                largestDifference(image, expected) <= 255 / NineSlice::phaseSteps, qPrintable(QString::number(pass)));
            if (pass == 0)
                first = image;
            QVERIFY2(largestDifference(image, first) <= 3, qPrintable(QString::number(pass)));
        }
        QCOMPARE(cache.size(), 3);
    }

    // A shape stays while one of the last two full repaints drew it: a resize back to the previous
    // width finds every shape, and the cache does not grow with every width a drag goes through.
    void keepsTheShapesOfTheLastTwoRepaints()
    {
        QImage image = canvas(1);
        QPainter painter(&image);
        BlockShapeCache cache;
        for (int width = 10; width < 20; ++width) {
            cache.beginPass();
            cache.draw(painter, QRectF(5, 5, width, 20), blue, paintShape);
            cache.draw(painter, QRectF(40, 5, 20, 20), blue, paintShape);
            QCOMPARE(cache.size(), std::min(width - 10, 2) + 2);
        }
    }
};

QTEST_MAIN(tst_BlockShapeCache)
#include "tst_BlockShapeCache.moc"
