// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/Project.h"
#include "core/records/TimeEntry.h"
#include "core/time/Instant.h"
#include "core/timeline/DayGeometry.h"
#include "core/timeline/OverlapLayout.h"
#include "ui/timeline/TimelineBlock.h"

#include <QFontMetricsF>
#include <QHash>
#include <QList>
#include <QUuid>
#include <QWidget>

#include <optional>
#include <utility>
#include <vector>

namespace tivren {

class AppModel;

// The painted hour axis of one day: hour labels and grid lines, a block per entry with
// overlapping entries side by side, and the running timer as a dashed block that grows with the
// clock. Blocks are numbers, not widgets; their layout is kept until the entries, the axis or
// the size change, so a clock tick repaints only the running block.
//
// Mouse: clicking a block asks to toggle its selection. Keyboard: Tab, Shift+Tab and the arrow
// keys move between blocks in time order, Return or Space toggles the selection of the current
// block, Escape asks to clear it.
class DayTimelineArea : public QWidget
{
    Q_OBJECT

public:
    struct Running
    {
        std::optional<Project> project;
        Instant start = 0;
    };

    explicit DayTimelineArea(AppModel& model, QWidget* parent = nullptr);
    ~DayTimelineArea() override;

    // Everything drawn, at once: lays the blocks out again.
    void setContent(const QList<TimeEntry>& entries,
        const QHash<QUuid, Project>& projects,
        std::optional<Running> running,
        std::pair<Instant, Instant> axis,
        Instant now);
    // A new axis for the same blocks: places them again.
    void setAxis(std::pair<Instant, Instant> axis, Instant now);
    // Moves the running block's end; repaints only what it covered and covers.
    void setNow(Instant now);
    void setSelectedID(const std::optional<QUuid>& id);

    [[nodiscard]] std::pair<Instant, Instant> axis() const { return { m_axisStart, m_axisEnd }; }
    // Where each entry's block is drawn, in paint order.
    [[nodiscard]] QList<std::pair<QUuid, QRectF>> blockRects() const;
    // Each hour line's instant and height.
    [[nodiscard]] QList<std::pair<Instant, qreal>> hourLines() const;
    [[nodiscard]] std::optional<QRectF> runningRect() const;
    // The entry the keyboard is on.
    [[nodiscard]] std::optional<QUuid> currentID() const { return m_currentID; }

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

Q_SIGNALS:
    void blockActivated(const QUuid& id);
    void clearRequested();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void changeEvent(QEvent* event) override;

private:
    struct Tick
    {
        Instant time = 0;
        qreal y = 0;
        QString label;
    };

    void relayout();
    // The hour lines and their labels; the label column's width.
    void placeTicks(const QFontMetricsF& metrics);
    [[nodiscard]] QRectF runningRectAt(Instant now) const;
    [[nodiscard]] int blockAt(QPointF point) const;
    [[nodiscard]] int indexOf(const std::optional<QUuid>& id) const;
    // Steps through the blocks in time order; false past either end.
    bool stepCurrent(int delta, bool wrap);
    void setCurrentID(const std::optional<QUuid>& id);
    void updateBlock(int index);

    AppModel& m_model;
    QList<TimeEntry> m_entries;
    QList<LayoutEntry> m_layout;
    QHash<QUuid, Project> m_projects;
    std::optional<Running> m_running;
    Instant m_axisStart = 0;
    Instant m_axisEnd = 1;
    Instant m_now = 0;
    std::optional<QUuid> m_selectedID;

    // Geometry, from relayout().
    std::vector<TimelineBlock> m_blocks; // paint order
    std::vector<QRectF> m_rects;
    std::vector<int> m_timeOrder; // block indexes by start, for the keyboard
    QList<Tick> m_ticks;
    qreal m_gutter = 50;
    DayFrame m_frame;

    std::optional<QUuid> m_currentID;
    bool m_keyboardFocus = false;
    int m_hover = -1;
    int m_pressed = -1;
};

} // namespace tivren
