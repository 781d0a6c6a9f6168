// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/timeline/week/WeekCanvas.h"

#include "ui/style/Accessibility.h"
#include "ui/style/Style.h"
#include "ui/timeline/HourLabelColumn.h"
#include "ui/timeline/week/WeekTimelineLayout.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

// Between a label's end and the grid.
constexpr qreal labelGap = 6;

QFont hourLabelFont(const QFont& base)
{
    return Style::font(TextStyle::caption2, base);
}

} // namespace

WeekCanvas::WeekCanvas(WeekTimelineLayout& layout, const AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_layout(layout)
    , m_model(model)
{
    setObjectName(u"weekCanvas"_s);
    setFixedHeight(int(WeekFrame {}.height));
    setMinimumWidth(int(WeekFrame {}.gutter) + 7 * 30);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

WeekFrame WeekCanvas::frame() const
{
    return WeekFrame { .gutter = m_gutter, .width = qreal(width()) };
}

int WeekCanvas::pieceCount() const
{
    return int(m_layout.pieces.size());
}

bool WeekCanvas::hasSelection() const
{
    return std::any_of(m_layout.pieces.begin(), m_layout.pieces.end(), [](const WeekTimelineLayout::Piece& piece) {
        return piece.block.isSelected;
    });
}

QString WeekCanvas::pieceLabel(int piece) const
{
    return m_layout.pieces[size_t(piece)].block.accessibleLabel(m_model);
}

void WeekCanvas::placeBlocks()
{
    fitGutter();
    // The layout is the view's; the rectangles are the canvas's to place.
    WeekTimelineLayout& layout = m_layout;
    const WeekFrame frame = this->frame();
    for (WeekTimelineLayout::Piece& piece : layout.pieces) {
        piece.rect = WeekGeometry::blockRect(frame, layout.axis, piece.placement);
        piece.block.width = piece.rect.width();
        piece.block.height = piece.rect.height();
    }
    if (layout.running)
        layout.running->rect =
            WeekGeometry::runningRect(frame, layout.axis, layout.running->day, layout.running->hours);
    if (m_current >= pieceCount())
        m_current = -1;
    invalidateLayer();
    update();
}

void WeekCanvas::fitGutter()
{
    // A new width leaves the labels and their font as they were: nothing to measure again.
    const QFont labelFont = hourLabelFont(font());
    if (labelFont == m_measuredFont && m_layout.hourLabels == m_measuredLabels)
        return;
    m_measuredFont = labelFont;
    m_measuredLabels = m_layout.hourLabels;
    QStringList labels;
    for (const auto& [hour, label] : std::as_const(m_layout.hourLabels))
        labels.append(label);
    // Two pixels over the gap, so a label that just fits is not elided by rounding.
    const qreal gutter = HourLabelColumn::width(QFontMetricsF(labelFont), labels, WeekFrame {}.gutter, labelGap + 2);
    if (gutter == m_gutter)
        return;
    m_gutter = gutter;
    setMinimumWidth(int(m_gutter) + 7 * 30);
    Q_EMIT gutterChanged(m_gutter);
}

void WeekCanvas::moveRunningBlock()
{
    auto& running = m_layout.running;
    if (!running)
        return;
    const QRectF before = running->rect;
    running->rect = WeekGeometry::runningRect(frame(), m_layout.axis, running->day, running->hours);
    if (running->rect != before)
        update(before.united(running->rect).toAlignedRect().adjusted(-2, -2, 2, 2));
}

void WeekCanvas::setCurrent(int piece)
{
    if (piece == m_current)
        return;
    auto focusRect = [this](int index) {
        return m_layout.pieces[size_t(index)].rect.toAlignedRect().adjusted(-4, -4, 4, 4);
    };
    if (m_current >= 0 && m_current < pieceCount())
        update(focusRect(m_current));
    m_current = piece;
    if (piece >= 0) {
        update(focusRect(piece));
        Accessibility::announce(this, pieceLabel(piece));
    }
}

int WeekCanvas::pieceAt(QPointF point) const
{
    for (size_t i = m_layout.pieces.size(); i-- > 0;) {
        if (m_layout.pieces[i].rect.contains(point))
            return int(i);
    }
    return -1;
}

// ---- painting ------------------------------------------------------------------------------------

void WeekCanvas::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    paintArea(painter, QRectF(event->rect()));
}

void WeekCanvas::paintAll(QPainter& painter) const
{
    paintArea(painter, QRectF(rect()));
}

void WeekCanvas::paintArea(QPainter& painter, const QRectF& exposed) const
{
    // The grid and the entry blocks come from the layer; the running block and the focus ring,
    // which change on their own, are drawn over it each time.
    const QRectF area = exposed.intersected(QRectF(rect()));
    if (area.isEmpty())
        return;
    const qreal ratio = devicePixelRatioF();
    const QSize needed = size() * ratio;
    const bool fits =
        m_layer.devicePixelRatio() == ratio && m_layer.width() >= needed.width() && m_layer.height() >= needed.height();
    if (!m_layerValid || !fits) {
        // A little larger than needed, so a resize by a few pixels paints into the same memory
        // rather than mapping and clearing a new layer.
        if (!fits) {
            m_layer = QPixmap((needed.width() + 63) / 64 * 64, (needed.height() + 63) / 64 * 64);
            m_layer.setDevicePixelRatio(ratio);
        }
        m_layer.fill(Qt::transparent);
        m_layerValid = true;
        m_shapes.beginPass();
        QPainter layer(&m_layer);
        paintLayer(layer, QRectF(rect()));
    }
    painter.drawPixmap(area, m_layer, QRectF(area.topLeft() * ratio, area.size() * ratio));

    if (m_layout.running && m_layout.running->rect.intersects(area)) {
        painter.save();
        painter.setClipRect(area);
        painter.setFont(font());
        paintRunningBlock(
            painter, m_layout.running->rect, m_layout.running->project, m_model, palette(), { 5, 3, 28, 44 });
        painter.restore();
    }
    if (showsFocus() && m_current >= 0 && m_current < pieceCount()) {
        painter.save();
        painter.setClipRect(area);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(m_layout.pieces[size_t(m_current)].rect.adjusted(-2, -2, 2, 2), 7, 7);
        painter.restore();
    }
}

void WeekCanvas::invalidateLayer(const QRectF& area)
{
    if (!m_layerValid)
        return;
    if (area.isNull()) {
        m_layerValid = false;
        update();
        return;
    }
    // Painted apart and copied in: a block clips its text to itself, and only the edges of the
    // scratch pixmap keep the neighbours that reach into the area from being drawn twice.
    const QRect aligned = area.toAlignedRect().intersected(rect());
    if (aligned.isEmpty())
        return;
    const qreal ratio = m_layer.devicePixelRatio();
    QPixmap scratch(aligned.size() * ratio);
    scratch.setDevicePixelRatio(ratio);
    scratch.fill(Qt::transparent);
    {
        QPainter painter(&scratch);
        painter.translate(-aligned.topLeft());
        paintLayer(painter, QRectF(aligned));
    }
    QPainter layer(&m_layer);
    layer.setCompositionMode(QPainter::CompositionMode_Source);
    layer.drawPixmap(aligned.topLeft(), scratch);
    update(aligned);
}

void WeekCanvas::paintLayer(QPainter& painter, const QRectF& area) const
{
    const WeekFrame frame = this->frame();
    const QColor secondary = Style::secondaryColor(palette());
    const qreal column = WeekGeometry::columnWidth(frame);
    painter.setFont(font());

    if (m_layout.todayColumn >= 0)
        Style::fillInBands(painter,
            QRectF(frame.gutter + column * m_layout.todayColumn, 0, column, frame.height),
            Style::withAlpha(palette().color(QPalette::Highlight), 0.05));
    // Hairlines: one device pixel, whatever the scale, centred on the middle of a pixel. Filled as
    // rectangles rather than stroked: the same pixels, without a stroker call per pixel.
    const qreal hairline = 1 / painter.device()->devicePixelRatioF();
    const QColor dayLine = Style::withAlpha(secondary, 0.18);
    for (int i = 1; i < 7; ++i) {
        const qreal x = std::round(frame.gutter + column * i) + 0.5;
        Style::fillInBands(painter, QRectF(x - hairline / 2, 0, hairline, frame.height), dayLine);
    }
    const QColor hourLine = Style::withAlpha(secondary, 0.22);
    for (const auto& [hour, label] : m_layout.hourLabels) {
        const qreal y = std::min(std::round(WeekGeometry::yOf(frame, m_layout.axis, hour)), frame.height - 1) + 0.5;
        painter.fillRect(QRectF(frame.gutter, y - hairline / 2, 7 * column, hairline), hourLine);
    }
    if (area.left() < frame.gutter)
        paintHourLabels(painter);
    for (const WeekTimelineLayout::Piece& piece : m_layout.pieces) {
        if (piece.rect.intersects(area))
            piece.block.paint(painter, piece.rect.topLeft(), m_model, palette(), &m_shapes);
    }
}

void WeekCanvas::paintHourLabels(QPainter& painter) const
{
    const WeekFrame frame = this->frame();
    const QFont labelFont = hourLabelFont(font());
    const QFontMetricsF metrics(labelFont);
    painter.setFont(labelFont);
    painter.setPen(Style::withAlpha(Style::secondaryColor(palette()), 0.8));
    for (const auto& [hour, label] : m_layout.hourLabels) {
        // Centred on its line, but kept inside the canvas at either end.
        const qreal top = std::clamp(
            WeekGeometry::yOf(frame, m_layout.axis, hour) - metrics.height() / 2, 0.0, frame.height - metrics.height());
        painter.drawText(QRectF(0, top, frame.gutter - labelGap, metrics.height()),
            Qt::AlignRight | Qt::AlignVCenter,
            metrics.elidedText(label, Qt::ElideLeft, frame.gutter - labelGap));
    }
    painter.setFont(font());
}

// ---- input ---------------------------------------------------------------------------------------

void WeekCanvas::resizeEvent(QResizeEvent* event)
{
    placeBlocks();
    QWidget::resizeEvent(event);
}

void WeekCanvas::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        placeBlocks();
    else if (event->type() == QEvent::PaletteChange)
        invalidateLayer();
    QWidget::changeEvent(event);
}

void WeekCanvas::mouseMoveEvent(QMouseEvent* event)
{
    if (pieceAt(event->position()) >= 0)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void WeekCanvas::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    setKeyboardFocusShown(false);
    const int piece = pieceAt(event->position());
    if (piece < 0)
        return;
    setCurrent(piece);
    Q_EMIT pieceActivated(piece);
}

bool WeekCanvas::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const int piece = pieceAt(help->pos());
    if (piece >= 0)
        QToolTip::showText(
            help->globalPos(), pieceLabel(piece), this, m_layout.pieces[size_t(piece)].rect.toAlignedRect());
    else
        QToolTip::hideText();
    return true;
}

void WeekCanvas::keyPressEvent(QKeyEvent* event)
{
    setKeyboardFocusShown(true);
    const int count = pieceCount();
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (count > 0) {
            const int step = event->key() == Qt::Key_Right ? 1 : -1;
            setCurrent(m_current < 0 ? (step > 0 ? 0 : count - 1) : (m_current + step + count) % count);
        }
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (m_current >= 0)
            Q_EMIT pieceActivated(m_current);
        return;
    case Qt::Key_Escape:
        if (hasSelection()) {
            Q_EMIT clearRequested();
            return;
        }
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

bool WeekCanvas::focusNextPrevChild(bool next)
{
    // Tab walks the blocks; past the last one (or before the first) focus moves on.
    const int target = m_current + (next ? 1 : -1);
    if (hasFocus() && m_current >= 0 && target >= 0 && target < pieceCount()) {
        setCurrent(target);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

void WeekCanvas::focusInEvent(QFocusEvent* event)
{
    // Tabbing in starts at the first block, tabbing back in at the last.
    const int count = pieceCount();
    const Qt::FocusReason reason = event->reason();
    if (count > 0 && reason == Qt::TabFocusReason)
        setCurrent(0);
    else if (count > 0 && reason == Qt::BacktabFocusReason)
        setCurrent(count - 1);
    else if (count > 0 && m_current < 0)
        setCurrent(0);
    m_keyboardFocus = reason != Qt::MouseFocusReason;
    update();
    QWidget::focusInEvent(event);
}

void WeekCanvas::focusOutEvent(QFocusEvent* event)
{
    update();
    QWidget::focusOutEvent(event);
}

void WeekCanvas::setKeyboardFocusShown(bool shown)
{
    if (shown != m_keyboardFocus) {
        m_keyboardFocus = shown;
        update();
    }
}

} // namespace tivren
