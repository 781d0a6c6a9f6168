// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/layout/SideColumn.h"
#include "core/layout/WindowPlacement.h"
#include "core/timeline/HourLabelGutter.h"

#include <QTest>

using namespace tivren;

class tst_LayoutRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The hour labels' column: the usual width until a label needs more, then the widest label and
    // the gap, in whole pixels so no label loses its first character to rounding.
    void gutter_data()
    {
        QTest::addColumn<QList<qreal>>("labels");
        QTest::addColumn<qreal>("expected");
        QTest::newRow("no labels") << QList<qreal> {} << 54.0;
        QTest::newRow("24-hour labels fit") << QList<qreal> { 30, 31.5, 30 } << 54.0;
        QTest::newRow("exactly the minimum") << QList<qreal> { 46 } << 54.0;
        QTest::newRow("12-hour at 11 pt") << QList<qreal> { 44.2, 50.7, 47 } << 59.0;
        QTest::newRow("widest last") << QList<qreal> { 40, 41, 62 } << 70.0;
    }
    void gutter()
    {
        QFETCH(QList<qreal>, labels);
        QFETCH(qreal, expected);
        QCOMPARE(HourLabelGutter::width(labels, 54, 8), expected);
    }

    // The side column: base width for short content, wider for long names up to 40 % of the room,
    // and never narrower than its figures, whatever the room.
    void sideColumn_data()
    {
        QTest::addColumn<int>("figures");
        QTest::addColumn<int>("natural");
        QTest::addColumn<int>("room");
        QTest::addColumn<int>("expected");
        QTest::newRow("short rows keep the base") << 180 << 220 << 900 << 260;
        QTest::newRow("long names widen it") << 200 << 320 << 900 << 320;
        QTest::newRow("names past the share elide") << 200 << 500 << 900 << 360;
        QTest::newRow("large font figures win over the share") << 380 << 520 << 800 << 380;
        QTest::newRow("narrow room keeps the base") << 200 << 400 << 500 << 260;
        QTest::newRow("empty card") << 0 << 0 << 900 << 260;
    }
    void sideColumn()
    {
        QFETCH(int, figures);
        QFETCH(int, natural);
        QFETCH(int, room);
        QFETCH(int, expected);
        QCOMPARE(SideColumn::width({ figures, natural }, 260, room), expected);
    }

    // A window opens centred on its anchor, moved onto the screen when the anchor reaches past an
    // edge, and with its top left corner on the screen when it is larger than the screen.
    void centred_data()
    {
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QRect>("anchor");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QPoint>("expected");
        const QRect screen(0, 0, 1920, 1080);
        QTest::newRow("on the main window")
            << QSize(400, 500) << QRect(100, 100, 960, 640) << screen << QPoint(380, 170);
        QTest::newRow("on a whole screen") << QSize(400, 500) << screen << screen << QPoint(760, 290);
        QTest::newRow("second screen") << QSize(400, 500) << QRect(1920, 0, 1280, 1024) << QRect(1920, 32, 1280, 992)
                                       << QPoint(2360, 262);
        QTest::newRow("main window past the right edge")
            << QSize(400, 500) << QRect(1700, 100, 960, 640) << screen << QPoint(1520, 170);
        QTest::newRow("main window above the top bar")
            << QSize(400, 500) << QRect(100, -400, 960, 640) << QRect(0, 32, 1920, 1048) << QPoint(380, 32);
        QTest::newRow("larger than the screen") << QSize(2000, 1200) << screen << screen << QPoint(0, 0);
    }
    void centred()
    {
        QFETCH(QSize, frame);
        QFETCH(QRect, anchor);
        QFETCH(QRect, available);
        QFETCH(QPoint, expected);
        const QRect placed = WindowPlacement::centred(frame, anchor, available);
        QCOMPARE(placed.topLeft(), expected);
        QCOMPARE(placed.size(), frame);
    }
};

QTEST_GUILESS_MAIN(tst_LayoutRules)
#include "tst_LayoutRules.moc"
