// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/records/ActiveTimerSession.h"
#include "core/records/Project.h"
#include "core/records/TimeEntry.h"
#include "core/time/Instant.h"

#include <QHash>
#include <QList>
#include <QUuid>
#include <QWidget>

#include <memory>
#include <optional>
#include <utility>

class QLabel;

namespace tivren {

class AppModel;
class DayFormat;
class DayTimelineArea;
class EntryDetailReveal;

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

Q_SIGNALS:
    // The user asked to edit an entry; the timeline screen opens the editor.
    void editRequested(const tivren::TimeEntry& entry);

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void build();
    void reload();
    void retranslate();
    void refreshEmptyIcon();
    void tick();
    void refreshTotal();
    void refreshSidebar(bool animated);
    void deleteSelected();
    [[nodiscard]] std::pair<Instant, Instant> currentAxis() const;

    AppModel& m_model;
    Instant m_day = 0;
    std::optional<QUuid> m_selectedID;

    // The day as last read from the model.
    QList<TimeEntry> m_entries;
    QHash<QUuid, Project> m_projects;
    std::optional<ActiveTimerSession> m_running; // only when it started on this day
    Seconds m_entriesTotal = 0;
    // A tick came while the view was hidden (the week is showing, or the window is closed).
    bool m_tickMissed = false;

    std::unique_ptr<DayFormat> m_dayFormat;
    QLabel* m_titleLabel = nullptr;
    QLabel* m_totalLabel = nullptr;
    QWidget* m_emptyState = nullptr;
    QWidget* m_row = nullptr;
    DayTimelineArea* m_area = nullptr;
    EntryDetailReveal* m_sidebar = nullptr;
};

} // namespace tivren
