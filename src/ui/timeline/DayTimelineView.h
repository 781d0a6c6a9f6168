#pragma once

#include "core/records/ActiveTimerSession.h"
#include "core/records/Project.h"
#include "core/records/TimeEntry.h"
#include "core/time/Instant.h"
#include "core/timeline/OverlapLayout.h"
#include "ui/timeline/TimelineBlock.h"

#include <QHash>
#include <QList>
#include <QUuid>
#include <QWidget>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QLabel;

namespace tivren {

class AppModel;
class DayDetailSidebar;
class DayFormat;

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
    [[nodiscard]] qreal yOf(Instant instant) const;
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
    qreal m_inset = 0;
    qreal m_plotHeight = 1;

    std::optional<QUuid> m_currentID;
    bool m_keyboardFocus = false;
    int m_hover = -1;
    int m_pressed = -1;
};

// One calendar day of tracked time on an hour axis: a header with the day and its total, the
// painted timeline and, while an entry is selected, a sidebar with its details and the Edit and
// Delete buttons. Edit only asks: the timeline screen owns the editor.
class DayTimelineView : public QWidget
{
    Q_OBJECT

public:
    explicit DayTimelineView(AppModel& model, QWidget* parent = nullptr);
    ~DayTimelineView() override;

    [[nodiscard]] Instant day() const { return m_day; }
    // Shows another day; clears the selection.
    void setDay(Instant day);

    [[nodiscard]] const std::optional<QUuid>& selectedEntryID() const { return m_selectedID; }
    // The selected entry while it is among the day's entries.
    [[nodiscard]] std::optional<TimeEntry> selectedEntry() const;
    // Selects the entry, or clears the selection when it is the selected one.
    void toggleSelection(const QUuid& id);
    [[nodiscard]] bool isSidebarOpen() const;

    // The hours shown: an hour either side of the day's entries and of the running session
    // (start, end), never before the day's start; 08:00 to 18:00 for an empty day.
    [[nodiscard]] static std::pair<Instant, Instant> axisRange(
        const QList<TimeEntry>& dayEntries, std::optional<std::pair<Instant, Instant>> running, Instant day);
    // Every whole local hour from start to end, both included.
    [[nodiscard]] static QList<Instant> hourTicks(Instant start, Instant end);

Q_SIGNALS:
    // The user asked to edit an entry; the timeline screen opens the editor.
    void editRequested(const tivren::TimeEntry& entry);

protected:
    void changeEvent(QEvent* event) override;

private:
    void reload();
    void retranslate();
    void refreshEmptyIcon();
    void tick();
    void refreshTotal();
    void refreshSidebar(bool animated);
    void deleteSelected();
    [[nodiscard]] InstantRange dayRange() const;
    [[nodiscard]] std::pair<Instant, Instant> currentAxis() const;

    AppModel& m_model;
    Instant m_day = 0;
    std::optional<QUuid> m_selectedID;

    // The day as last read from the model.
    QList<TimeEntry> m_entries;
    QHash<QUuid, Project> m_projects;
    std::optional<ActiveTimerSession> m_running; // only when it started on this day
    Seconds m_entriesTotal = 0;

    std::unique_ptr<DayFormat> m_dayFormat;
    QLabel* m_titleLabel = nullptr;
    QLabel* m_totalLabel = nullptr;
    QWidget* m_emptyState = nullptr;
    QWidget* m_row = nullptr;
    DayTimelineArea* m_area = nullptr;
    DayDetailSidebar* m_sidebar = nullptr;
};

} // namespace tivren
