// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/overlay/EdgeGradientWidget.h"
#include "platform/overlay/wayland/LayerShellBands.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;
using namespace tivren;

using Edge = EdgeGradientWidget::Edge;

namespace {

int s_unavailableLines = 0;

void countUnavailableLines(QtMsgType, const QMessageLogContext&, const QString& message)
{
    if (message.startsWith(u"Break bands are not shown on this desktop: "_s))
        ++s_unavailableLines;
}

} // namespace

class tst_LayerShellBands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // No compositor to talk to (scripts/isolated-run clears WAYLAND_DISPLAY and gives an empty
    // runtime folder), as on a desktop without the layer shell: nothing claims to be up, a fade-out
    // has nothing to fade, and the log says why once, not at every break.
    void withoutLayerShellNoBandsAndOneLogLine()
    {
        const QtMessageHandler previous = qInstallMessageHandler(countUnavailableLines);
        {
            LayerShellBands bands;
            bands.show(Qt::green, 0.3, 0ms);
            QVERIFY(!bands.isShown());
            QCOMPARE(bands.bandCount(), 0);
            bands.hide(500ms);
            QVERIFY(!bands.isFadingOut());
            bands.show(Qt::blue, 0.25, 400ms);
            QVERIFY(!bands.isShown());
        }
        qInstallMessageHandler(previous);
        QCOMPARE(s_unavailableLines, 1);
    }

    // The layer-shell bands draw into buffers of device pixels with the widget bands' painting: at
    // every scale the colour is strongest against the screen edge and gone towards the middle.
    void paintBandInDevicePixels_data()
    {
        QTest::addColumn<Edge>("edge");
        QTest::addColumn<int>("scale");
        QTest::newRow("left, scale 1") << Edge::left << 1;
        QTest::newRow("right, scale 1") << Edge::right << 1;
        QTest::newRow("left, scale 2") << Edge::left << 2;
        QTest::newRow("right, scale 3") << Edge::right << 3;
    }

    void paintBandInDevicePixels()
    {
        QFETCH(Edge, edge);
        QFETCH(int, scale);
        const int width = LayerSurfaceBand::width;
        QImage image(width * scale, 10 * scale, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(scale);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            EdgeGradientWidget::paintBand(painter, QRectF(0, 0, width, 10), QColor(0x33d17a), edge, 0.3);
        }
        const int outer = edge == Edge::left ? 0 : image.width() - 1;
        const int inner = image.width() - 1 - outer;
        const auto alphaAt = [&image](int x) {
            return qAlpha(image.pixel(x, image.height() / 2));
        };
        QVERIFY2(qAbs(alphaAt(outer) - 76) <= 2, qPrintable(QString::number(alphaAt(outer))));
        QVERIFY2(alphaAt(inner) <= 2, qPrintable(QString::number(alphaAt(inner))));
        QVERIFY2(qAbs(alphaAt(image.width() / 2) - 38) <= 3, qPrintable(QString::number(alphaAt(image.width() / 2))));
    }
};

QTEST_MAIN(tst_LayerShellBands)
#include "tst_LayerShellBands.moc"
