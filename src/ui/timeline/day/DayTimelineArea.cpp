// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/timeline/day/DayTimelineArea.h"

#include "core/timeline/DayGeometry.h"
#include "ui/style/Accessibility.h"
#include "ui/style/Style.h"
#include "ui/timeline/HourLabelColumn.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace tivren {
namespace {

constexpr qreal labelColumnWidth = 50;
constexpr qreal labelGap = 8;

QFont hourLabelFont(const QFont& base)
{
    return Style::font(TextStyle::caption, base);
}

} // namespace

DayTimelineArea::DayTimelineArea(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
    setObjectName(u"timelineArea"_s);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

DayTimelineArea::~DayTimelineArea() = default;

void DayTimelineArea::setContent(const QList<TimeEntry>& entries,
    const QHash<QUuid, Project>& projects,
    std::optional<Running> running,
    std::pair<Instant, Instant> axis,
    Instant now)
{
    // A session starting or stopping leaves the entries as they were.
    if (entries != m_entries) {
        m_entries = entries;
        m_layout = computeOverlapLayout(entries);
    }
    m_projects = projects;
    m_running = std::move(running);
    m_axisStart = axis.first;
    m_axisEnd = axis.second;
    m_now = now;
    m_hover = -1;
    m_pressed = -1;
    relayout();
}

void DayTimelineArea::setAxis(std::pair<Instant, Instant> axis, Instant now)
{
    m_axisStart = axis.first;
    m_axisEnd = axis.second;
    m_now = now;
    relayout();
}

void DayTimelineArea::setNow(Instant now)
{
    if (!m_running) {
        m_now = now;
        return;
    }
    const QRectF before = runningRectAt(m_now);
    m_now = now;
    const QRectF after = runningRectAt(m_now);
    if (before != after)
        update(before.united(after).toAlignedRect().adjusted(-2, -2, 2, 2));
}

void DayTimelineArea::setSelectedID(const std::optional<QUuid>& id)
{
    if (id == m_selectedID)
        return;
    m_selectedID = id;
    for (size_t i = 0; i < m_blocks.size(); ++i) {
        const bool selected = m_selectedID == m_blocks[i].entry.id;
        if (selected != m_blocks[i].isSelected) {
            m_blocks[i].isSelected = selected;
            updateBlock(int(i));
        }
    }
}

QList<std::pair<QUuid, QRectF>> DayTimelineArea::blockRects() const
{
    QList<std::pair<QUuid, QRectF>> result;
    for (size_t i = 0; i < m_blocks.size(); ++i)
        result.append({ m_blocks[i].entry.id, m_rects[i] });
    return result;
}

QList<std::pair<Instant, qreal>> DayTimelineArea::hourLines() const
{
    QList<std::pair<Instant, qreal>> result;
    for (const Tick& tick : m_ticks)
        result.append({ tick.time, tick.y });
    return result;
}

std::optional<QRectF> DayTimelineArea::runningRect() const
{
    return m_running ? std::optional(runningRectAt(m_now)) : std::nullopt;
}

QSize DayTimelineArea::sizeHint() const
{
    return { 480, 400 };
}

QSize DayTimelineArea::minimumSizeHint() const
{
    return { 160, 400 };
}

QRectF DayTimelineArea::runningRectAt(Instant now) const
{
    if (!m_running)
        return {};
    return DayGeometry::runningRect(m_frame, axis(), m_running->start, now);
}

void DayTimelineArea::relayout()
{
    const QFontMetricsF metrics(hourLabelFont(font()));
    // Room above the first and below the last hour for the halves of their labels.
    m_frame.inset = std::ceil(metrics.height() / 2) + 1;
    m_frame.plotHeight = std::max(height() - 2 * m_frame.inset, 1.0);
    placeTicks(metrics);
    m_frame.left = m_gutter + labelGap;
    m_frame.width = std::max(width() - m_frame.left, 0.0);

    m_blocks.clear();
    m_rects.clear();
    m_blocks.reserve(size_t(m_layout.size()));
    m_rects.reserve(size_t(m_layout.size()));
    for (const LayoutEntry& item : std::as_const(m_layout)) {
        const QRectF rect = DayGeometry::blockRect(m_frame, axis(), item);
        TimelineBlock block;
        block.entry = item.entry;
        const auto project = m_projects.constFind(item.entry.projectID);
        if (project != m_projects.constEnd())
            block.project = *project;
        block.isSelected = m_selectedID == item.entry.id;
        block.width = rect.width();
        block.height = rect.height();
        m_rects.push_back(rect);
        m_blocks.push_back(std::move(block));
    }
    m_timeOrder.resize(m_blocks.size());
    for (size_t i = 0; i < m_timeOrder.size(); ++i)
        m_timeOrder[i] = int(i);
    std::stable_sort(m_timeOrder.begin(), m_timeOrder.end(), [this](int a, int b) {
        const QRectF& ra = m_rects[size_t(a)];
        const QRectF& rb = m_rects[size_t(b)];
        return ra.top() != rb.top() ? ra.top() < rb.top() : ra.left() < rb.left();
    });
    if (indexOf(m_currentID) < 0)
        m_currentID.reset();
    update();
}

void DayTimelineArea::placeTicks(const QFontMetricsF& metrics)
{
    // Labels closer than a line of text apart would run into each other: keep every n-th.
    const QList<Instant> ticks = DayGeometry::hourTicks(m_axisStart, m_axisEnd);
    const qreal hourHeight = m_frame.plotHeight * 3600 / std::max(m_axisEnd - m_axisStart, 1.0);
    const qsizetype stride =
        std::max<qsizetype>(1, qsizetype(std::ceil(metrics.height() / std::max(hourHeight, 0.01))));
    m_ticks.clear();
    QStringList labels;
    for (qsizetype i = 0; i < ticks.size(); i += stride) {
        const QString label = shortTime(ticks[i], m_model);
        labels.append(label);
        m_ticks.append({ ticks[i], DayGeometry::yOf(m_frame, axis(), ticks[i]), label });
    }
    m_gutter = HourLabelColumn::width(metrics, labels, labelColumnWidth, 2);
}

int DayTimelineArea::indexOf(const std::optional<QUuid>& id) const
{
    if (!id)
        return -1;
    for (size_t i = 0; i < m_blocks.size(); ++i) {
        if (m_blocks[i].entry.id == *id)
            return int(i);
    }
    return -1;
}

int DayTimelineArea::blockAt(QPointF point) const
{
    // Later blocks are drawn over earlier ones, so they are hit first.
    for (size_t i = m_rects.size(); i-- > 0;) {
        if (m_rects[i].contains(point))
            return int(i);
    }
    return -1;
}

void DayTimelineArea::updateBlock(int index)
{
    if (index >= 0 && size_t(index) < m_rects.size())
        update(m_rects[size_t(index)].toAlignedRect().adjusted(-4, -4, 4, 4));
}

void DayTimelineArea::setCurrentID(const std::optional<QUuid>& id)
{
    if (id == m_currentID) {
        updateBlock(indexOf(id));
        return;
    }
    updateBlock(indexOf(m_currentID));
    m_currentID = id;
    const int index = indexOf(id);
    updateBlock(index);
    Accessibility::announce(this, index >= 0 ? m_blocks[size_t(index)].accessibleLabel(m_model) : QString());
}

bool DayTimelineArea::stepCurrent(int delta, bool wrap)
{
    const int count = int(m_timeOrder.size());
    if (count == 0)
        return false;
    const int index = indexOf(m_currentID);
    const auto found = std::find(m_timeOrder.begin(), m_timeOrder.end(), index);
    int next = 0;
    if (index < 0 || found == m_timeOrder.end()) {
        next = delta > 0 ? 0 : count - 1;
    } else {
        next = int(found - m_timeOrder.begin()) + delta;
        if (next < 0 || next >= count) {
            if (!wrap)
                return false;
            next = (next + count) % count;
        }
    }
    m_keyboardFocus = true;
    setCurrentID(m_blocks[size_t(m_timeOrder[size_t(next)])].entry.id);
    return true;
}

void DayTimelineArea::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRectF exposed = event->rect();
    const QColor secondary = Style::secondaryColor(palette());
    const QFont labelFont = hourLabelFont(font());
    const qreal labelHeight = QFontMetricsF(labelFont).height();
    const qreal left = m_frame.left;
    painter.setFont(labelFont);
    for (const Tick& tick : std::as_const(m_ticks)) {
        if (tick.y + labelHeight < exposed.top() || tick.y - labelHeight > exposed.bottom())
            continue;
        painter.setPen(Style::withAlpha(secondary, 0.85));
        painter.drawText(
            QRectF(0, tick.y - labelHeight / 2, m_gutter, labelHeight), Qt::AlignRight | Qt::AlignVCenter, tick.label);
        // A whole pixel, so the line stays crisp whatever the scale of the axis.
        painter.fillRect(QRectF(left, std::floor(tick.y), width() - left, 1), Style::withAlpha(secondary, 0.25));
    }

    const bool showFocus = hasFocus() && m_keyboardFocus;
    const int current = indexOf(m_currentID);
    for (size_t i = 0; i < m_blocks.size(); ++i) {
        const QRectF& rect = m_rects[i];
        if (!rect.adjusted(-4, -4, 4, 4).intersects(exposed))
            continue;
        m_blocks[i].paint(painter, rect.topLeft(), m_model, palette());
    }

    if (m_running) {
        const QRectF rect = runningRectAt(m_now);
        if (rect.intersects(exposed))
            paintRunningBlock(painter, rect, m_running->project, m_model, palette(), { 6, 6, 36, 52 });
    }

    // Last, so no neighbouring block covers it.
    if (showFocus && current >= 0) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(m_rects[size_t(current)].adjusted(-2, -2, 2, 2), 8, 8);
    }
}

void DayTimelineArea::resizeEvent(QResizeEvent* event)
{
    relayout();
    QWidget::resizeEvent(event);
}

bool DayTimelineArea::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int index = blockAt(help->pos());
        if (index >= 0) {
            QToolTip::showText(help->globalPos(),
                m_blocks[size_t(index)].accessibleLabel(m_model),
                this,
                m_rects[size_t(index)].toAlignedRect());
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(event);
}

void DayTimelineArea::mouseMoveEvent(QMouseEvent* event)
{
    const int hover = blockAt(event->position());
    if (hover != m_hover) {
        m_hover = hover;
        setCursor(hover >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
    QWidget::mouseMoveEvent(event);
}

void DayTimelineArea::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_keyboardFocus = false;
    m_pressed = blockAt(event->position());
    if (m_pressed >= 0)
        setCurrentID(m_blocks[size_t(m_pressed)].entry.id);
}

void DayTimelineArea::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    const int pressed = std::exchange(m_pressed, -1);
    if (pressed >= 0 && blockAt(event->position()) == pressed)
        Q_EMIT blockActivated(m_blocks[size_t(pressed)].entry.id);
}

void DayTimelineArea::leaveEvent(QEvent* event)
{
    m_hover = -1;
    unsetCursor();
    QWidget::leaveEvent(event);
}

void DayTimelineArea::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        stepCurrent(1, true);
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
        stepCurrent(-1, true);
        return;
    case Qt::Key_Home:
        if (!m_timeOrder.empty()) {
            m_keyboardFocus = true;
            setCurrentID(m_blocks[size_t(m_timeOrder.front())].entry.id);
        }
        return;
    case Qt::Key_End:
        if (!m_timeOrder.empty()) {
            m_keyboardFocus = true;
            setCurrentID(m_blocks[size_t(m_timeOrder.back())].entry.id);
        }
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (m_currentID && indexOf(m_currentID) >= 0) {
            m_keyboardFocus = true;
            Q_EMIT blockActivated(*m_currentID);
        }
        return;
    case Qt::Key_Escape:
        // Only when there is something to clear; otherwise Escape goes on to the window.
        if (m_selectedID && indexOf(m_selectedID) >= 0) {
            Q_EMIT clearRequested();
            return;
        }
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void DayTimelineArea::focusInEvent(QFocusEvent* event)
{
    if (event->reason() == Qt::TabFocusReason && !m_timeOrder.empty()) {
        m_keyboardFocus = true;
        setCurrentID(m_blocks[size_t(m_timeOrder.front())].entry.id);
    } else if (event->reason() == Qt::BacktabFocusReason && !m_timeOrder.empty()) {
        m_keyboardFocus = true;
        setCurrentID(m_blocks[size_t(m_timeOrder.back())].entry.id);
    }
    updateBlock(indexOf(m_currentID));
    QWidget::focusInEvent(event);
}

void DayTimelineArea::focusOutEvent(QFocusEvent* event)
{
    updateBlock(indexOf(m_currentID));
    QWidget::focusOutEvent(event);
}

bool DayTimelineArea::focusNextPrevChild(bool next)
{
    // Tab walks through the blocks before leaving the timeline.
    if (hasFocus() && stepCurrent(next ? 1 : -1, false))
        return true;
    return QWidget::focusNextPrevChild(next);
}

void DayTimelineArea::changeEvent(QEvent* event)
{
    // Hour labels follow the font and the language.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::LocaleChange)
        relayout();
    QWidget::changeEvent(event);
}

} // namespace tivren
