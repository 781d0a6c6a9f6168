// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/TimeEntry.h"
#include "core/time/Instant.h"
#include "core/timeline/HourAxis.h"

#include <QList>
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
class EntryDetailReveal;
class WeekCanvas;
class WeekHeaderRow;
struct WeekTimelineLayout;
namespace Style {
class EmptyState;
}

// A Monday-to-Sunday week of tracked time: seven day columns on one hour axis, a block per entry
// (overlapping entries side by side), the running timer as a dashed block, and below the canvas
// a panel for the selected entry with Edit and Delete.
//
// The view reads the week from the model and keeps its layout (core/timeline works out the axis
// and the blocks); the canvas paints it and takes the mouse and keyboard.
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

Q_SIGNALS:
    // The user asked to edit an entry; the timeline screen opens the editor.
    void editRequested(const tivren::TimeEntry& entry);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void build();
    void refresh();
    void retranslate();
    void rebuild();
    void refreshAxis();
    void refreshHeaders();
    void refreshPanel(bool animated);
    void clockTicked();
    [[nodiscard]] std::optional<TimeEntry> selectedEntry() const;
    void deleteSelected();

    AppModel& m_model;
    Instant m_weekStart = 0;
    std::optional<QUuid> m_selectedID;
    std::unique_ptr<WeekTimelineLayout> m_layout;
    std::unique_ptr<DayFormat> m_weekdayFormat;
    std::unique_ptr<DayFormat> m_dateFormat;
    QString m_localeName;
    bool m_shownOnce = false;
    bool m_stale = false;

    WeekHeaderRow* m_headerRow = nullptr;
    Style::EmptyState* m_emptyState = nullptr;
    WeekCanvas* m_canvas = nullptr;
    EntryDetailReveal* m_detail = nullptr;
};

} // namespace tivren
