#pragma once

#include "core/records/ActiveTimerSession.h"
#include "core/records/TimeEntry.h"
#include "core/time/Instant.h"

#include <QDate>
#include <QList>
#include <QPixmap>
#include <QRectF>
#include <QUuid>
#include <QWidget>

#include <memory>
#include <optional>
#include <utility>

class QPainter;

namespace tivren {

class AppModel;
class DayFormat;
class WeekCanvas;
class WeekDetailReveal;
class WeekHeaderRow;
struct WeekTimelineLayout;
namespace Style {
class EmptyState;
}

// The hours of the day (0 to 24) that the seven columns of a week share.
struct HourAxis
{
    double start = 8;
    double end = 18;

    bool operator==(const HourAxis&) const = default;
};

// The heading of one day column: the abbreviated weekday, the day number (on an accent circle
// for today) and the day's tracked hours, or an em dash when there are none.
class WeekDayColumnHeader : public QWidget
{
    Q_OBJECT

public:
    explicit WeekDayColumnHeader(QWidget* parent = nullptr);

    // weekday: already upper-cased; total: "7.5h" or an em dash.
    void setContent(QDate day, bool isToday, Seconds totalSeconds, QString weekday, QString dayNumber, QString total);

    [[nodiscard]] QDate day() const { return m_day; }
    [[nodiscard]] bool isToday() const { return m_isToday; }
    [[nodiscard]] Seconds totalSeconds() const { return m_totalSeconds; }
    [[nodiscard]] QString weekdayText() const { return m_weekday; }
    [[nodiscard]] QString dayNumberText() const { return m_dayNumber; }
    [[nodiscard]] QString totalText() const { return m_total; }

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QDate m_day;
    bool m_isToday = false;
    Seconds m_totalSeconds = 0;
    QString m_weekday;
    QString m_dayNumber;
    QString m_total;
};

// A Monday-to-Sunday week of tracked time: seven day columns on one hour axis, a block per entry
// (overlapping entries side by side), the running timer as a dashed block, and below the canvas
// a panel for the selected entry with Edit and Delete.
//
// The canvas is painted in one piece, not a widget per block. Block rectangles are worked out
// once per change of the entries, projects, timer, week or width; the one-second clock repaints
// only the running block. Keyboard on the canvas: Left and Right (or Tab) move between blocks,
// Return or Space selects, Escape clears the selection.
class WeekTimelineView : public QWidget
{
    Q_OBJECT

public:
    explicit WeekTimelineView(AppModel& model, QWidget* parent = nullptr);
    ~WeekTimelineView() override;

    [[nodiscard]] Instant weekStart() const { return m_weekStart; }
    // Shows another week (the start of its Monday); clears the selection.
    void setWeekStart(Instant weekStart);

    [[nodiscard]] std::optional<QUuid> selectedEntryID() const { return m_selectedID; }
    // Selects the entry, or clears the selection when it is the selected one.
    void toggleSelection(const QUuid& entryID);
    void clearSelection();

    // The hour axis of the shown week.
    [[nodiscard]] HourAxis axis() const;
    // Every drawn entry block in canvas coordinates, day by day; an entry that runs past midnight
    // has a block on each of its days.
    [[nodiscard]] QList<std::pair<QUuid, QRectF>> blockRects() const;
    [[nodiscard]] std::optional<QRectF> runningBlockRect() const;
    // Paints the whole canvas at its current size, as it shows on screen.
    void paintCanvas(QPainter& painter) const;

    // The axis for a week: an hour of margin around the earliest start and the latest end of the
    // week's entries and its running timer, within the day; 8 to 18 for an empty week.
    [[nodiscard]] static HourAxis axisHours(const QList<TimeEntry>& entries,
        Instant weekStart,
        const std::optional<ActiveTimerSession>& session,
        Instant now);
    // The whole hours from the axis start through its end.
    [[nodiscard]] static QList<int> hourTicks(HourAxis axis);

Q_SIGNALS:
    // The user asked to edit an entry; the timeline screen opens the editor.
    void editRequested(const tivren::TimeEntry& entry);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class WeekCanvas;

    void refresh();
    void retranslate();
    void rebuild();
    void layoutBlocks();
    void refreshHeaders();
    void refreshPanel(bool animated);
    void clockTicked();
    [[nodiscard]] std::optional<TimeEntry> selectedEntry() const;
    [[nodiscard]] qreal columnWidth() const;
    [[nodiscard]] qreal yOf(double hour) const;
    [[nodiscard]] QRectF runningRect() const;
    void paintArea(QPainter& painter, const QRectF& exposed) const;
    void paintLayer(QPainter& painter, const QRectF& area) const;
    // Repaints part of the layer (all of it for a null area) and schedules the canvas update.
    void invalidateLayer(const QRectF& area = QRectF());
    [[nodiscard]] int pieceAt(QPointF point) const;
    [[nodiscard]] QString pieceLabel(int piece) const;
    void setCurrentPiece(int piece);
    void deleteSelected();

    AppModel& m_model;
    Instant m_weekStart = 0;
    std::optional<QUuid> m_selectedID;
    std::unique_ptr<WeekTimelineLayout> m_layout;
    // The grid and the entry blocks, painted once per layout; the canvas copies from it.
    mutable QPixmap m_layer;
    std::unique_ptr<DayFormat> m_weekdayFormat;
    std::unique_ptr<DayFormat> m_dateFormat;
    QString m_localeName;
    int m_current = -1; // the keyboard's block, an index into the layout's pieces
    bool m_shownOnce = false;
    bool m_stale = false;

    WeekHeaderRow* m_headerRow = nullptr;
    Style::EmptyState* m_emptyState = nullptr;
    WeekCanvas* m_canvas = nullptr;
    WeekDetailReveal* m_detail = nullptr;
};

} // namespace tivren
