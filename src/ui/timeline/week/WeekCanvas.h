// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/timeline/WeekGeometry.h"
#include "ui/timeline/BlockShapeCache.h"

#include <QFont>
#include <QList>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <utility>

namespace tivren {

class AppModel;
struct WeekTimelineLayout;

// The painted week: hour labels and grid, the entry blocks and the running timer, all in one
// piece rather than a widget per block. The grid and the blocks are kept in a pixmap between
// changes, so a clock tick repaints only the running block.
//
// Keyboard: Left and Right (or Tab) move between blocks, Return or Space activates the current one,
// Escape asks to clear the selection while there is one.
class WeekCanvas : public QWidget
{
    Q_OBJECT

public:
    WeekCanvas(WeekTimelineLayout& layout, const AppModel& model, QWidget* parent = nullptr);

    [[nodiscard]] WeekFrame frame() const;
    // Sizes the hour labels' column, places the blocks and the running timer for the current size
    // and repaints.
    void placeBlocks();
    // Repaints part of the grid and blocks (all of them for a null area).
    void invalidateLayer(const QRectF& area = QRectF());
    // Moves the running block to its layout's hours, repainting only what it covered and covers.
    void moveRunningBlock();
    void paintAll(QPainter& painter) const;

    // The keyboard's block, an index into the layout's pieces; -1 for none.
    [[nodiscard]] int current() const { return m_current; }
    void setCurrent(int piece);
    [[nodiscard]] int pieceAt(QPointF point) const;

Q_SIGNALS:
    // A click or the keyboard asked to toggle the selection of a piece's entry.
    void pieceActivated(int piece);
    void clearRequested();
    // The hour labels' column changed width (another axis, language or font): the day headers
    // above follow it.
    void gutterChanged(qreal gutter);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    [[nodiscard]] int pieceCount() const;
    [[nodiscard]] bool hasSelection() const;
    [[nodiscard]] QString pieceLabel(int piece) const;
    // The focus ring shows while the keyboard is in use, not after a click.
    [[nodiscard]] bool showsFocus() const { return hasFocus() && m_keyboardFocus; }
    void setKeyboardFocusShown(bool shown);
    void paintArea(QPainter& painter, const QRectF& exposed) const;
    void paintLayer(QPainter& painter, const QRectF& area) const;
    void paintHourLabels(QPainter& painter) const;
    void fitGutter();

    WeekTimelineLayout& m_layout;
    const AppModel& m_model;
    // Holds the grid and blocks of the current size from its top left corner; may be larger.
    mutable QPixmap m_layer;
    mutable bool m_layerValid = false;
    mutable BlockShapeCache m_shapes;
    qreal m_gutter = WeekFrame {}.gutter;
    // What the gutter was measured for.
    QFont m_measuredFont;
    QList<std::pair<int, QString>> m_measuredLabels;
    int m_current = -1;
    bool m_keyboardFocus = false;
};

} // namespace tivren
